#include "util/FileLock.h"

#include "util/Paths.h"
#include "util/ReplacementFile.h"

// Named after the file's name as the file system keeps it: on Windows
// "db.dbc.", "db.dbc " and the short name of db.dbc open that file, and
// must take its lock, not one of their own.
std::string FileLock::lockPathOf(const std::string& path) {
  const std::string target = withNameAsKept(replacementTarget(path));
  const std::size_t separator = target.find_last_of("/\\");
  const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  return target.substr(0, nameStart) + "." + target.substr(nameStart) + ".co447gen-lock";
}
