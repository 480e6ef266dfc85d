// The file system part of the path handling on Windows. Paths arrive as
// UTF-8 and go to the wide calls; a file's identity is its volume serial
// number and file index, the file system's counterpart of device and
// inode. DOS device names (NUL, CON, COM1, ...) and the device namespace
// ("\\.\pipe\x") are never opened: they exist, as a FIFO does on POSIX
// systems, but are no regular files.
#include <windows.h>

#include <cctype>
#include <vector>

#include "util/Paths.h"
#include "util/WindowsText.h"

const char kDirectorySeparator = '\\';

std::size_t driveLength(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])) ? 2 : 0;
}

std::string nativePath(const std::string& path) { return path; }

std::filesystem::path fileSystemPath(const std::string& path) { return std::filesystem::path(widePath(path)); }

namespace {

bool equalsIgnoringCase(const std::string& text, const char* upper) {
  std::size_t i = 0;
  for (; i < text.size() && upper[i] != '\0'; ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) != upper[i]) return false;
  }
  return i == text.size() && upper[i] == '\0';
}

// A DOS device name as the last component, with or without an extension
// and trailing blanks ("nul", "COM1.txt", "con "), or a path into the
// device namespace.
bool isDevicePath(const std::string& path) {
  if (path.size() >= 4 && isPathSeparator(path[0]) && isPathSeparator(path[1]) && path[2] == '.' &&
      isPathSeparator(path[3])) {
    return true;
  }
  const std::size_t separator = path.find_last_of("/\\:");
  std::string name = path.substr(separator == std::string::npos ? 0 : separator + 1);
  name = name.substr(0, name.find('.'));
  while (!name.empty() && name.back() == ' ') name.pop_back();
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* device : kDevices) {
    if (equalsIgnoringCase(name, device)) return true;
  }
  // COM0 to COM9 and LPT0 to LPT9, also with a superscript digit (UTF-8
  // "\xc2\xb9", "\xc2\xb2", "\xc2\xb3": COM¹).
  const bool port = name.size() >= 4 && (equalsIgnoringCase(name.substr(0, 3), "COM") ||
                                         equalsIgnoringCase(name.substr(0, 3), "LPT"));
  const std::string number = port ? name.substr(3) : std::string();
  return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') ||
         number == "\xc2\xb9" || number == "\xc2\xb2" || number == "\xc2\xb3";
}

// A handle for asking about the file at path (no data access), following a
// symbolic link or not; INVALID_HANDLE_VALUE when nothing can be opened.
HANDLE openForQuery(const std::string& path, bool followLinks) {
  if (path.empty() || isDevicePath(path)) return INVALID_HANDLE_VALUE;
  const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
  return CreateFileW(widePath(path).c_str(), FILE_READ_ATTRIBUTES,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, flags, nullptr);
}

struct FileInformation {
  bool opened = false;  // something is there
  bool exists = false;  // and the file system told about it
  DWORD openError = ERROR_SUCCESS;  // why it could not be opened
  BY_HANDLE_FILE_INFORMATION info{};
  DWORD type = FILE_TYPE_UNKNOWN;
};

// What the file system says of the file at path, a symbolic link followed
// unless followLinks is false.
FileInformation informationOf(const std::string& path, bool followLinks = true) {
  FileInformation result;
  const HANDLE file = openForQuery(path, followLinks);
  if (file == INVALID_HANDLE_VALUE) {
    result.openError = GetLastError();
    return result;
  }
  result.opened = true;
  result.exists = GetFileInformationByHandle(file, &result.info) != 0;
  result.type = GetFileType(file);
  CloseHandle(file);
  return result;
}

// What stands at a path that cannot be opened even to ask about it (an
// access list that denies it, the paging file): its attributes, which the
// directory keeps, still tell that something is there. A link that is
// followed and cannot be opened leads nowhere.
PathKind kindFromAttributes(const std::string& path, bool followLinks) {
  const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Nothing;
  const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  if (link) return followLinks ? PathKind::Nothing : PathKind::SymbolicLink;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Directory : PathKind::Other;
}

std::wstring withoutLongPrefix(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + path.substr(8);
  if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

std::wstring fullPathOf(const std::wstring& path) {
  const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return path;
  std::vector<wchar_t> full(length);
  const DWORD written = GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
  return written == 0 || written >= length ? path : std::wstring(full.data(), written);
}

// The path the file system gives for an existing file or directory: links
// resolved, short (8.3) names made long, the letter case as stored.
bool finalPathOf(const std::wstring& path, std::wstring& finalPath) {
  const HANDLE file =
      CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::vector<wchar_t> buffer(MAX_PATH);
  DWORD length = GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
  if (length >= buffer.size()) {
    buffer.resize(length + 1);
    length = GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
  }
  CloseHandle(file);
  if (length == 0 || length >= buffer.size()) return false;
  finalPath = withoutLongPrefix(std::wstring(buffer.data(), length));
  return true;
}

std::wstring upperCase(const std::wstring& text) {
  std::wstring upper = text;
  if (!upper.empty()) CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  return upper;
}

}  // namespace

