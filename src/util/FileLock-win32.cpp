#include <windows.h>

#include <thread>

#include "util/FileLock.h"
#include "util/Paths.h"
#include "util/WindowsText.h"

namespace {

constexpr DWORD kNoSharing = 0;
// Refusals in a row that a deletion still pending may explain: about half
// a second.
constexpr int kRefusalsToWaitOut = 25;
constexpr std::chrono::milliseconds kPause(20);

// A lock file opened or made for this run alone, or INVALID_HANDLE_VALUE
// with the reason in error; made tells which. A lock file that is there
// is opened without following a link and for reading only where it may
// not be written.
HANDLE openLockFile(const std::wstring& lockPath, bool& made, DWORD& error) {
  made = true;
  HANDLE file = CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, kNoSharing, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file != INVALID_HANDLE_VALUE) return file;
  error = GetLastError();
  if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return file;
  made = false;
  file = CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE, kNoSharing, nullptr, OPEN_EXISTING,
                     FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
    file = CreateFileW(lockPath.c_str(), GENERIC_READ, kNoSharing, nullptr, OPEN_EXISTING,
                       FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  }
  error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
  return file;
}

bool isRegularFileHandle(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info{};
  return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
         (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

}  // namespace

FileLock::Result FileLock::acquire(const std::string& path, const std::function<void()>& onWait,
                                     std::chrono::milliseconds limit) {
  release();
  const std::string lockPath = lockPathOf(path);
  const std::wstring wideLockPath = widePath(lockPath);
  const auto deadline = std::chrono::steady_clock::now() + limit;
  // A lock file that its maker is closing is refused for a moment (its
  // deletion is pending: it cannot even be opened to ask what it is);
  // anything refused for longer stays refused. Each new holder starts the
  // count again, so that a run waiting behind several others does not add
  // up their hand-overs.
  int refusals = 0;
  bool waited = false;
  for (;;) {
    // A device, directory or link at the lock path is never opened. A lock
    // file whose deletion is pending reads as something that cannot be
    // opened (Other) until its maker's handle is closed.
    const PathKind kind = pathKindAt(lockPath, false);
    if (kind == PathKind::Directory || kind == PathKind::SymbolicLink) return Result::Unusable;
    if (kind == PathKind::Other) {
      if (++refusals > kRefusalsToWaitOut) return Result::Unusable;
      std::this_thread::sleep_for(kPause);
      continue;
    }
    bool made = false;
    DWORD error = ERROR_SUCCESS;
    const HANDLE file = openLockFile(wideLockPath, made, error);
    if (file != INVALID_HANDLE_VALUE) {
      if (!isRegularFileHandle(file)) {
        CloseHandle(file);
        return Result::Unusable;
      }
      file_ = reinterpret_cast<std::intptr_t>(file);
      lockPath_ = lockPath;
      madeFile_ = made;
      return Result::Locked;
    }
    if (error == ERROR_FILE_NOT_FOUND) continue;  // removed between the two opens
    if (error == ERROR_SHARING_VIOLATION) {
      if (!waited && onWait) onWait();
      waited = true;
      refusals = 0;
      if (std::chrono::steady_clock::now() >= deadline) return Result::TimedOut;
    } else if (error != ERROR_ACCESS_DENIED || ++refusals > kRefusalsToWaitOut) {
      return Result::Unusable;
    }
    std::this_thread::sleep_for(kPause);
  }
}

void FileLock::release() {
  if (file_ == -1) return;
  // A lock file of this run's making goes with its handle.
  CloseHandle(reinterpret_cast<HANDLE>(file_));
  file_ = -1;
  madeFile_ = false;
  lockPath_.clear();
}
