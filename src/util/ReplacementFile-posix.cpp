#include "util/ReplacementFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "util/Interruption.h"
#include "util/Paths.h"
#include "util/StringFormat.h"

namespace {

// A temporary file "<prefix><pid>-<n>.tmp" whose process is gone and whose
// lock is free was left by a killed run: removed from the directory whose
// descriptor is given.
void removeLeftovers(int directory, const std::string& prefix) {
  const int listed = ::dup(directory);
  DIR* listing = listed < 0 ? nullptr : ::fdopendir(listed);
  if (listing == nullptr) {
    if (listed >= 0) ::close(listed);
    return;
  }
  while (const dirent* entry = ::readdir(listing)) {
    const std::string name = entry->d_name;
    if (!isTemporaryFileName(name, prefix)) continue;
    const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
    if (pid <= 0 || pid == static_cast<long>(::getpid())) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    const int fd = ::openat(directory, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      ::unlinkat(directory, name.c_str(), 0);
    }
    ::close(fd);
  }
  ::closedir(listing);
}

}  // namespace

// O_NONBLOCK keeps the open itself from waiting on a FIFO. A file is
// truncated only when it holds anything: ext4 writes back on close every
// file that was truncated (all of a 300 MB header, while the run waits).
std::FILE* openRegularFileForWriting(const std::string& path, bool append) {
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK |
                    (append ? O_APPEND : 0);
  const int fd = ::open(nativePath(path).c_str(), flags, 0666);
  if (fd < 0) return nullptr;
  struct stat info;
  const bool usable = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                      ::fcntl(fd, F_SETFL, flags & (O_APPEND)) == 0 &&
                      (append || info.st_size == 0 || ::ftruncate(fd, 0) == 0);
  std::FILE* file = usable ? ::fdopen(fd, append ? "ab" : "wb") : nullptr;
  if (file == nullptr) ::close(fd);
  return file;
}

std::string replacementTarget(const std::string& path) {
  const std::string native = nativePath(path);
  struct stat info;
  if (::lstat(native.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return native;
  char* resolved = ::realpath(native.c_str(), nullptr);
  // A link to nothing (yet): the path it leads to, as the shell's ">"
  // creates the file there.
  if (resolved == nullptr) return resolvedPath(native);
  std::string result = resolved;
  std::free(resolved);
  return result;
}

unsigned long ReplacementFile::processId() { return static_cast<unsigned long>(::getpid()); }

// Links that lead round in a loop end at a link.
bool ReplacementFile::endsAtLink(const std::string& given, std::string& errorText) const {
  struct stat info;
  if (::lstat(target_.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return false;
  errorText = strFormat("\"%s\" is a loop of symbolic links", given.c_str());
  return true;
}

bool ReplacementFile::prepareDirectory(const std::string& directory, const std::string& prefix, std::string& reason) {
  directory_ = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directory_ < 0) {
    reason = std::strerror(errno);
    return false;
  }
  removeLeftovers(directory_, prefix);
  return true;
}

ReplacementFile::Made ReplacementFile::makeTemporary(const std::string& directory, const std::string& name,
                                                       std::string& reason) {
  // Registered before it exists: a signal that comes while the file is
  // being created still finds it. (The name carries this process's id, so
  // nobody else's file goes by it.)
  const int slot = registerRemovalOnInterrupt(directory + name);
  const int fd = ::openat(directory_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) {
    const int error = errno;
    unregisterRemovalOnInterrupt(slot);
    reason = std::strerror(error);
    return error == EEXIST ? Made::nameTaken : Made::failed;
  }
  ::flock(fd, LOCK_EX | LOCK_NB);
  file_ = fd;
  interruptSlot_ = slot;
  return Made::file;
}

bool ReplacementFile::moveOverTarget(std::string& errorText) {
  struct stat old;
  if (::stat(target_.c_str(), &old) == 0) {
    // Owner and group first: changing them may clear set-id bits.
    const int fd = static_cast<int>(file_);
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
      // Neither is permitted: the file stays the running user's.
    }
    ::fchmod(fd, old.st_mode & 07777);
  }
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    errorText = strFormat("Cannot replace \"%s\": %s", target_.c_str(), std::strerror(errno));
    return false;
  }
  return true;
}

// Through the directory it was made in: where that directory was moved
// away and another (or a link) took its path, the file is still found.
void ReplacementFile::discard() {
  if (!temporary_.empty() && directory_ >= 0) ::unlinkat(directory_, temporary_.c_str() + nameStart(temporary_), 0);
  temporary_.clear();
  release();
}

void ReplacementFile::release() {
  unregisterRemovalOnInterrupt(interruptSlot_);
  interruptSlot_ = -1;
  if (file_ >= 0) ::close(static_cast<int>(file_));
  file_ = -1;
  if (directory_ >= 0) ::close(directory_);
  directory_ = -1;
  target_.clear();
}

Removal removeOldFile(const std::string& path) {
  return deleteFile(path) ? Removal::Removed : Removal::Failed;
}