bool isReadableFile(const std::string& path) {
  if (path.empty()) return false;
  if (isDevicePath(path)) return true;
  const HANDLE file = CreateFileW(widePath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
  }
  CloseHandle(file);
  return true;
}

bool deleteFile(const std::string& path) {
  return !path.empty() && !isDevicePath(path) && DeleteFileW(widePath(path).c_str()) != 0;
}

std::string resolvedPath(const std::string& path) {
  const std::wstring full = withoutLongPrefix(fullPathOf(widePath(path)));
  // The longest part that exists is asked of the file system; the rest
  // follows as written.
  std::wstring existing = full;
  std::wstring rest;
  for (;;) {
    std::wstring finalPath;
    if (finalPathOf(existing, finalPath)) {
      if (!rest.empty() && (finalPath.empty() || finalPath.back() != L'\\')) finalPath += L'\\';
      return utf8Text(finalPath + rest);
    }
    const std::size_t separator = existing.find_last_of(L'\\');
    if (separator == std::wstring::npos || separator + 1 >= existing.size()) return utf8Text(full);
    rest = existing.substr(separator + 1) + (rest.empty() ? L"" : L"\\" + rest);
    existing.erase(separator + (separator > 0 && existing[separator - 1] == L':' ? 1 : 0));
    if (existing.empty()) return utf8Text(full);
  }
}

std::string withNameAsKept(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  const std::size_t nameStart = separator == std::string::npos ? driveLength(path) : separator + 1;
  if (nameStart >= path.size() || isDevicePath(path)) return path;
  std::wstring kept;
  const HANDLE file = openForQuery(path, false);
  if (file != INVALID_HANDLE_VALUE) {
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    if (length > 0 && length < buffer.size()) kept.assign(buffer.data(), length);
    CloseHandle(file);
  }
  // Nothing there yet: the name that a file made by this path gets.
  if (kept.empty()) kept = fullPathOf(widePath(path));
  const std::wstring name = kept.substr(kept.find_last_of(L'\\') + 1);
  return name.empty() ? path : path.substr(0, nameStart) + utf8Text(name);
}

bool namesSameFile(const std::string& first, const std::string& second) {
  if (first.empty() || second.empty()) return false;
  const FileInformation a = informationOf(first);
  const FileInformation b = informationOf(second);
  if (a.exists && b.exists) {
    return a.info.dwVolumeSerialNumber == b.info.dwVolumeSerialNumber &&
           a.info.nFileIndexHigh == b.info.nFileIndexHigh && a.info.nFileIndexLow == b.info.nFileIndexLow;
  }
  // Names on Windows are compared without regard to case.
  return upperCase(wideText(resolvedPath(first))) == upperCase(wideText(resolvedPath(second)));
}

unsigned long hardLinkCount(const std::string& path) {
  const FileInformation file = informationOf(path);
  return file.exists ? file.info.nNumberOfLinks : 0;
}

PathKind pathKindAt(const std::string& path, bool followLinks) {
  if (path.empty()) return PathKind::Nothing;
  if (isDevicePath(path)) return PathKind::Other;
  const FileInformation file = informationOf(path, followLinks);
  if (!file.opened) {
    // Not found is nothing, even when a file is made there a moment later.
    if (file.openError == ERROR_FILE_NOT_FOUND || file.openError == ERROR_PATH_NOT_FOUND) return PathKind::Nothing;
    return kindFromAttributes(path, followLinks);
  }
  if (!file.exists || file.type != FILE_TYPE_DISK) return PathKind::Other;
  const DWORD attributes = file.info.dwFileAttributes;
  if (!followLinks && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return PathKind::SymbolicLink;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return PathKind::Directory;
  return PathKind::RegularFile;
}

bool isWritable(const std::string& path) {
  if (path.empty() || isDevicePath(path)) return false;
  const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
  // Access control lists and read-only media tell only when opened.
  const HANDLE file = CreateFileW(widePath(path).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
  CloseHandle(file);
  return true;
}

FileNameFault fileNameFault(const std::string& path) {
  // "\\?\" and "\\.\" lead to names of their own; a drive's ":" follows.
  std::size_t start = 0;
  if (path.size() >= 4 && isPathSeparator(path[0]) && isPathSeparator(path[1]) && (path[2] == '?' || path[2] == '.') &&
      isPathSeparator(path[3])) {
    start = 4;
  }
  start += driveLength(path.substr(start));
  const std::string rest = path.substr(start);
  if (rest.find(':') != std::string::npos) return FileNameFault::DataStream;
  for (const char c : rest) {
    if (static_cast<unsigned char>(c) < 0x20 || std::string("<>\"|?*").find(c) != std::string::npos) {
      return FileNameFault::ForbiddenCharacter;
    }
  }
  return FileNameFault::None;
}
