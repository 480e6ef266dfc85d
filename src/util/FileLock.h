// An exclusive lock on a file that other runs replace, so that two runs
// that extend the same file one after the other never work on the same old
// contents at once (the second would save over the first's additions).
//
// The file itself cannot carry the lock: it is replaced by a new file on
// every save. The lock is an flock on ".<name>.co447gen-lock" beside the
// file (a symbolic link is followed first, so that every path to the file
// shares one lock). The holder removes the lock file when it lets go; a
// waiter that then holds the lock of a removed file tries again on the
// new one. A lock file left by a killed run is not locked by anyone and is
// taken over.
#pragma once

#include <chrono>
#include <functional>
#include <string>

class ZFileLock {
 public:
  ZFileLock() = default;
  ~ZFileLock() { release(); }
  ZFileLock(const ZFileLock&) = delete;
  ZFileLock& operator=(const ZFileLock&) = delete;

  enum class Result { Locked, Unlockable, TimedOut };

  // Takes the lock of the file at path. When another process holds it,
  // calls onWait once and waits, at most limit. Unlockable: no lock file
  // can be made beside the file (a directory the process may not write);
  // the caller goes on without a lock, as no other run can replace the file
  // there either.
  Result acquire(const std::string& path, const std::function<void()>& onWait, std::chrono::milliseconds limit);
  bool held() const { return fd_ >= 0; }
  // Removes the lock file and lets go of the lock.
  void release();

 private:
  std::string lockPath_;
  int fd_ = -1;
  int interruptSlot_ = -1;
};
