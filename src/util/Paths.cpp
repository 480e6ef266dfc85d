#include "util/Paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

bool isPathSeparator(char c) { return c == '/' || c == '\\'; }

namespace {

std::string::size_type lastSeparator(const std::string& path) {
  return path.find_last_of("/\\");
}

}  // namespace

std::string applyDirectoryPathRule(const std::string& path) {
  const auto sep = lastSeparator(path);
  if (sep == std::string::npos) return path;
  const auto dot = path.rfind('.');
  if (dot != std::string::npos && dot > sep) return path;
  std::string result = path;
  while (!result.empty() && isPathSeparator(result.back())) result.pop_back();
  result += '/';
  return result;
}

SplitPath splitPath(const std::string& path) {
  const std::string treated = applyDirectoryPathRule(path);
  SplitPath parts;
  const auto sep = lastSeparator(treated);
  std::string file;
  if (sep == std::string::npos) {
    file = treated;
  } else {
    parts.directory = treated.substr(0, sep + 1);
    file = treated.substr(sep + 1);
  }
  const auto dot = file.rfind('.');
  if (dot == std::string::npos) {
    parts.name = file;
  } else {
    parts.name = file.substr(0, dot);
    parts.extension = file.substr(dot);
  }
  return parts;
}

std::string joinPath(const SplitPath& parts) {
  return parts.drive + parts.directory + parts.name + parts.extension;
}

std::string nativePath(const std::string& path) {
  std::string result = path;
  for (char& c : result) {
    if (c == '\\') c = '/';
  }
  return result;
}

bool fileExists(const std::string& path) {
  if (path.empty()) return false;
  const int fd = ::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  const bool regular = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
  ::close(fd);
  return regular;
}

bool directoryExists(const std::string& path) {
  if (path.empty()) return false;
  struct stat info;
  return ::stat(nativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool deleteFile(const std::string& path) {
  return std::remove(nativePath(path).c_str()) == 0;
}
