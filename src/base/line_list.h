// The program's list of text lines, saved with CR LF after every line (platform::ReadLines loads one
// from a file whose lines end in CR LF, LF or CR). Lines are bytes exactly as read (code page 1254 for reports).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/output_file.h"

namespace velkor {

class LineList {
 public:
  LineList() = default;
  explicit LineList(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  // Writes every line followed by CR LF; throws Error("Cannot create file %s").
  void Save(const std::filesystem::path& file, Replace how = Replace::InPlace) const;
  // The bytes Save writes: every line followed by CR LF.
  std::string Bytes() const;

  // Throws Error("List index out of bounds (%d)") outside [0, size).
  const std::string& at(long index) const;
  std::string& at(long index);

  long size() const { return static_cast<long>(lines_.size()); }
  bool empty() const { return lines_.empty(); }
  void clear() { lines_.clear(); }
  void push_back(std::string line) { lines_.push_back(std::move(line)); }

  const std::vector<std::string>& lines() const { return lines_; }
  std::vector<std::string>& lines() { return lines_; }

 private:
  std::vector<std::string> lines_;
};

// Splits bytes into lines at CR LF, LF or lone CR; a final line ending adds no empty line.
std::vector<std::string> SplitTextLines(const std::string& bytes);
// Appends the lines of `bytes` to `out`, each ended by CR LF whatever ending it had (a last line
// without ending gets one too).
void AppendCrLfLines(std::string& out, std::string_view bytes);
// True when every line of `bytes` already ends in CR LF, the last one included (or it is empty).
bool HasCrLfLines(std::string_view bytes);
// Creates (or replaces) the file with these bytes; throws Error("Cannot create file %s").
void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes, Replace how = Replace::InPlace);

}  // namespace velkor
