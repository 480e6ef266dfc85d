#include "util/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "util/Interruption.h"
#include "util/ReplacementFile.h"

namespace {

std::string lockPathOf(const std::string& path) {
  const std::string target = replacementTarget(path);
  const std::size_t separator = target.rfind('/');
  const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  return target.substr(0, nameStart) + "." + target.substr(nameStart) + ".co447gen-lock";
}

// The descriptor still names the file at the path: nobody removed or
// replaced it between opening and locking.
bool stillAtPath(int fd, const std::string& path) {
  struct stat opened, current;
  return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &current) == 0 && opened.st_dev == current.st_dev &&
         opened.st_ino == current.st_ino;
}

}  // namespace

ZFileLock::Result ZFileLock::acquire(const std::string& path, const std::function<void()>& onWait,
                                     std::chrono::milliseconds limit) {
  release();
  const std::string lockPath = lockPathOf(path);
  const auto deadline = std::chrono::steady_clock::now() + limit;
  bool waited = false;
  for (;;) {
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return Result::Unlockable;
    const int slot = registerRemovalOnInterrupt(lockPath, fd);
    bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    while (!locked && errno == EWOULDBLOCK) {
      if (!waited && onWait) onWait();
      waited = true;
      if (std::chrono::steady_clock::now() >= deadline) {
        unregisterRemovalOnInterrupt(slot);
        ::close(fd);
        return Result::TimedOut;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    }
    if (locked && stillAtPath(fd, lockPath)) {
      fd_ = fd;
      lockPath_ = lockPath;
      interruptSlot_ = slot;
      return Result::Locked;
    }
    unregisterRemovalOnInterrupt(slot);
    ::close(fd);
    if (!locked) return Result::Unlockable;
    // Locked, but the holder removed it while this process waited: the
    // next holder's lock file is a new one.
  }
}

void ZFileLock::release() {
  if (fd_ < 0) return;
  // Unlinked while still registered: an interrupt in between finds the
  // file gone (or another run's) and leaves it.
  ::unlink(lockPath_.c_str());
  unregisterRemovalOnInterrupt(interruptSlot_);
  interruptSlot_ = -1;
  ::close(fd_);
  fd_ = -1;
  lockPath_.clear();
}
