#include "database/FileReplacement.h"

#include "util/Paths.h"
#include "util/ReplacementFile.h"
#include "util/StringFormat.h"

bool replaceFile(const std::string& path, const std::function<void(TextStream&)>& writeContents,
                 std::string& errorText) {
  const std::string target = replacementTarget(path);
  const PathKind old = pathKindAt(target, true);
  const bool replacesFile = old != PathKind::Nothing;
  if (old == PathKind::Directory) {
    errorText = strFormat("\"%s\" is a directory", path.c_str());
    return false;
  }
  if (replacesFile && old != PathKind::RegularFile) {
    errorText = strFormat("\"%s\" is not a regular file", path.c_str());
    return false;
  }
  if (replacesFile && !isWritable(target)) {
    errorText = strFormat("\"%s\" is write-protected", path.c_str());
    return false;
  }

  ReplacementFile replacement;
  if (!replacement.create(path, errorText)) return false;
  TextStream out;
  bool written = out.open(replacement.temporaryPath(), TextStream::Mode::Truncate);
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
