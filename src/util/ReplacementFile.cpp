#include "util/ReplacementFile.h"

#include "util/Paths.h"
#include "util/StringFormat.h"

namespace {

constexpr int kNameAttempts = 100;
const char kMarker[] = ".co447gen-";
const char kSuffix[] = ".tmp";

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

bool isTemporaryFileName(const std::string& name, const std::string& prefix) {
  return name.compare(0, prefix.size(), prefix) == 0 && endsWith(name, kSuffix);
}

// "/" and the separator of the platform: a path here is one the file
// system takes as it is, where on POSIX systems "\\" is part of a name.
std::size_t ReplacementFile::nameStart(const std::string& path) {
  const char separators[] = {'/', kDirectorySeparator, '\0'};
  const std::size_t separator = path.find_last_of(separators);
  return separator == std::string::npos ? driveLength(path) : separator + 1;
}

ReplacementFile::~ReplacementFile() { discard(); }

bool ReplacementFile::create(const std::string& target, std::string& errorText, bool followLink) {
  discard();
  // A short (8.3) name or one with trailing dots or blanks (Windows): the
  // file is replaced under its long name, which a rename onto the short
  // one would take from it.
  target_ = withNameAsKept(followLink ? replacementTarget(target) : nativePath(target));
  const std::size_t name = nameStart(target_);
  if (name == target_.size()) {
    errorText = strFormat("\"%s\" names no file", target.c_str());
    target_.clear();
    return false;
  }
  if (followLink && endsAtLink(target, errorText)) {
    target_.clear();
    return false;
  }
  const std::string directory = target_.substr(0, name);
  const std::string prefix = "." + target_.substr(name) + kMarker;
  std::string reason;
  if (prepareDirectory(directory, prefix, reason)) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
      const std::string temporary = prefix + std::to_string(processId()) + "-" + std::to_string(++counter) + kSuffix;
      const Made made = makeTemporary(directory, temporary, reason);
      if (made == Made::file) {
        temporary_ = directory + temporary;
        return true;
      }
      if (made == Made::failed) break;
    }
  }
  errorText = strFormat("Cannot create a temporary file in \"%s\": %s", directory.empty() ? "." : directory.c_str(),
                        reason.c_str());
  release();
  return false;
}

bool ReplacementFile::commit(std::string& errorText) {
  if (temporary_.empty()) {
    errorText = "No temporary file to commit";
    return false;
  }
  if (!moveOverTarget(errorText)) {
    discard();
    return false;
  }
  temporary_.clear();
  release();
  return true;
}
