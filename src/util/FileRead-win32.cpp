#include <windows.h>

#include <algorithm>

#include "util/FileRead.h"
#include "util/WindowsText.h"

ZFileReadResult readWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
  const HANDLE file = CreateFileW(widePath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return ZFileReadResult::Failed;
  struct Closer {
    HANDLE file;
    ~Closer() { CloseHandle(file); }
  } closer{file};
  LARGE_INTEGER size;
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size) || size.QuadPart < 0) {
    return ZFileReadResult::Failed;
  }
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return ZFileReadResult::TooLarge;
  std::string contents;
  // One byte more than the size, so that a file that grew shows at once.
  contents.resize(static_cast<std::size_t>(size.QuadPart) + 1);
  std::size_t used = 0;
  for (;;) {
    if (used == contents.size()) {
      if (used > maxBytes) return ZFileReadResult::TooLarge;
      contents.resize(std::min(maxBytes + 1, used + used / 2 + 4096));
    }
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(contents.size() - used, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(file, &contents[used], wanted, &got, nullptr)) return ZFileReadResult::Failed;
    if (got == 0) break;
    used += got;
  }
  contents.resize(used);
  bytes = std::move(contents);
  return ZFileReadResult::Read;
}
