// Text as the program moves it between its inputs, its messages and the system: report bytes are code
// page 1254, everything shown or named (messages, paths, the document) is UTF-8. The conversions are
// the program's own, so that every system gives the same text.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace velkor {

// Code page 1254 bytes to UTF-8; the bytes the code page leaves undefined become '?'.
std::string Cp1254ToUtf8(std::string_view bytes);
// UTF-8 to code page 1254; a character it cannot hold, and each broken sequence, becomes one '?'.
std::string Utf8ToCp1254(std::string_view utf8);

// A path from UTF-8 text and back. Windows keeps paths in UTF-16 and would read a plain string in its
// ANSI code page; these keep every letter of a Turkish file name on every system.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace velkor
