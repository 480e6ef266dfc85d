#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <aclapi.h>

#include <chrono>
#include <thread>

#include "util/Interruption.h"
#include "util/Paths.h"
#include "util/ReplacementFile.h"
#include "util/StringFormat.h"
#include "util/WindowsText.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// How long a commit is retried while another process (a virus scanner, an
// indexer) has the new file or the target open.
constexpr auto kRetryFor = std::chrono::milliseconds(1000);

bool processIsAlive(DWORD processId) {
  const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;  // another user's, running
  const bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return alive;
}

// A temporary file "<prefix><pid>-<n>.tmp" whose process is gone was left by
// a killed run: removed. A file that a live run has open cannot be deleted
// (its writer shares it with nobody for deletion), whatever its name says.
void removeLeftovers(const std::string& directory, const std::string& prefix) {
  WIN32_FIND_DATAW entry;
  const HANDLE listing = FindFirstFileW(widePath(directory + prefix + "*").c_str(), &entry);
  if (listing == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = utf8Text(entry.cFileName);
    if (!isTemporaryFileName(name, prefix)) continue;
    if ((entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) continue;
    const unsigned long processId = std::strtoul(name.c_str() + prefix.size(), nullptr, 10);
    if (processId == 0 || processId == GetCurrentProcessId() || processIsAlive(processId)) continue;
    DeleteFileW(widePath(directory + name).c_str());
  } while (FindNextFileW(listing, &entry));
  FindClose(listing);
}

bool isRetryable(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

bool isInUse(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

// The attributes a replaced file passes on (a read-only one is not
// replaced at all).
constexpr DWORD kPassedOnAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

void setAttributes(const std::wstring& path, DWORD attributes) {
  SetFileAttributesW(path.c_str(), attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL);
}

// The new file takes on what was set on the file it replaces: its
// attributes and its access control list (protected from inheritance or
// not, as there); a file that is new is not hidden. What cannot be passed
// on leaves the new file as the directory makes it, the running user's.
// (ReplaceFileW would do this, but is not atomic everywhere: wine moves the
// old file aside first, and a kill in between left no database.)
void passOnTargetProperties(const std::wstring& temporary, const std::wstring& target) {
  const DWORD targetAttributes = GetFileAttributesW(target.c_str());
  if (targetAttributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD attributes = GetFileAttributesW(temporary.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) setAttributes(temporary, attributes & ~FILE_ATTRIBUTE_HIDDEN);
    return;
  }
  setAttributes(temporary, targetAttributes & kPassedOnAttributes);
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(target.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                            nullptr, &descriptor) != ERROR_SUCCESS) {
    return;
  }
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  if (dacl != nullptr && GetSecurityDescriptorControl(descriptor, &control, &revision)) {
    const SECURITY_INFORMATION which =
        DACL_SECURITY_INFORMATION | ((control & SE_DACL_PROTECTED) != 0 ? PROTECTED_DACL_SECURITY_INFORMATION
                                                                        : UNPROTECTED_DACL_SECURITY_INFORMATION);
    SetNamedSecurityInfoW(const_cast<wchar_t*>(temporary.c_str()), SE_FILE_OBJECT, which, nullptr, nullptr, dacl,
                          nullptr);
  }
  LocalFree(descriptor);
}

}  // namespace

std::FILE* openRegularFileForWriting(const std::string& path, bool append) {
  // A device, a directory or a link is refused before anything is opened.
  const PathKind kind = pathKindAt(path, false);
  if (kind != PathKind::Nothing && kind != PathKind::RegularFile) return nullptr;
  const HANDLE file = CreateFileW(widePath(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  BY_HANDLE_FILE_INFORMATION info{};
  bool usable = GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
                (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
  const bool holdsBytes = info.nFileSizeHigh != 0 || info.nFileSizeLow != 0;
  if (usable && !append && holdsBytes) usable = SetEndOfFile(file) != 0;
  const int fd = usable ? _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_BINARY | (append ? _O_APPEND : 0)) : -1;
  if (fd < 0) {
    CloseHandle(file);
    return nullptr;
  }
  std::FILE* stream = _fdopen(fd, append ? "ab" : "wb");
  if (stream == nullptr) _close(fd);  // closes the handle too
  return stream;
}

std::string replacementTarget(const std::string& path) {
  // A link is followed where it leads to something; the file system gives
  // the path of what it leads to.
  if (pathKindAt(path, false) != PathKind::SymbolicLink || pathKindAt(path, true) == PathKind::Nothing) return path;
  return resolvedPath(path);
}

unsigned long ReplacementFile::processId() { return GetCurrentProcessId(); }

// A link is followed only where it leads to something.
bool ReplacementFile::endsAtLink(const std::string& given, std::string& errorText) const {
  if (pathKindAt(target_, false) != PathKind::SymbolicLink) return false;
  errorText = strFormat("\"%s\" is a symbolic link to nothing", given.c_str());
  return true;
}

bool ReplacementFile::prepareDirectory(const std::string& directory, const std::string& prefix, std::string&) {
  removeLeftovers(directory, prefix);
  return true;
}

ReplacementFile::Made ReplacementFile::makeTemporary(const std::string& directory, const std::string& name,
                                                       std::string& reason) {
  const std::string path = directory + name;
  DWORD error = ERROR_SUCCESS;
  {
    // Made and registered before an interrupt is handled. The writer opens
    // it again by name (hence shared for writing); nobody else may delete
    // it while this handle is open.
    const InterruptionDeferral deferral;
    const HANDLE file = CreateFileW(widePath(path).c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      file_ = reinterpret_cast<std::intptr_t>(file);
      interruptSlot_ = registerRemovalOnInterrupt(path, file_);
      return Made::file;
    }
    error = GetLastError();
  }
  reason = systemMessage(error);
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? Made::nameTaken : Made::failed;
}

bool ReplacementFile::moveOverTarget(std::string& errorText) {
  {
    // Closed before it is moved; from now on an interrupt removes it by name.
    const InterruptionDeferral deferral;
    unregisterRemovalOnInterrupt(interruptSlot_);
    CloseHandle(reinterpret_cast<HANDLE>(file_));
    file_ = -1;
    interruptSlot_ = registerRemovalOnInterrupt(temporary_);
  }
  const std::wstring temporary = widePath(temporary_);
  const std::wstring target = widePath(target_);
  const auto deadline = std::chrono::steady_clock::now() + kRetryFor;
  passOnTargetProperties(temporary, target);
  // One rename over the target, which holds its old bytes or the new ones
  // whatever happens to the process meanwhile.
  while (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    if (!isRetryable(error) || std::chrono::steady_clock::now() >= deadline) {
      errorText = strFormat("Cannot replace \"%s\": %s", target_.c_str(), systemMessage(error).c_str());
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

void ReplacementFile::discard() {
  if (file_ != -1) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    SetFileInformationByHandle(reinterpret_cast<HANDLE>(file_), FileDispositionInfo, &disposition,
                               sizeof disposition);
  } else if (!temporary_.empty()) {
    DeleteFileW(widePath(temporary_).c_str());
  }
  temporary_.clear();
  release();
}

void ReplacementFile::release() {
  unregisterRemovalOnInterrupt(interruptSlot_);
  interruptSlot_ = -1;
  if (file_ != -1) CloseHandle(reinterpret_cast<HANDLE>(file_));
  file_ = -1;
  target_.clear();
}

// A file that another program holds open without sharing its deletion
// cannot be deleted; one whose deletion it shares stays at its path,
// deletion pending, until that program lets it go. Either is waited for.
Removal removeOldFile(const std::string& path) {
  const auto deadline = std::chrono::steady_clock::now() + kRetryFor;
  bool deleted = false;
  for (;;) {
    if (!deleted) {
      deleted = deleteFile(path);
      if (!deleted && !isInUse(GetLastError())) return Removal::Failed;
    }
    if (deleted && pathKindAt(path, false) == PathKind::Nothing) return Removal::Removed;
    if (std::chrono::steady_clock::now() >= deadline) return Removal::InUse;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}
