// The file system part of the path handling on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <deque>
#include <vector>

#include "util/Paths.h"

const char kDirectorySeparator = '/';

std::size_t driveLength(const std::string&) { return 0; }

std::string nativePath(const std::string& path) {
  std::string result = path;
  for (char& c : result) {
    if (c == '\\') c = '/';
  }
  return result;
}

std::filesystem::path fileSystemPath(const std::string& path) { return nativePath(path); }

bool isReadableFile(const std::string& path) {
  if (path.empty()) return false;
  // Without O_NONBLOCK, opening a FIFO waits for a writer.
  const int fd = ::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info;
  const bool readable = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
  ::close(fd);
  return readable;
}

bool deleteFile(const std::string& path) {
  return std::remove(nativePath(path).c_str()) == 0;
}

unsigned long hardLinkCount(const std::string& path) {
  struct stat info;
  if (path.empty() || ::stat(nativePath(path).c_str(), &info) != 0) return 0;
  return static_cast<unsigned long>(info.st_nlink);
}

namespace {

// The components of a path between its separators, in order.
void appendComponents(const std::string& path, std::deque<std::string>& components, bool atFront) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  if (atFront) {
    components.insert(components.begin(), parts.begin(), parts.end());
  } else {
    components.insert(components.end(), parts.begin(), parts.end());
  }
}

std::string joined(const std::vector<std::string>& components) {
  if (components.empty()) return "/";
  std::string path;
  for (const std::string& component : components) path += "/" + component;
  return path;
}

}  // namespace

std::string resolvedPath(const std::string& path) {
  // As the system gives up on loops of links.
  constexpr int kMaxLinks = 40;
  const std::string native = nativePath(path);
  std::deque<std::string> pending;
  if (native.empty() || native[0] != '/') {
    char directory[PATH_MAX];
    if (::getcwd(directory, sizeof directory) != nullptr) appendComponents(directory, pending, false);
  }
  appendComponents(native, pending, false);

  std::vector<std::string> resolved;
  bool exists = true;
  int links = 0;
  while (!pending.empty()) {
    const std::string component = pending.front();
    pending.pop_front();
    if (component == ".") continue;
    if (component == "..") {
      if (!resolved.empty()) resolved.pop_back();
      continue;
    }
    resolved.push_back(component);
    if (!exists) continue;
    const std::string sofar = joined(resolved);
    struct stat info;
    if (::lstat(sofar.c_str(), &info) != 0) {
      exists = false;
      continue;
    }
    if (!S_ISLNK(info.st_mode) || ++links > kMaxLinks) continue;
    char target[PATH_MAX];
    const ssize_t length = ::readlink(sofar.c_str(), target, sizeof target - 1);
    if (length <= 0) continue;
    resolved.pop_back();
    const std::string text(target, static_cast<std::size_t>(length));
    if (text[0] == '/') resolved.clear();
    appendComponents(text, pending, true);
  }
  return joined(resolved);
}

bool namesSameFile(const std::string& first, const std::string& second) {
  if (first.empty() || second.empty()) return false;
  struct stat a, b;
  const bool firstExists = ::stat(nativePath(first).c_str(), &a) == 0;
  const bool secondExists = ::stat(nativePath(second).c_str(), &b) == 0;
  if (firstExists && secondExists) return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
  return resolvedPath(first) == resolvedPath(second);
}

PathKind pathKindAt(const std::string& path, bool followLinks) {
  if (path.empty()) return PathKind::Nothing;
  struct stat info;
  const std::string native = nativePath(path);
  const int result = followLinks ? ::stat(native.c_str(), &info) : ::lstat(native.c_str(), &info);
  if (result != 0) return PathKind::Nothing;
  if (S_ISREG(info.st_mode)) return PathKind::RegularFile;
  if (S_ISDIR(info.st_mode)) return PathKind::Directory;
  if (S_ISLNK(info.st_mode)) return PathKind::SymbolicLink;
  return PathKind::Other;
}

bool isWritable(const std::string& path) { return !path.empty() && ::access(nativePath(path).c_str(), W_OK) == 0; }

std::string withNameAsKept(const std::string& path) { return path; }

FileNameFault fileNameFault(const std::string&) { return FileNameFault::None; }
