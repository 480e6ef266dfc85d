#include "database/FileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "util/Paths.h"
#include "util/StringFormat.h"

namespace {

// Attempts at finding an unused temporary file name.
constexpr int kTemporaryNameAttempts = 100;

// The file a path finally names: the target of a symbolic link.
std::string resolveLinks(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string result = resolved;
  std::free(resolved);
  return result;
}

// The directory part of a path, with its trailing "/"; empty for a bare name.
std::string directoryOf(const std::string& path) {
  const std::size_t separator = path.rfind('/');
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

// Creates a new, empty file beside the target; empty result on failure.
std::string createTemporaryFile(const std::string& directory, std::string& errorText) {
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    const std::string name =
        directory + strFormat(".co447gen-%ld-%d.tmp", static_cast<long>(::getpid()), attempt);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      return name;
    }
    if (errno != EEXIST) break;
  }
  errorText = strFormat("Cannot create a temporary file in \"%s\": %s",
                        directory.empty() ? "." : directory.c_str(), std::strerror(errno));
  return std::string();
}

}  // namespace

bool replaceFile(const std::string& path, const std::function<void(ZTextStream&)>& writeContents,
                 std::string& errorText) {
  const std::string target = resolveLinks(nativePath(path));
  const std::string directory = directoryOf(target);
  if (target.empty() || target.size() == directory.size()) {
    errorText = strFormat("\"%s\" names no file", path.c_str());
    return false;
  }

  struct stat old;
  const bool replacesFile = ::stat(target.c_str(), &old) == 0;
  if (replacesFile && S_ISDIR(old.st_mode)) {
    errorText = strFormat("\"%s\" is a directory", path.c_str());
    return false;
  }
  if (replacesFile && ::access(target.c_str(), W_OK) != 0) {
    errorText = strFormat("\"%s\" is write-protected", path.c_str());
    return false;
  }

  const std::string temporary = createTemporaryFile(directory, errorText);
  if (temporary.empty()) return false;

  ZTextStream out;
  bool written = out.open(temporary, ZTextStream::Mode::Truncate);
  if (written) {
    writeContents(out);
    written = out.close();
  }
  if (!written) {
    errorText = strFormat("Cannot write \"%s\"", temporary.c_str());
    deleteFile(temporary);
    return false;
  }
  if (replacesFile) ::chmod(temporary.c_str(), old.st_mode & 07777);
  if (std::rename(temporary.c_str(), target.c_str()) != 0) {
    errorText = strFormat("Cannot replace \"%s\": %s", path.c_str(), std::strerror(errno));
    deleteFile(temporary);
    return false;
  }
  return true;
}
