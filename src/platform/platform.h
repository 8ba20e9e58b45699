// The few services that differ between Windows and Linux. Each has one implementation per system:
// *_posix.cpp files compile everywhere but Windows, *_win32.cpp files only on Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/line_list.h"
#include "base/text_encoding.h"
#include "platform/platform.h"

namespace velkor::platform {

// The user's private work folder under the system's temporary folder, created if missing
// (owner-only access, owner checked, never reached through a symbolic link). The returned text
// ends in a path separator. Throws Error when the folder cannot be made safe.
std::string PrivateWorkFolder();

// Makes `dir` a private folder as above, or checks that an existing one is; throws Error otherwise.
// A folder other users can reach into is refused as it is: its mode is the user's business.
void EnsurePrivateFolder(const std::filesystem::path& dir);

// The folder of one conversion: made fresh and private inside a work folder, so that conversions
// running at the same time (the desktop program, several velkor-convert runs) never share a file.
// A lock on a file inside marks it as in use until the object goes, or the process ends however it
// ends; the object's end removes the folder with everything in it.
class RunFolder {
 public:
  virtual ~RunFolder() = default;
  // Ends in a path separator, like the work folder.
  virtual const std::string& path() const = 0;
};
// Throws Error when no folder can be made in `workFolder`.
std::unique_ptr<RunFolder> CreateRunFolder(const std::filesystem::path& workFolder);
// Removes the conversion folders in `workFolder` that no running conversion holds (a crashed or
// killed run leaves its folder behind); everything else there stays.
void RemoveAbandonedRunFolders(const std::filesystem::path& workFolder);

// A file open for reading that is known to be a regular file. A named pipe, a device or a folder is
// refused at once, without waiting for a writer: Error("Cannot open file %s") with the reason on the
// line under it, as for a file that is missing or not readable.
class InputFile {
 public:
  explicit InputFile(const std::filesystem::path& file);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // The size when the file was opened.
  std::uint64_t size() const { return size_; }
  // Reads up to `count` bytes; 0 at the end of the file. Throws Error("Cannot open file %s") when the
  // system fails to read.
  std::size_t Read(char* buffer, std::size_t count);

 private:
  std::filesystem::path file_;
  std::intptr_t handle_;
  std::uint64_t size_ = 0;
};

// The whole file as bytes, or its lines (ending in CR LF, LF or CR); throws Error("Cannot open file %s")
// with the reason for anything but a regular file that can be read.
std::string ReadFileBytes(const std::filesystem::path& file);
LineList ReadLines(const std::filesystem::path& file);

// Copies a file, replacing the target; throws Error("Cannot open file %s") or ("Cannot create file %s").
void CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Asks the system to back a buffer of many megabytes, not yet filled, with large pages: filling it
// then costs one fault per large page instead of one per small page. Small buffers are left alone.
void AdviseLargePages(const void* data, std::size_t bytes);

// The program's arguments, the program's own name first, as UTF-8 text. Windows hands `argv` over in
// its ANSI code page, which cannot hold every letter of a file name; there the wide command line counts.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// The system's information beep for a search that found nothing (on Windows MessageBeep with the
// asterisk sound). False where the system has none of its own; the caller then uses the toolkit's beep.
bool InformationBeep();

// The per-user mark that keeps a second copy of the desktop program from running. The system
// releases it when the process ends, however it ends.
class SingleInstance {
 public:
  virtual ~SingleInstance() = default;
  // True when another process of this user already holds the mark named `name`.
  virtual bool AlreadyRunning() const = 0;
};
std::unique_ptr<SingleInstance> ClaimSingleInstance(const std::string& name, const std::string& workFolder);

}  // namespace velkor::platform
