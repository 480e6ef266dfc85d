#include "TestSupport.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testsupport {

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

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeFile(const std::string& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << contents;
}

bool exists(const std::string& path) { return std::filesystem::exists(path); }

std::string listing(const std::string& directory) {
  std::string names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names += entry.path().filename().string() + " ";
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
