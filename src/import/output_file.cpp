#include "import/output_file.h"

#include <cerrno>

#include "import/error.h"
#include "platform/platform.h"

namespace velkor {

OutputFile::OutputFile(const std::filesystem::path& file) : file_(file) {
  errno = 0;
  out_.open(file, std::ios::binary | std::ios::trunc);
  if (!out_) throw Error(CannotCreate(platform::PathToUtf8(file_))).because(SystemReason(errno));
}

void OutputFile::Close() {
  errno = 0;
  out_.close();
  if (!out_) throw Error(CannotCreate(platform::PathToUtf8(file_))).because(SystemReason(errno));
}

}  // namespace velkor
