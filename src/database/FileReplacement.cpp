#include "database/FileReplacement.h"

#include <sys/stat.h>
#include <unistd.h>

#include "util/ReplacementFile.h"
#include "util/StringFormat.h"

bool replaceFile(const std::string& path, const std::function<void(ZTextStream&)>& writeContents,
                 std::string& errorText) {
  const std::string target = replacementTarget(path);
  struct stat old;
  const bool replacesFile = ::stat(target.c_str(), &old) == 0;
  if (replacesFile && S_ISDIR(old.st_mode)) {
    errorText = strFormat("\"%s\" is a directory", path.c_str());
    return false;
  }
  if (replacesFile && !S_ISREG(old.st_mode)) {
    errorText = strFormat("\"%s\" is not a regular file", path.c_str());
    return false;
  }
  if (replacesFile && ::access(target.c_str(), W_OK) != 0) {
    errorText = strFormat("\"%s\" is write-protected", path.c_str());
    return false;
  }

  ZReplacementFile replacement;
  if (!replacement.create(path, errorText)) return false;
  ZTextStream out;
  bool written = out.open(replacement.temporaryPath(), ZTextStream::Mode::Truncate);
  if (written) {
    writeContents(out);
    written = out.close();
  }
  if (!written) {
    errorText = strFormat("Cannot write \"%s\"", replacement.temporaryPath().c_str());
    return false;
  }
  return replacement.commit(errorText);
}
