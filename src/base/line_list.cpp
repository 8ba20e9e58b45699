#include "base/line_list.h"

#include "base/error.h"
#include "base/output_file.h"

namespace velkor {

std::vector<std::string> SplitTextLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  const size_t n = bytes.size();
  for (size_t i = 0; i < n; ++i) {
    char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    lines.emplace_back(bytes, start, i - start);
    if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) lines.emplace_back(bytes, start, n - start);
  return lines;
}

void AppendCrLfLines(std::string& out, std::string_view bytes) {
  const size_t n = bytes.size();
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    out.append(bytes, start, i - start);
    out += "\r\n";
    if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) {
    out.append(bytes, start, n - start);
    out += "\r\n";
  }
}

bool HasCrLfLines(std::string_view bytes) {
  const size_t n = bytes.size();
  for (size_t i = 0; i < n; ++i) {
    if (bytes[i] == '\r') {
      if (i + 1 == n || bytes[i + 1] != '\n') return false;
      ++i;
    } else if (bytes[i] == '\n') {
      return false;
    }
  }
  return n == 0 || bytes[n - 1] == '\n';
}

void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes, Replace how) {
  OutputFile out(file, how);
  out.Write(bytes);
  out.Close();
}

std::string LineList::Bytes() const {
  std::string bytes;
  size_t total = 0;
  for (const auto& line : lines_) total += line.size() + 2;
  bytes.reserve(total);
  for (const auto& line : lines_) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

void LineList::Save(const std::filesystem::path& file, Replace how) const { WriteFileBytes(file, Bytes(), how); }

const std::string& LineList::at(long index) const {
  if (index < 0 || index >= size()) throw Error(IndexOutOfBounds(index));
  return lines_[static_cast<size_t>(index)];
}

std::string& LineList::at(long index) {
  if (index < 0 || index >= size()) throw Error(IndexOutOfBounds(index));
  return lines_[static_cast<size_t>(index)];
}

}  // namespace velkor
