// The table of files that an interrupted run removes, as both halves of
// Interruption.h keep it (Interruption-posix.cpp, Interruption-win32.cpp).
// The run fills and frees slots while the interrupt's handler may read the
// table at any moment: a slot is read only once it is completely filled,
// and taking one needs no lock, so the handler never waits for the run.
#pragma once

#include <atomic>

template <typename File>
class InterruptionSlots {
 public:
  // A run has at most a handful of temporary files at a time (output,
  // database, the database's lock file); the table has room to spare.
  static constexpr int kSlots = 16;

  // Takes a free slot and has fill fill in its file; the slot's number, or
  // -1 when none is free.
  template <typename Fill>
  int take(Fill fill) {
    for (int i = 0; i < kSlots; ++i) {
      int expected = kFree;
      if (!states_[i].compare_exchange_strong(expected, kFilling, std::memory_order_acq_rel)) continue;
      fill(files_[i]);
      states_[i].store(kReady, std::memory_order_release);
      return i;
    }
    return -1;
  }
  // Frees a slot that take gave; any other number is ignored.
  void free(int slot) {
    if (slot < 0 || slot >= kSlots) return;
    states_[slot].store(kFree, std::memory_order_release);
  }
  // Calls visit with the file of every filled slot (from the handler).
  template <typename Visit>
  void forEachFile(Visit visit) {
    for (int i = 0; i < kSlots; ++i) {
      if (states_[i].load(std::memory_order_acquire) == kReady) visit(files_[i]);
    }
  }

 private:
  enum State : int { kFree = 0, kFilling = 1, kReady = 2 };
  std::atomic<int> states_[kSlots] = {};
  File files_[kSlots];
};
