#include "util/Interruption.h"

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <pthread.h>

#include <climits>
#include <csignal>
#include <cstring>

#include "util/InterruptionSlots.h"

namespace {

// A file to remove: its path, and for a lock file the descriptor that
// holds its lock.
struct File {
  int lockFd = -1;
  char path[PATH_MAX];
};

// A lock file is removed only by its holder: the descriptor holds the lock
// (taking it again is then a no-op) and still names the file at the path
// (nobody replaced it since).
bool holdsLockFile(const File& file) {
  if (file.lockFd < 0) return true;
  if (::flock(file.lockFd, LOCK_EX | LOCK_NB) != 0) return false;
  struct stat opened, current;
  return ::fstat(file.lockFd, &opened) == 0 && ::lstat(file.path, &current) == 0 &&
         opened.st_dev == current.st_dev && opened.st_ino == current.st_ino;
}

InterruptionSlots<File> gFiles;

// Only system calls: flock, fstat, lstat, unlink and _exit.
extern "C" void removeRegisteredFilesAndExit(int signalNumber) {
  gFiles.forEachFile([](const File& file) {
    if (holdsLockFile(file)) ::unlink(file.path);
  });
  ::_exit(128 + signalNumber);
}

void setHandler(int signalNumber, void (*handler)(int)) {
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  ::sigaction(signalNumber, &action, nullptr);
}

}  // namespace

void installInterruptionHandlers() {
  setHandler(SIGINT, removeRegisteredFilesAndExit);
  setHandler(SIGTERM, removeRegisteredFilesAndExit);
  setHandler(SIGPIPE, SIG_IGN);
  setHandler(SIGXFSZ, SIG_IGN);
}

int registerRemovalOnInterrupt(const std::string& path, std::intptr_t lockFd) {
  if (path.empty() || path.size() >= PATH_MAX) return -1;
  return gFiles.take([&](File& file) {
    std::memcpy(file.path, path.c_str(), path.size() + 1);
    file.lockFd = static_cast<int>(lockFd);
  });
}

void unregisterRemovalOnInterrupt(int slot) { gFiles.free(slot); }

InterruptionDeferral::InterruptionDeferral() {
  static_assert(sizeof(sigset_t) <= sizeof saved_, "room for a signal mask");
  sigset_t deferred;
  sigemptyset(&deferred);
  sigaddset(&deferred, SIGINT);
  sigaddset(&deferred, SIGTERM);
  ::pthread_sigmask(SIG_BLOCK, &deferred, reinterpret_cast<sigset_t*>(saved_));
}

// A signal that came meanwhile is delivered as the mask is restored.
InterruptionDeferral::~InterruptionDeferral() {
  ::pthread_sigmask(SIG_SETMASK, reinterpret_cast<const sigset_t*>(saved_), nullptr);
}
