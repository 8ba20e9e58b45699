// Input files on Windows. A pipe, a console or another device opens like a file; only what the
// system reports as a file on a disk that is no folder is read.
#ifdef _WIN32

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <string>
#include <system_error>

#include "base/error.h"
#include "platform/platform.h"

namespace velkor::platform {

namespace {

std::string WindowsReason(DWORD code) {
  return SystemReason(std::error_code(static_cast<int>(code), std::system_category()));
}

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

InputFile::InputFile(const std::filesystem::path& file)
    : file_(file), handle_(reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE)) {
  const std::string name = PathToUtf8(file);
  // Other programs may go on reading and writing the file, as NetCAD does with its reports.
  HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw Error(CannotOpen(name)).because(WindowsReason(GetLastError()));
  std::string why;
  const DWORD type = GetFileType(h);
  BY_HANDLE_FILE_INFORMATION info{};
  if (type == FILE_TYPE_PIPE) {
    why = "it is a pipe, not a regular file";
  } else if (type != FILE_TYPE_DISK) {
    why = "it is a device, not a regular file";
  } else if (!GetFileInformationByHandle(h, &info)) {
    why = WindowsReason(GetLastError());
  } else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    why = "it is a folder, not a regular file";
  }
  if (!why.empty()) {
    CloseHandle(h);
    throw Error(CannotOpen(name)).because(why);
  }
  handle_ = reinterpret_cast<std::intptr_t>(h);
  size_ = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

InputFile::~InputFile() {
  if (AsHandle(handle_) != INVALID_HANDLE_VALUE) CloseHandle(AsHandle(handle_));
}

std::size_t InputFile::Read(char* buffer, std::size_t count) {
  const DWORD chunk = count > 0x40000000u ? 0x40000000u : static_cast<DWORD>(count);
  DWORD done = 0;
  if (!ReadFile(AsHandle(handle_), buffer, chunk, &done, nullptr)) {
    throw Error(CannotOpen(PathToUtf8(file_))).because(WindowsReason(GetLastError()));
  }
  return done;
}

}  // namespace velkor::platform

#endif  // _WIN32
