// An exclusive lock on a file that other runs replace, so that two runs
// that extend the same file one after the other never work on the same old
// contents at once (the second would save over the first's additions).
//
// The file itself cannot carry the lock: it is replaced by a new file on
// every save. The lock is an flock on ".<name>.co447gen-lock" beside the
// file (a symbolic link is followed first, and on Windows <name> is the
// name as the file system keeps it, so that every path to the file shares
// one lock). A run removes the lock file when it lets go, but only
// one it made itself; a waiter that then holds the lock of a removed file
// tries again on the new one. A lock file that is there already (left by
// a killed run, or kept by another user's run) is locked as it is and left
// in place; one that the process may not write is locked through a
// read-only descriptor, which locks it just the same.
//
// On Windows the lock is an exclusive open of the same lock file: while it
// is held, no other process can open the file. A lock file the run made
// goes when its handle closes, also when the process is killed; one that
// was there is opened (for reading only, where it may not be written) and
// left in place.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

class FileLock {
 public:
  FileLock() = default;
  ~FileLock() { release(); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  enum class Result { Locked, Unusable, TimedOut };

  // Where the lock of the file at path lies.
  static std::string lockPathOf(const std::string& path);

  // Takes the lock of the file at path. When another process holds it,
  // calls onWait once and waits, at most limit. Unusable: anything but a
  // regular file stands at the lock path (a directory, a FIFO, a device, a
  // symbolic link, which is not followed), or no lock file can be opened or
  // made there; what stands there is left as it is. A caller must not go on
  // without the lock: another run could save over its work.
  Result acquire(const std::string& path, const std::function<void()>& onWait, std::chrono::milliseconds limit);
  bool held() const { return file_ != -1; }
  // Lets go of the lock and removes the lock file if this lock made it.
  void release();

 private:
  std::string lockPath_;
  std::intptr_t file_ = -1;  // POSIX: the descriptor holding the flock; Windows: the handle
  bool madeFile_ = false;
  int interruptSlot_ = -1;
};
