// A file written whole or not at all: the new contents go into a temporary
// file beside the target, which is renamed over the target only once it is
// complete. The target then holds either its old bytes or all of the new
// ones, whatever happens to the process meanwhile.
//
// Temporary files are named ".<target name>.co447gen-<pid>-<n>.tmp" and
// are locked (flock) by their writer while it lives; they are removed on
// SIGINT and SIGTERM (see Interruption.h). Creating one first removes the
// temporary files that killed runs left for the same target: those whose
// process is gone and whose lock nobody holds.
#pragma once

#include <string>

class ZReplacementFile {
 public:
  ZReplacementFile() = default;
  // Removes a temporary file that was not committed.
  ~ZReplacementFile();
  ZReplacementFile(const ZReplacementFile&) = delete;
  ZReplacementFile& operator=(const ZReplacementFile&) = delete;

  // Creates the temporary file for the target. A symbolic link at the
  // target is followed: the file it names is the one replaced, or created
  // where a link points to nothing yet. False, with the reason in
  // errorText, when no temporary file can be created there, and for links
  // that lead round in a loop.
  bool create(const std::string& target, std::string& errorText);
  // Where the new contents are to be written.
  const std::string& temporaryPath() const { return temporary_; }

  // Renames the temporary file over the target. An existing target passes
  // on its permission bits and, where the process may set them (as root
  // always), its owner and group. False, with the reason, when the rename
  // fails; the temporary file is then removed.
  bool commit(std::string& errorText);
  // Removes the temporary file.
  void discard();

 private:
  void release();

  std::string target_;
  std::string temporary_;
  int lock_ = -1;           // the temporary file's descriptor, holding its flock
  int interruptSlot_ = -1;  // its registration for removal on SIGINT/SIGTERM
};

// The file a path finally names: a symbolic link at the path is followed
// to where it points (also when nothing is there yet), "\\" counts as "/".
std::string replacementTarget(const std::string& path);
