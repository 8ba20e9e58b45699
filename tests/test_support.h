// Small helpers shared by the tests: private scratch folders and byte-exact file access.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "import/route_file.h"

namespace velkor::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder as the work folder convention wants it: ending in a separator.
  std::string workDir() const;
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
// Lines joined with CR LF after each one, as every text file the program writes.
std::string CrLf(const std::vector<std::string>& lines);
// The text up to its first line feed: a message without the reason given under it.
std::string FirstLine(const std::string& text);
// Splits on CR LF, LF or CR; a final line ending yields no empty last line.
std::vector<std::string> SplitLines(const std::string& bytes);
// A route file's point line from its texts.
std::string PointLine(const std::string& code, const std::string& chainage, const std::string& easting,
                      const std::string& northing, const std::string& value);
// The route of the route file tmp.gec in `workDir`, as the driver gets it from the import.
Route RouteIn(const std::filesystem::path& workDir);

// Where the independently written samples live, or empty when this checkout has none beside it.
std::filesystem::path SharedSamplesDir();

}  // namespace velkor::test
