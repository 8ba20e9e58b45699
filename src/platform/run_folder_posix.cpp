// Conversion folders on Linux and other POSIX systems: mkdtemp makes a fresh owner-only folder, and
// an flock on its "run.lock" marks it in use. The kernel drops the lock when the process ends, also
// on a crash or SIGKILL, so a clean-up can tell an abandoned folder from a running conversion's.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/error.h"
#include "platform/platform.h"

namespace velkor::platform {

namespace {

constexpr const char* kPrefix = "run-";
constexpr const char* kLockName = "run.lock";
// A clean-up may sweep a folder away between its making and its lock; a fresh one is made then.
constexpr int kAttempts = 100;

Error RunFolderError(const std::filesystem::path& workFolder, const std::string& why) {
  return Error("Cannot make a conversion folder in " + workFolder.string() + ": " + why);
}

// True while `fd` is still the file named `lock`: a clean-up that held the lock first has removed it.
bool StillNamed(int fd, const std::filesystem::path& lock) {
  struct stat held {
  }, named{};
  return ::fstat(fd, &held) == 0 && ::lstat(lock.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

// Everything in the folder but its lock file, then the lock file, then the folder; quietly, since
// a file that will not go only keeps the folder in place for a later clean-up.
void RemoveHeldFolder(const std::filesystem::path& dir) {
  std::error_code ec;
  bool emptied = true;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    if (entry.path().filename() == kLockName) continue;
    std::error_code removal;
    std::filesystem::remove_all(entry.path(), removal);
    if (removal) emptied = false;
  }
  if (ec || !emptied) return;
  ::unlink((dir / kLockName).c_str());
  ::rmdir(dir.c_str());
}

class LockedRunFolder : public RunFolder {
 public:
  LockedRunFolder(std::filesystem::path dir, int fd) : dir_(std::move(dir)), text_(dir_.string() + "/"), fd_(fd) {}
  ~LockedRunFolder() override {
    RemoveHeldFolder(dir_);
    ::close(fd_);
  }
  LockedRunFolder(const LockedRunFolder&) = delete;
  LockedRunFolder& operator=(const LockedRunFolder&) = delete;

  const std::string& path() const override { return text_; }

 private:
  std::filesystem::path dir_;
  std::string text_;
  int fd_;
};

}  // namespace

std::unique_ptr<RunFolder> CreateRunFolder(const std::filesystem::path& workFolder) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::string name = (workFolder / (std::string(kPrefix) + "XXXXXX")).string();
    if (::mkdtemp(name.data()) == nullptr) throw RunFolderError(workFolder, SystemReason(errno));
    const std::filesystem::path dir = name;
    const std::filesystem::path lock = dir / kLockName;
    const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == ENOENT) continue;
      const int reason = errno;
      ::rmdir(dir.c_str());
      throw RunFolderError(workFolder, SystemReason(reason));
    }
    // Waits only while a clean-up that found the new lock file first removes the folder.
    int locked;
    while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (locked == 0 && StillNamed(fd, lock)) return std::make_unique<LockedRunFolder>(dir, fd);
    const int reason = errno;
    ::close(fd);
    if (locked != 0) throw RunFolderError(workFolder, SystemReason(reason));
  }
  throw RunFolderError(workFolder, "every attempt was swept away");
}

void RemoveAbandonedRunFolders(const std::filesystem::path& workFolder) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(workFolder, ec)) {
    const std::string name = entry.path().filename().string();
    std::error_code typeError;
    if (name.rfind(kPrefix, 0) != 0 || !entry.is_directory(typeError) || entry.is_symlink(typeError)) continue;
    const std::filesystem::path lock = entry.path() / kLockName;
    const int fd = ::open(lock.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
      // A run between making its folder and its lock file, or one that died right then: the folder
      // is empty, and only an empty folder goes.
      if (errno == ENOENT) ::rmdir(entry.path().c_str());
      continue;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(fd, lock)) RemoveHeldFolder(entry.path());
    ::close(fd);
  }
}

}  // namespace velkor::platform

#endif  // _WIN32
