// Writing files (ReplacementFile.cpp, ReplacementFile-posix.cpp,
// ReplacementFile-win32.cpp): opening a regular file for writing, and a
// file written whole or not at all.
//
// A replacement's new contents go into a temporary file beside the target,
// which is renamed over the target only once it is complete. The target
// then holds either its old bytes or all of the new ones, whatever happens
// to the process meanwhile.
//
// Temporary files are named ".<target name>.co447gen-<pid>-<n>.tmp" and
// are held by their writer while it lives (POSIX: an flock; Windows: an
// open handle that lets nobody else delete the file; there they are also
// hidden); they are removed on an interrupt (see Interruption.h), and
// otherwise through the directory they were made in (POSIX: a descriptor
// of it), so that one is never left behind where that directory was moved
// and something else took its path meanwhile. Creating one first removes
// the temporary files that killed runs left for the same target: those
// whose process is gone and that nobody holds.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// Opens a regular file for writing in binary mode, created when missing,
// appended to or emptied. A symbolic link at the path is not followed and
// anything but a regular file (a FIFO, a device, a directory) is refused,
// so that a log or an output never ends up where a link points or in a
// stream that blocks or never ends; opening never waits. Emptying happens
// only once the file is known to be a regular one, and only when it holds
// anything. Others may read, write and delete the file meanwhile (on
// Windows that is asked for explicitly). Null on failure.
std::FILE* openRegularFileForWriting(const std::string& path, bool append);

class ReplacementFile {
 public:
  ReplacementFile() = default;
  // Removes a temporary file that was not committed.
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // Creates the temporary file for the target. A symbolic link at the
  // target is followed: the file it names is the one replaced, or created
  // where a link points to nothing yet; with followLink false the link
  // itself is what the new file replaces. The target is replaced under its
  // name as the file system keeps it (see withNameAsKept: on Windows the
  // long name of a file given by its short name). False, with the reason
  // in errorText, when no temporary file can be created there, and for
  // links that lead round in a loop.
  bool create(const std::string& target, std::string& errorText, bool followLink = true);
  // Where the new contents are to be written; empty before create.
  const std::string& temporaryPath() const { return temporary_; }

  // Renames the temporary file over the target. An existing target passes
  // on its permission bits and, where the process may set them (as root
  // always), its owner and group (on Windows: its attributes and security,
  // and a new file is not hidden). False, with the reason, when the rename
  // fails; the temporary file is then removed.
  bool commit(std::string& errorText);
  // Removes the temporary file.
  void discard();

 private:
  // What each platform does its own way (ReplacementFile-posix.cpp,
  // ReplacementFile-win32.cpp); ReplacementFile.cpp holds the rest.
  enum class Made { file, nameTaken, failed };
  // Where the file name of a path as the file system takes it begins:
  // after its last "/" (on Windows also "\\", or its drive); on POSIX
  // systems a "\\" there is part of a name.
  static std::size_t nameStart(const std::string& path);
  // The process id that the names of its temporary files carry.
  static unsigned long processId();
  // The target is a symbolic link still after links were followed (it is
  // not replaced): true, with the reason in errorText (given: the target
  // as the caller named it).
  bool endsAtLink(const std::string& given, std::string& errorText) const;
  // Makes the directory ready for a temporary file (POSIX: opens it) and
  // removes the temporary files there that killed runs left for the same
  // target (their names begin with prefix). False, with the system's
  // reason, when the directory cannot be used.
  bool prepareDirectory(const std::string& directory, const std::string& prefix, std::string& reason);
  // Makes the temporary file directory + name, held by this object and
  // registered for removal on an interrupt; nameTaken when a file of that
  // name is there (the reason is filled in every case but file).
  Made makeTemporary(const std::string& directory, const std::string& name, std::string& reason);
  // Passes on what the target had and renames the temporary file over it.
  bool moveOverTarget(std::string& errorText);
  void release();

  std::string target_;
  std::string temporary_;
  std::intptr_t file_ = -1;  // the temporary file's descriptor or handle, holding it
  int directory_ = -1;       // POSIX: a descriptor of the directory it was made in
  int interruptSlot_ = -1;   // its registration for removal on an interrupt
};

enum class Removal { Removed, InUse, Failed };

// Deletes an old file that a new one is to replace. On Windows a file that
// another program holds open (a virus scanner, an editor) is tried again
// for about a second, as a commit is; InUse when it is held still.
Removal removeOldFile(const std::string& path);

// The name is that of a temporary file made for a target whose temporary
// files' names begin with prefix (".<target name>.co447gen-"): prefix, the
// maker's process id, "-", a number, ".tmp".
bool isTemporaryFileName(const std::string& name, const std::string& prefix);

// The file a path finally names: a symbolic link at the path is followed
// to where it points (also when nothing is there yet; on Windows only a
// link that leads to a file), "\\" counts as "/".
std::string replacementTarget(const std::string& path);
