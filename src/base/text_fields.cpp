#include "base/text_fields.h"

#include <cmath>

#include "base/number_text.h"

namespace velkor {

std::string NextField(std::string& line) {
  for (char& c : line) {
    if (c == '\t' || c == ',' || c == ';' || c == '"') c = ' ';
  }
  // ".." pairs, left to right without overlap: "..." becomes " ." .
  if (line.find("..") != std::string::npos) {
    std::string folded;
    folded.reserve(line.size());
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '.' && i + 1 < line.size() && line[i + 1] == '.') {
        folded += ' ';
        ++i;
      } else {
        folded += line[i];
      }
    }
    line.swap(folded);
  }
  std::string::size_type start = line.find_first_not_of(' ');
  if (start == std::string::npos) {
    line.clear();
    return {};
  }
  std::string::size_type blank = line.find(' ', start);
  if (blank == std::string::npos) {
    std::string field = line.substr(start);
    line.clear();
    return field;
  }
  std::string field = line.substr(start, blank - start);
  line.erase(0, blank + 1);
  return field;
}

std::string PadLeft(const std::string& text, int width) {
  if (static_cast<int>(text.size()) >= width) return text;
  return std::string(width - text.size(), ' ') + text;
}

std::string FormatChainage(double metres) {
  // A magnitude that rounds to zero is written "0+000.000" whatever its sign: a chainage of
  // "0-000.000" would only puzzle the field crew.
  std::string magnitude = FormatFixed(std::fabs(metres), 3);
  bool negative = metres < 0 && magnitude != "0.000";
  std::string::size_type point = magnitude.find('.');
  std::string whole = magnitude.substr(0, point);
  std::string decimals = magnitude.substr(point + 1);
  std::string km = whole.size() > 3 ? whole.substr(0, whole.size() - 3) : "0";
  std::string m = whole.size() > 3 ? whole.substr(whole.size() - 3) : std::string(3 - whole.size(), '0') + whole;
  return km + (negative ? "-" : "+") + m + "." + decimals;
}

namespace {
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

std::string ReplaceAllNoCase(const std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return text;
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    bool match = i + from.size() <= text.size();
    for (size_t k = 0; match && k < from.size(); ++k) match = LowerAscii(text[i + k]) == LowerAscii(from[k]);
    if (match) {
      out += to;
      i += from.size();
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return text;
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (true) {
    size_t hit = text.find(from, i);
    if (hit == std::string::npos) break;
    out.append(text, i, hit - i);
    out += to;
    i = hit + from.size();
  }
  out.append(text, i, std::string::npos);
  return out;
}

}  // namespace velkor
