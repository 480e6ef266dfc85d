#include "util/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "util/Interruption.h"

namespace {

// The descriptor still names the file at the path: nobody removed or
// replaced it between opening and locking.
bool stillAtPath(int fd, const std::string& path) {
  struct stat opened, current;
  return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &current) == 0 && opened.st_dev == current.st_dev &&
         opened.st_ino == current.st_ino;
}

// Opens the lock file, making it when there is none; made tells which. A
// lock file that the process may not write is opened for reading (flock
// needs no more). -1 when anything but a regular file stands at the path
// (checked before it is opened, so that no device is opened, and after)
// or no lock file can be opened or made.
int openLockFile(const std::string& lockPath, bool& made) {
  constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
  // A lock file that its maker removes between the two opens is made anew.
  for (int attempt = 0; attempt < 100; ++attempt) {
    int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_EXCL | kFlags, 0666);
    if (fd >= 0) {
      made = true;
      return fd;
    }
    if (errno != EEXIST) return -1;
    struct stat info;
    if (::lstat(lockPath.c_str(), &info) != 0) {
      if (errno == ENOENT) continue;
      return -1;
    }
    if (!S_ISREG(info.st_mode)) return -1;
    fd = ::open(lockPath.c_str(), O_RDWR | kFlags);
    if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) fd = ::open(lockPath.c_str(), O_RDONLY | kFlags);
    if (fd < 0 && errno == ENOENT) continue;
    if (fd < 0) return -1;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
      ::close(fd);
      return -1;
    }
    made = false;
    return fd;
  }
  return -1;
}

}  // namespace

FileLock::Result FileLock::acquire(const std::string& path, const std::function<void()>& onWait,
                                     std::chrono::milliseconds limit) {
  release();
  const std::string lockPath = lockPathOf(path);
  const auto deadline = std::chrono::steady_clock::now() + limit;
  bool waited = false;
  for (;;) {
    bool made = false;
    int fd = -1;
    int slot = -1;
    {
      // A lock file made here is registered before an interrupt can leave
      // it behind: the next run would take it for one it did not make.
      const InterruptionDeferral deferral;
      fd = openLockFile(lockPath, made);
      // Only a lock file of this run's making is removed on an interrupt.
      if (fd >= 0 && made) slot = registerRemovalOnInterrupt(lockPath, fd);
    }
    if (fd < 0) return Result::Unusable;
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
      file_ = fd;
      lockPath_ = lockPath;
      madeFile_ = made;
      interruptSlot_ = slot;
      return Result::Locked;
    }
    unregisterRemovalOnInterrupt(slot);
    ::close(fd);
    if (!locked) return Result::Unusable;
    // Locked, but the holder removed it while this process waited: the
    // next holder's lock file is a new one.
  }
}

void FileLock::release() {
  if (file_ < 0) return;
  // Unlinked while still registered: an interrupt in between finds the
  // file gone (or another run's) and leaves it. A lock file that was there
  // before stays, whoever made it.
  if (madeFile_) ::unlink(lockPath_.c_str());
  unregisterRemovalOnInterrupt(interruptSlot_);
  interruptSlot_ = -1;
  ::close(static_cast<int>(file_));
  file_ = -1;
  madeFile_ = false;
  lockPath_.clear();
}
