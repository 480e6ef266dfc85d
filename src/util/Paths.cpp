#include "util/Paths.h"


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
  result += kDirectorySeparator;
  return result;
}

SplitPath splitPath(const std::string& path) {
  SplitPath parts;
  parts.drive = path.substr(0, driveLength(path));
  const std::string treated = applyDirectoryPathRule(path.substr(parts.drive.size()));
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
