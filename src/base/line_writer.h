// How every text file the program writes ends its lines, and the one way to write such a line: tabs
// for the depth, the text, CR LF.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace velkor {

inline constexpr const char* kLineEnd = "\r\n";

inline void WriteLine(std::ostream& out, std::string_view text, int tabs = 0) {
  for (int i = 0; i < tabs; ++i) out.put('\t');
  out << text << kLineEnd;
}

inline void AppendLine(std::string& out, std::string_view text, int tabs = 0) {
  out.append(static_cast<std::size_t>(tabs), '\t');
  out += text;
  out += kLineEnd;
}

}  // namespace velkor
