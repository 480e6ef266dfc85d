#include "util/FileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "util/Paths.h"

namespace {

// Closes the descriptor on every way out.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

FileReadResult readWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
  const Descriptor file{::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  struct stat info;
  if (file.fd < 0 || ::fstat(file.fd, &info) != 0) return FileReadResult::Failed;
  if (info.st_size < 0) return FileReadResult::Failed;
  if (static_cast<unsigned long long>(info.st_size) > maxBytes) return FileReadResult::TooLarge;
  std::string contents;
  // One byte more than the size, so that a file that grew shows at once.
  contents.resize(static_cast<std::size_t>(info.st_size) + 1);
  std::size_t used = 0;
  for (;;) {
    if (used == contents.size()) {
      if (used > maxBytes) return FileReadResult::TooLarge;
      contents.resize(std::min(maxBytes + 1, used + used / 2 + 4096));
    }
    const ssize_t got = ::read(file.fd, &contents[used], contents.size() - used);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return FileReadResult::Failed;
    if (got == 0) break;
    used += static_cast<std::size_t>(got);
  }
  contents.resize(used);
  bytes = std::move(contents);
  return FileReadResult::Read;
}

ReadAccess readAccessOf(const std::string& path) {
  return isReadableFile(path) ? ReadAccess::Readable : ReadAccess::Missing;
}
