// A file created anew (replacing an existing one) and written from start to end; failing to create
// or to finish it raises "Cannot create file %s", so a full disk never passes for a written file.
#pragma once

#include <filesystem>
#include <fstream>

namespace velkor {

class OutputFile {
 public:
  explicit OutputFile(const std::filesystem::path& file);

  std::ostream& stream() { return out_; }
  // Writes what is buffered and checks that every byte reached the file.
  void Close();

 private:
  std::filesystem::path file_;
  std::ofstream out_;
};

}  // namespace velkor
