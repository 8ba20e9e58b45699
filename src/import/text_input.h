// A report or cross-section file read line by line, once, holding only the lines not yet taken.
// No NetCAD report comes anywhere near the limits below; a file beyond them (a disk image, a log, a
// device's endless bytes) is refused before it is worked through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace velkor {

namespace platform {
class InputFile;
}

inline constexpr std::uint64_t kMaxInputBytes = std::uint64_t{1} << 30;  // 1 GB
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;       // 1 MB

class TextInput {
 public:
  // Opens the file: a regular file of at most kMaxInputBytes, or Error ("Cannot open file %s" with the
  // reason, or the size refused with the file's name as its place).
  explicit TextInput(const std::filesystem::path& file);
  ~TextInput();
  TextInput(const TextInput&) = delete;
  TextInput& operator=(const TextInput&) = delete;

  // The next line without its ending (CR LF, LF or lone CR); false at the end of the file.
  bool ReadLine(std::string& line);
  // The line `ahead` lines after the last one read (0: the next), read but not taken; null past the end.
  const std::string* PeekLine(std::size_t ahead);
  // The ending of the line read last, exactly as the file has it ("" for a last line without one).
  const std::string& ending() const { return ending_; }
  // The 1-based number of the line read last.
  long lineNumber() const { return lineNumber_; }
  const std::filesystem::path& path() const { return path_; }
  // The file's name as messages show it.
  std::string label() const;

 private:
  struct Line {
    std::string text;
    std::string ending;
  };
  bool Fetch();  // reads one more line into pending_; false at the end of the file

  std::filesystem::path path_;
  std::unique_ptr<platform::InputFile> file_;
  std::vector<char> buffer_;
  std::size_t bufferStart_ = 0, bufferEnd_ = 0;
  std::uint64_t bytesRead_ = 0;
  bool endOfFile_ = false;
  std::deque<Line> pending_;
  std::string ending_;
  long lineNumber_ = 0;
  long fetched_ = 0;  // lines read from the file so far, taken or pending
};

}  // namespace velkor
