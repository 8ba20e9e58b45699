// Input files on Linux and other POSIX systems. A named pipe would block the open until some other
// program starts writing, so the type is checked by name first and opening never waits; the check
// is repeated on the opened file, which is what is then read.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/error.h"
#include "platform/platform.h"

namespace velkor::platform {

namespace {

// Why a file of this type is no input; empty for a regular file.
std::string NotRegular(mode_t mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return "it is a folder, not a regular file";
  if (S_ISFIFO(mode)) return "it is a pipe, not a regular file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
  if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
  return "it is not a regular file";
}

}  // namespace

InputFile::InputFile(const std::filesystem::path& file) : file_(file), handle_(-1) {
  const std::string name = PathToUtf8(file);
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) throw Error(CannotOpen(name)).because(SystemReason(errno));
  if (std::string why = NotRegular(info.st_mode); !why.empty()) throw Error(CannotOpen(name)).because(why);
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw Error(CannotOpen(name)).because(SystemReason(errno));
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const std::string why = S_ISREG(info.st_mode) ? SystemReason(errno) : NotRegular(info.st_mode);
    ::close(fd);
    throw Error(CannotOpen(name)).because(why);
  }
  // Reading a regular file never waits anyway; this only keeps the descriptor ordinary.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  handle_ = fd;
  size_ = static_cast<std::uint64_t>(info.st_size);
}

InputFile::~InputFile() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

std::size_t InputFile::Read(char* buffer, std::size_t count) {
  for (;;) {
    const ssize_t n = ::read(static_cast<int>(handle_), buffer, count);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) throw Error(CannotOpen(PathToUtf8(file_))).because(SystemReason(errno));
  }
}

}  // namespace velkor::platform

#endif  // _WIN32
