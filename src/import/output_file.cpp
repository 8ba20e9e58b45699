#include "import/output_file.h"

#include "import/error.h"

namespace velkor {

OutputFile::OutputFile(const std::filesystem::path& file)
    : file_(file), out_(file, std::ios::binary | std::ios::trunc) {
  if (!out_) throw Error(CannotCreate(file_.string()));
}

void OutputFile::Close() {
  out_.close();
  if (!out_) throw Error(CannotCreate(file_.string()));
}

}  // namespace velkor
