// The work folder, file copies, code pages and paths on Linux and other POSIX systems.
// A fixed folder under a shared /tmp could be prepared by another local user (a symbolic link
// planted at its name), so the folder is per-user, owner-only, and checked before every use.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/error.h"
#include "base/line_list.h"
#include "platform/platform.h"

namespace velkor::platform {

namespace {

Error FolderError(const std::filesystem::path& dir, const std::string& why) {
  return Error("Cannot use work folder " + dir.string() + ": " + why);
}

// Closes the descriptor whatever way the check ends.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

namespace {

// `closeIfOpen`: the per-user folder is the program's own, made owner-only; if it has been opened to
// others since, it is closed again. A folder the user names is never changed, only refused.
void CheckPrivateFolder(const std::filesystem::path& dir, bool closeIfOpen) {
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
    throw FolderError(dir, SystemReason(errno));
  }
  struct stat linkInfo {};
  if (::lstat(dir.c_str(), &linkInfo) != 0) throw FolderError(dir, SystemReason(errno));
  if (S_ISLNK(linkInfo.st_mode)) throw FolderError(dir, "it is a symbolic link");
  if (!S_ISDIR(linkInfo.st_mode)) throw FolderError(dir, "it is not a folder");

  // The checks that matter run on the opened folder itself, so a swap after lstat gains nothing.
  Descriptor folder{::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)};
  if (folder.fd < 0) {
    throw FolderError(dir, errno == ELOOP ? std::string("it is a symbolic link") : SystemReason(errno));
  }
  struct stat info {};
  if (::fstat(folder.fd, &info) != 0) throw FolderError(dir, SystemReason(errno));
  if (info.st_uid != ::geteuid()) throw FolderError(dir, "it belongs to another user");
  // Anyone else who could write into it could have planted links in it already.
  if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) throw FolderError(dir, "other users can write to it");
  if ((info.st_mode & 0077) == 0) return;
  if (!closeIfOpen) throw FolderError(dir, "other users have access to it");
  if (::fchmod(folder.fd, 0700) != 0) throw FolderError(dir, SystemReason(errno));
}

}  // namespace

void EnsurePrivateFolder(const std::filesystem::path& dir) { CheckPrivateFolder(dir, false); }

std::string PrivateWorkFolder() {
  std::filesystem::path base = "/tmp";
  if (const char* tmp = std::getenv("TMPDIR"); tmp != nullptr && tmp[0] == '/') base = tmp;
  std::filesystem::path dir = base / ("velkor-" + std::to_string(::geteuid()));
  CheckPrivateFolder(dir, true);
  std::string text = dir.string();
  if (text.back() != '/') text += '/';
  return text;
}

void CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  WriteFileBytes(to, ReadFileBytes(from));
}

}  // namespace velkor::platform

#endif  // _WIN32
