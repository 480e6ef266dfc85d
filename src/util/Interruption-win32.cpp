#include <windows.h>

#include <atomic>

#include "util/Interruption.h"
#include "util/WindowsText.h"

namespace {

// A run has at most a handful of temporary files at a time (output,
// database); the table has room to spare.
constexpr int kSlots = 16;

enum SlotState : int { kFree = 0, kFilling = 1, kReady = 2 };

struct Slot {
  std::atomic<int> state{kFree};
  HANDLE file = INVALID_HANDLE_VALUE;
  std::wstring path;
};

Slot gSlots[kSlots];
// Deferrals hold it shared; the handler takes it whole before it looks at
// the slots.
SRWLOCK gDeferral = SRWLOCK_INIT;

// Runs on a thread of its own that the system starts for the event, while
// the run goes on: the files are marked for deletion (they go when the
// process's handles close) and the process ends at once, without the
// C runtime's clean-up that the run's thread may be in the middle of.
BOOL WINAPI removeRegisteredFilesAndExit(DWORD event) {
  UINT exitCode;
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      exitCode = 130;
      break;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      exitCode = 143;
      break;
    default:
      return FALSE;
  }
  AcquireSRWLockExclusive(&gDeferral);
  for (Slot& slot : gSlots) {
    if (slot.state.load(std::memory_order_acquire) != kReady) continue;
    if (slot.file != INVALID_HANDLE_VALUE) {
      FILE_DISPOSITION_INFO disposition{TRUE};
      SetFileInformationByHandle(slot.file, FileDispositionInfo, &disposition, sizeof disposition);
    } else {
      DeleteFileW(slot.path.c_str());
    }
  }
  TerminateProcess(GetCurrentProcess(), exitCode);
  return TRUE;
}

}  // namespace

void installInterruptionHandlers() {
  // A process started in a new process group begins with Ctrl+C ignored.
  SetConsoleCtrlHandler(nullptr, FALSE);
  SetConsoleCtrlHandler(removeRegisteredFilesAndExit, TRUE);
}

int registerRemovalOnInterrupt(const std::string& path, std::intptr_t file) {
  if (path.empty()) return -1;
  const std::wstring wide = widePath(path);
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!gSlots[i].state.compare_exchange_strong(expected, kFilling, std::memory_order_acq_rel)) continue;
    gSlots[i].path = wide;
    gSlots[i].file = reinterpret_cast<HANDLE>(file);
    gSlots[i].state.store(kReady, std::memory_order_release);
    return i;
  }
  return -1;
}

void unregisterRemovalOnInterrupt(int slot) {
  if (slot < 0 || slot >= kSlots) return;
  gSlots[slot].state.store(kFree, std::memory_order_release);
}

ZInterruptionDeferral::ZInterruptionDeferral() : saved_() { AcquireSRWLockShared(&gDeferral); }

ZInterruptionDeferral::~ZInterruptionDeferral() { ReleaseSRWLockShared(&gDeferral); }
