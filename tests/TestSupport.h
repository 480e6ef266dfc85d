// Helpers shared by the tests: temporary directories, file contents and
// running the built program.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "input/ZListEntry.h"

namespace testsupport {

// A signal record, built by naming the fields a test gives; the others keep
// ZListEntry's defaults. It stands wherever a ZListEntry is taken:
//   Signal("Door").object(0x6000, 1, 32).bits(8, 1).command()
class Signal {
 public:
  explicit Signal(std::string name = std::string()) { record_.signalName = std::move(name); }
  Signal& name(std::string name) { return set(record_.signalName, std::move(name)); }
  Signal& shortName(std::string name) { return set(record_.signalNameShort, std::move(name)); }
  Signal& objectName(std::string name) { return set(record_.objectName, std::move(name)); }
  // The object the signal lies in: index, sub-index and size in bits.
  Signal& object(uint32_t index, uint32_t subIndex, int32_t size) {
    record_.objectIndex = index;
    record_.objectSubIndex = subIndex;
    return set(record_.objectSize, size);
  }
  // Where the signal lies in the object value: first bit and size in bits.
  Signal& bits(int32_t offset, int32_t size) {
    record_.signalOffset = offset;
    return set(record_.signalSize, size);
  }
  // 1 command, 0 status.
  Signal& commandOrStatus(int32_t value) { return set(record_.commandOrStatus, value); }
  Signal& command() { return commandOrStatus(1); }
  Signal& reserved(int32_t value = 1) { return set(record_.signalReserved, value); }
  Signal& usedStatus(int32_t value = 1) { return set(record_.isUsedStatus, value); }
  Signal& usedCommand(int32_t value = 1) { return set(record_.isUsedCommand, value); }
  Signal& usedPdo(int32_t value = 1) { return set(record_.isUsedPDO, value); }
  Signal& usedButNotImplemented(int32_t value = 1) { return set(record_.isUsedButNotImplemented, value); }
  operator ZListEntry() const { return record_; }

 private:
  template <typename Field, typename Value>
  Signal& set(Field& field, Value&& value) {
    field = std::forward<Value>(value);
    return *this;
  }
  ZListEntry record_;
};

// A fresh directory below $TMPDIR (or /tmp), removed with its contents when
// the object goes out of scope.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string file(const std::string& name) const;

 private:
  std::string path_;
};

// Paths are UTF-8 (on Windows too).
std::filesystem::path pathOf(const std::string& path);
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& contents);
bool exists(const std::string& path);
// The names of the entries of a directory, each followed by a blank, in
// the order the directory lists them (to see that no stray file is left).
std::string listing(const std::string& directory);

// Every identifier ([A-Za-z0-9_]+, possibly empty) that directly follows
// an occurrence of marker in text, in the order they stand.
std::vector<std::string> identifiersAfter(const std::string& text, const std::string& marker);

// Path of a file below tests/data.
std::string dataPath(const std::string& name);

// Whether the tests run in CI (CI=true), where what a test needs and
// cannot find (the corpus beside the checkout, a tool) is a failure, not a
// reason to skip.
bool runningInCi();

// Replaces every "\n" with "\r\n" (expected file contents are written with
// "\n" in the tests).
std::string crlf(const std::string& text);

// The tests run on Windows (where a few concerns differ or do not exist).
bool onWindows();

// The tests and the program are built with AddressSanitizer, whose shadow
// memory no limit on the address space admits.
bool underAddressSanitizer();

// The tests run under wine, which stands in for Windows but cannot prove
// everything Windows does (always false on POSIX systems).
bool underWine();

// The short (8.3) name that Windows gives the existing file at path, or ""
// (always on POSIX systems).
std::string shortNameOf(const std::string& path);

// The system's text for a path whose directory is missing, as a failed
// file call reports it (POSIX: ENOENT; Windows: ERROR_PATH_NOT_FOUND).
std::string missingDirectoryReason();

// Sets an environment variable of this process, or removes it (value null).
// (Windows cannot hold an empty value: it removes the variable.)
void setEnvironment(const std::string& name, const char* value);

// Sets an environment variable (or removes it: value null) while it lives,
// then puts back what was there.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::string name, const char* value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::string old_;
  bool hadOld_ = false;
};

struct CommandResult {
  int exitCode = -1;
  std::string output;  // standard output and standard error, interleaved
};
// Runs a shell command line and captures its output.
CommandResult runCommand(const std::string& commandLine);
// Quotes one argument for the shell.
std::string shellQuote(const std::string& argument);
// The built co447gen at a path from which every user can run it (tests
// run it as "nobody" under root): the build's own where others may enter
// every directory above it, else a copy in a directory open to all, made
// once and removed when the tests end (a clone in /root, or in a directory
// that mktemp -d made, is closed to others). The build's own path when no
// copy can be made.
std::string programForEveryUser();
// Runs the built co447gen with the arguments in directory workDir.
CommandResult runProgram(const std::vector<std::string>& arguments, const std::string& workDir = "");

// A run of the built co447gen that the test does not wait for at once.
struct StartedProgram {
  std::intptr_t process = -1;  // POSIX: the process id; Windows: the process handle
  unsigned long id = 0;        // the process id
};
// Starts the built co447gen with the arguments in directory workDir, its
// console into the file at consolePath ("" discards it), with this
// process's environment. On Windows it shares this process's console in a
// process group of its own, so that a console event reaches it alone.
// process stays -1 when it cannot be started.
StartedProgram startProgram(const std::vector<std::string>& arguments, const std::string& workDir,
                            const std::string& consolePath = "");
// Starts the built co447gen like startProgram, its console a pipe that
// nobody reads any more: every write to it fails.
StartedProgram startProgramWithClosedConsole(const std::vector<std::string>& arguments, const std::string& workDir);
// Waits for a started program and releases it: its exit code (POSIX: 128 +
// the signal that ended it), or -1 when it has not ended within the timeout
// (it is killed then).
int waitForExit(StartedProgram& program, std::chrono::milliseconds timeout = std::chrono::minutes(2));
// Interrupts a started program as a user at its console does: SIGINT on
// POSIX systems, Ctrl+Break on Windows. False when that cannot be sent.
bool interruptProgram(const StartedProgram& program);
// Ends a started program at once, as a kill from outside does (SIGKILL,
// TerminateProcess); its files stay as they are.
void killProgram(const StartedProgram& program);

// What another run holds while it works on a database: the lock file at
// path, made when missing and locked (POSIX: an flock; Windows: opened
// exclusively). The file stays when it is let go.
class HeldLock {
 public:
  explicit HeldLock(const std::string& path);
  ~HeldLock() { release(); }
  HeldLock(const HeldLock&) = delete;
  HeldLock& operator=(const HeldLock&) = delete;
  bool held() const { return file_ != -1; }
  void release();

 private:
  std::intptr_t file_ = -1;
};

}  // namespace testsupport
