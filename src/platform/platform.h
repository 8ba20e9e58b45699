// The few services that differ between Windows and Linux. Each has one implementation per system:
// *_posix.cpp files compile everywhere but Windows, *_win32.cpp files only on Windows.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velkor::platform {

// The user's private work folder under the system's temporary folder, created if missing
// (owner-only access, owner checked, never reached through a symbolic link). The returned text
// ends in a path separator. Throws Error when the folder cannot be made safe.
std::string PrivateWorkFolder();

// Makes `dir` a private folder as above, or checks that an existing one is; throws Error otherwise.
void EnsurePrivateFolder(const std::filesystem::path& dir);

// Copies a file, replacing the target; throws Error("Cannot open file %s") or ("Cannot create file %s").
void CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Code page 1254 bytes to UTF-8 and back (bytes with no equivalent become '?').
std::string Cp1254ToUtf8(std::string_view bytes);
std::string Utf8ToCp1254(std::string_view utf8);

// A path from UTF-8 text and back (command lines, dialogs and messages speak UTF-8).
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string PathToUtf8(const std::filesystem::path& path);

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
