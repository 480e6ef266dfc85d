// Writing a file so that a failure never destroys its old contents.
#pragma once

#include <functional>
#include <string>

#include "util/TextStream.h"

// Writes the file at path by way of a temporary file beside it (see
// ReplacementFile) that is renamed over path only once everything was
// written and closed: path then holds either its old bytes or the complete
// new ones. An existing file keeps its permissions and, where the process
// may keep them, its owner and group; a symbolic link is followed and the
// file it names is replaced. A write-protected existing file, a directory
// or anything else that is not a regular file is not replaced. False, with
// the reason in errorText, on any failure; the temporary file is removed
// again.
bool replaceFile(const std::string& path, const std::function<void(TextStream&)>& writeContents,
                 std::string& errorText);
