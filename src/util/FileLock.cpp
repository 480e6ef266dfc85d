#include "util/FileLock.h"

#include "util/ReplacementFile.h"

std::string ZFileLock::lockPathOf(const std::string& path) {
  const std::string target = replacementTarget(path);
  const std::size_t separator = target.find_last_of("/\\");
  const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  return target.substr(0, nameStart) + "." + target.substr(nameStart) + ".co447gen-lock";
}
