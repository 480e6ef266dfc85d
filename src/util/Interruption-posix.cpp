#include "util/Interruption.h"

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <pthread.h>

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>

namespace {

// A run has at most a handful of temporary files at a time (output,
// database, the database's lock file); the table has room to spare.
constexpr int kSlots = 16;

enum SlotState : int { kFree = 0, kFilling = 1, kReady = 2 };

struct Slot {
  std::atomic<int> state{kFree};
  int lockFd = -1;
  char path[PATH_MAX];
};

// A lock file is removed only by its holder: the descriptor holds the lock
// (taking it again is then a no-op) and still names the file at the path
// (nobody replaced it since).
bool holdsLockFile(const Slot& slot) {
  if (slot.lockFd < 0) return true;
  if (::flock(slot.lockFd, LOCK_EX | LOCK_NB) != 0) return false;
  struct stat opened, current;
  return ::fstat(slot.lockFd, &opened) == 0 && ::lstat(slot.path, &current) == 0 &&
         opened.st_dev == current.st_dev && opened.st_ino == current.st_ino;
}

Slot gSlots[kSlots];

// Only system calls: flock, fstat, lstat, unlink and _exit.
extern "C" void removeRegisteredFilesAndExit(int signalNumber) {
  for (Slot& slot : gSlots) {
    if (slot.state.load(std::memory_order_acquire) == kReady && holdsLockFile(slot)) ::unlink(slot.path);
  }
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
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!gSlots[i].state.compare_exchange_strong(expected, kFilling, std::memory_order_acq_rel)) continue;
    std::memcpy(gSlots[i].path, path.c_str(), path.size() + 1);
    gSlots[i].lockFd = static_cast<int>(lockFd);
    gSlots[i].state.store(kReady, std::memory_order_release);
    return i;
  }
  return -1;
}

void unregisterRemovalOnInterrupt(int slot) {
  if (slot < 0 || slot >= kSlots) return;
  gSlots[slot].state.store(kFree, std::memory_order_release);
}

ZInterruptionDeferral::ZInterruptionDeferral() {
  static_assert(sizeof(sigset_t) <= sizeof saved_, "room for a signal mask");
  sigset_t deferred;
  sigemptyset(&deferred);
  sigaddset(&deferred, SIGINT);
  sigaddset(&deferred, SIGTERM);
  ::pthread_sigmask(SIG_BLOCK, &deferred, reinterpret_cast<sigset_t*>(saved_));
}

// A signal that came meanwhile is delivered as the mask is restored.
ZInterruptionDeferral::~ZInterruptionDeferral() {
  ::pthread_sigmask(SIG_SETMASK, reinterpret_cast<const sigset_t*>(saved_), nullptr);
}
