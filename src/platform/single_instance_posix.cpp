// The single-instance mark on POSIX systems: an exclusive flock on a file in the private work folder.
// The kernel drops the lock when the process ends, also on a crash or SIGKILL, so no stale mark
// can keep the program from starting again.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/error.h"
#include "platform/platform.h"

namespace velkor::platform {

namespace {
class FlockInstance : public SingleInstance {
 public:
  FlockInstance(int fd, bool alreadyRunning) : fd_(fd), alreadyRunning_(alreadyRunning) {}
  ~FlockInstance() override {
    if (fd_ >= 0) ::close(fd_);
  }
  FlockInstance(const FlockInstance&) = delete;
  FlockInstance& operator=(const FlockInstance&) = delete;

  bool AlreadyRunning() const override { return alreadyRunning_; }

 private:
  int fd_;
  bool alreadyRunning_;
};
}  // namespace

std::unique_ptr<SingleInstance> ClaimSingleInstance(const std::string& name, const std::string& workFolder) {
  const std::string path = workFolder + name;
  // O_NOFOLLOW: the folder is private, but a planted link must never redirect our open.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) throw Error(CannotOpen(path) + ": " + std::strerror(errno));
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return std::make_unique<FlockInstance>(fd, false);
  const int reason = errno;
  ::close(fd);
  if (reason == EWOULDBLOCK) return std::make_unique<FlockInstance>(-1, true);
  throw Error(CannotOpen(path) + ": " + std::strerror(reason));
}

}  // namespace velkor::platform

#endif
