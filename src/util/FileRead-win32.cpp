#include <windows.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "util/FileRead.h"
#include "util/Paths.h"
#include "util/WindowsText.h"

namespace {

// How long a file that another program keeps from being read is tried
// again (as long as a replacement is).
constexpr auto kRetryFor = std::chrono::milliseconds(1000);

bool isInUse(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

// The file at path opened for reading, tried again while another program
// keeps it from being read; INVALID_HANDLE_VALUE with inUse telling why.
HANDLE openForReading(const std::string& path, bool& inUse) {
  const std::wstring widened = widePath(path);
  const auto deadline = std::chrono::steady_clock::now() + kRetryFor;
  for (;;) {
    const HANDLE file = CreateFileW(widened.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    inUse = file == INVALID_HANDLE_VALUE && isInUse(GetLastError());
    if (!inUse || std::chrono::steady_clock::now() >= deadline) return file;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace

ReadAccess readAccessOf(const std::string& path) {
  // Devices and directories are never opened here: isReadableFile tells.
  if (pathKindAt(path, true) != PathKind::RegularFile) {
    return isReadableFile(path) ? ReadAccess::Readable : ReadAccess::Missing;
  }
  bool inUse = false;
  const HANDLE file = openForReading(path, inUse);
  if (file == INVALID_HANDLE_VALUE) return inUse ? ReadAccess::InUse : ReadAccess::Missing;
  CloseHandle(file);
  return ReadAccess::Readable;
}

FileReadResult readWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
  bool inUse = false;
  const HANDLE file = openForReading(path, inUse);
  if (file == INVALID_HANDLE_VALUE) return inUse ? FileReadResult::InUse : FileReadResult::Failed;
  struct Closer {
    HANDLE file;
    ~Closer() { CloseHandle(file); }
  } closer{file};
  LARGE_INTEGER size;
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size) || size.QuadPart < 0) {
    return FileReadResult::Failed;
  }
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return FileReadResult::TooLarge;
  std::string contents;
  // One byte more than the size, so that a file that grew shows at once.
  contents.resize(static_cast<std::size_t>(size.QuadPart) + 1);
  std::size_t used = 0;
  for (;;) {
    if (used == contents.size()) {
      if (used > maxBytes) return FileReadResult::TooLarge;
      contents.resize(std::min(maxBytes + 1, used + used / 2 + 4096));
    }
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(contents.size() - used, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(file, &contents[used], wanted, &got, nullptr)) return FileReadResult::Failed;
    if (got == 0) break;
    used += got;
  }
  contents.resize(used);
  bytes = std::move(contents);
  return FileReadResult::Read;
}
