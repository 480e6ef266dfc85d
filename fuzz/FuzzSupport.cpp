#include "FuzzSupport.h"

#include <unistd.h>
#include <zip.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fuzzsupport {

namespace {

// Every input goes through files, so a memory file system (/dev/shm) makes
// the targets many times faster than a disk; $TMPDIR or /tmp otherwise.
std::string scratchBase() {
  if (::access("/dev/shm", W_OK | X_OK) == 0) return "/dev/shm";
  const char* base = std::getenv("TMPDIR");
  return base != nullptr && *base != '\0' ? base : "/tmp";
}

std::string makeScratchDirectory() {
  std::string pattern = scratchBase() + "/co447gen-fuzz-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) fail("cannot make a temporary directory");
  return pattern;
}

void removeScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(scratchDirectory(), ignored);
}

}  // namespace

const std::string& scratchDirectory() {
  // Never destroyed: the exit handler that removes the directory needs it.
  static const std::string* const path = [] {
    const std::string* made = new std::string(makeScratchDirectory());
    std::atexit(removeScratchDirectory);
    return made;
  }();
  return *path;
}

std::string writeScratchFile(const std::string& name, const std::string& bytes) {
  const std::string path = scratchDirectory() + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) fail("cannot write a scratch file");
  return path;
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void fail(const char* what) {
  std::fprintf(stderr, "fuzz property violated: %s\n", what);
  std::abort();
}

bool writeZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (archive == nullptr) return false;
  for (const auto& entry : entries) {
    zip_source_t* source = zip_source_buffer(archive, entry.second.data(), entry.second.size(), 0);
    if (source == nullptr || zip_file_add(archive, entry.first.c_str(), source, ZIP_FL_OVERWRITE) < 0) {
      if (source != nullptr) zip_source_free(source);
      zip_discard(archive);
      return false;
    }
  }
  // The buffers are read while closing, so entries must outlive this call.
  if (zip_close(archive) != 0) {
    zip_discard(archive);
    return false;
  }
  return true;
}

std::vector<std::string> split(const std::string& bytes, const std::string& separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = bytes.find(separator, start);
    if (at == std::string::npos) break;
    parts.push_back(bytes.substr(start, at - start));
    start = at + separator.size();
  }
  parts.push_back(bytes.substr(start));
  return parts;
}

}  // namespace fuzzsupport
