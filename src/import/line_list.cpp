#include "import/line_list.h"

#include "import/error.h"
#include "import/output_file.h"
#include "platform/platform.h"

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

std::string ReadFileBytes(const std::filesystem::path& file) {
  // Only a regular file: a folder, a pipe or a device is refused rather than read without end.
  platform::InputFile in(file);
  std::string bytes(static_cast<size_t>(in.size()), '\0');
  size_t filled = 0;
  while (filled < bytes.size()) {
    const size_t n = in.Read(bytes.data() + filled, bytes.size() - filled);
    if (n == 0) break;
    filled += n;
  }
  if (filled < bytes.size()) {
    bytes.resize(filled);
    return bytes;
  }
  // A file that has grown since it was opened is read to its end all the same.
  char more[4096];
  for (size_t n; (n = in.Read(more, sizeof more)) > 0;) bytes.append(more, n);
  return bytes;
}

void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes, Replace how) {
  OutputFile out(file, how);
  out.stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.Close();
}

void LineList::Load(const std::filesystem::path& file) { lines_ = SplitTextLines(ReadFileBytes(file)); }

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
