#include "import/line_list.h"

#include <fstream>
#include <iterator>

#include "import/error.h"

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

std::string ReadFileBytes(const std::filesystem::path& file) {
  // A folder opens like a file on some systems and then claims an endless size.
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) throw Error(CannotOpen(file.string()));
  std::ifstream in(file, std::ios::binary);
  if (!in) throw Error(CannotOpen(file.string()));
  std::string bytes;
  in.seekg(0, std::ios::end);
  auto size = in.tellg();
  if (size > 0) {
    bytes.resize(static_cast<size_t>(size));
    in.seekg(0);
    in.read(bytes.data(), size);
    bytes.resize(static_cast<size_t>(in.gcount()));
  } else {
    in.clear();
    in.seekg(0);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return bytes;
}

void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) throw Error(CannotCreate(file.string()));
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  if (!out) throw Error(CannotCreate(file.string()));
}

void LineList::Load(const std::filesystem::path& file) { lines_ = SplitTextLines(ReadFileBytes(file)); }

void LineList::Save(const std::filesystem::path& file) const {
  std::string bytes;
  size_t total = 0;
  for (const auto& line : lines_) total += line.size() + 2;
  bytes.reserve(total);
  for (const auto& line : lines_) {
    bytes += line;
    bytes += "\r\n";
  }
  WriteFileBytes(file, bytes);
}

const std::string& LineList::at(long index) const {
  if (index < 0 || index >= size()) throw Error(IndexOutOfBounds(index));
  return lines_[static_cast<size_t>(index)];
}

std::string& LineList::at(long index) {
  if (index < 0 || index >= size()) throw Error(IndexOutOfBounds(index));
  return lines_[static_cast<size_t>(index)];
}

}  // namespace velkor
