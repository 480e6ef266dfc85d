#include "TestSupport.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace testsupport {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

}  // namespace

bool underAddressSanitizer() { return kAddressSanitizer; }

TempDir::~TempDir() {
  std::error_code ignored;
  // Restore write permission that a test may have taken away, then remove.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::file(const std::string& name) const { return path_ + "/" + name; }

// Paths in the tests are UTF-8, which Windows takes only through the wide
// calls that a path made from UTF-8 leads to.
std::filesystem::path pathOf(const std::string& path) { return std::filesystem::u8path(path); }

std::string readFile(const std::string& path) {
  std::ifstream in(pathOf(path), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeFile(const std::string& path, const std::string& contents) {
  std::ofstream out(pathOf(path), std::ios::binary | std::ios::trunc);
  out << contents;
}

bool exists(const std::string& path) { return std::filesystem::exists(pathOf(path)); }

std::string listing(const std::string& directory) {
  std::string names;
  for (const auto& entry : std::filesystem::directory_iterator(pathOf(directory))) {
    names += entry.path().filename().u8string() + " ";
  }
  return names;
}

std::vector<std::string> identifiersAfter(const std::string& text, const std::string& marker) {
  std::vector<std::string> found;
  for (std::size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + 1)) {
    std::size_t end = at + marker.size();
    while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_')) ++end;
    found.push_back(text.substr(at + marker.size(), end - at - marker.size()));
  }
  return found;
}

std::string dataPath(const std::string& name) { return std::string(CO447GEN_TEST_DATA_DIR) + "/" + name; }

bool runningInCi() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && std::string(ci) == "true";
}

std::string crlf(const std::string& text) {
  std::string result;
  result.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}

ScopedEnvironment::ScopedEnvironment(std::string name, const char* value) : name_(std::move(name)) {
  const char* old = std::getenv(name_.c_str());
  hadOld_ = old != nullptr;
  if (hadOld_) old_ = old;
  setEnvironment(name_, value);
}

ScopedEnvironment::~ScopedEnvironment() { setEnvironment(name_, hadOld_ ? old_.c_str() : nullptr); }

std::string shellQuote(const std::string& argument) {
  std::string quoted = "'";
  for (char c : argument) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

}  // namespace testsupport
