// The work folder, file copies, code pages and paths on Linux and other POSIX systems.
// A fixed folder under a shared /tmp could be prepared by another local user (a symbolic link
// planted at its name), so the folder is per-user, owner-only, and checked before every use.
#ifndef _WIN32

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "import/error.h"
#include "import/line_list.h"
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

namespace {

bool IsAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Length of the UTF-8 sequence a lead byte announces (1 for a stray byte).
size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

// Converts with iconv; an input sequence the target cannot hold becomes '?' and is skipped.
std::string Convert(std::string_view input, const char* to, const char* from, bool fromUtf8) {
  if (IsAscii(input)) return std::string(input);
  iconv_t cd = ::iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw Error(std::string("No conversion from ") + from + " to " + to);
  struct Closer {
    iconv_t cd;
    ~Closer() { ::iconv_close(cd); }
  } closer{cd};
  std::string out;
  out.reserve(input.size() * (fromUtf8 ? 1 : 2));
  char buffer[4096];
  char* in = const_cast<char*>(input.data());
  size_t inLeft = input.size();
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t done = ::iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    int failure = done == static_cast<size_t>(-1) ? errno : 0;
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    if (failure == E2BIG || failure == 0) continue;
    // EILSEQ: no equivalent; EINVAL: a sequence cut short at the end.
    out += '?';
    size_t skip = fromUtf8 ? Utf8SequenceLength(static_cast<unsigned char>(*in)) : 1;
    if (skip > inLeft) skip = inLeft;
    // A sequence cut short ends at the first byte that does not continue it; that byte is the
    // next character and stays (as on Windows).
    for (size_t k = 1; k < skip; ++k) {
      if ((static_cast<unsigned char>(in[k]) & 0xC0) != 0x80) {
        skip = k;
        break;
      }
    }
    in += skip;
    inLeft -= skip;
  }
  return out;
}

}  // namespace

std::string Cp1254ToUtf8(std::string_view bytes) { return Convert(bytes, "UTF-8", "CP1254", false); }

std::string Utf8ToCp1254(std::string_view utf8) { return Convert(utf8, "CP1254", "UTF-8", true); }

// Linux file names are bytes; the desktop and the terminal agree on UTF-8 for them.
std::filesystem::path PathFromUtf8(const std::string& utf8) { return std::filesystem::path(utf8); }

std::string PathToUtf8(const std::filesystem::path& path) { return path.string(); }

}  // namespace velkor::platform

#endif  // _WIN32
