#include "util/Interruption.h"

#include <unistd.h>

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
  char path[PATH_MAX];
};

Slot gSlots[kSlots];

// Only async-signal-safe calls: unlink and _exit.
extern "C" void removeRegisteredFilesAndExit(int signalNumber) {
  for (Slot& slot : gSlots) {
    if (slot.state.load(std::memory_order_acquire) == kReady) ::unlink(slot.path);
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

int registerRemovalOnInterrupt(const std::string& path) {
  if (path.empty() || path.size() >= PATH_MAX) return -1;
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!gSlots[i].state.compare_exchange_strong(expected, kFilling, std::memory_order_acq_rel)) continue;
    std::memcpy(gSlots[i].path, path.c_str(), path.size() + 1);
    gSlots[i].state.store(kReady, std::memory_order_release);
    return i;
  }
  return -1;
}

void unregisterRemovalOnInterrupt(int slot) {
  if (slot < 0 || slot >= kSlots) return;
  gSlots[slot].state.store(kFree, std::memory_order_release);
}
