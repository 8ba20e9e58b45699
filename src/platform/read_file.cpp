// Whole files read through InputFile: the same on every system, so one file serves both.
#include "base/line_list.h"
#include "platform/platform.h"

namespace velkor::platform {

std::string ReadFileBytes(const std::filesystem::path& file) {
  // Only a regular file: a folder, a pipe or a device is refused rather than read without end.
  InputFile in(file);
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

LineList ReadLines(const std::filesystem::path& file) { return LineList(SplitTextLines(ReadFileBytes(file))); }

}  // namespace velkor::platform
