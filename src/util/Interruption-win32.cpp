#include <windows.h>

#include <string>

#include "util/Interruption.h"
#include "util/InterruptionSlots.h"
#include "util/WindowsText.h"

namespace {

// A file to remove: through its handle where one is given, else by path.
struct File {
  HANDLE handle = INVALID_HANDLE_VALUE;
  std::wstring path;
};

InterruptionSlots<File> gFiles;
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
  gFiles.forEachFile([](const File& file) {
    if (file.handle != INVALID_HANDLE_VALUE) {
      FILE_DISPOSITION_INFO disposition{TRUE};
      SetFileInformationByHandle(file.handle, FileDispositionInfo, &disposition, sizeof disposition);
    } else {
      DeleteFileW(file.path.c_str());
    }
  });
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
  return gFiles.take([&](File& slot) {
    slot.path = wide;
    slot.handle = reinterpret_cast<HANDLE>(file);
  });
}

void unregisterRemovalOnInterrupt(int slot) { gFiles.free(slot); }

InterruptionDeferral::InterruptionDeferral() : saved_() { AcquireSRWLockShared(&gDeferral); }

InterruptionDeferral::~InterruptionDeferral() { ReleaseSRWLockShared(&gDeferral); }
