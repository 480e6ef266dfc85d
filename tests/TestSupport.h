// Helpers shared by the tests: temporary directories, file contents and
// running the built program.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

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

// Sets an environment variable of this process, or removes it (value null).
// (Windows cannot hold an empty value: it removes the variable.)
void setEnvironment(const std::string& name, const char* value);

struct CommandResult {
  int exitCode = -1;
  std::string output;  // standard output and standard error, interleaved
};
// Runs a shell command line and captures its output.
CommandResult runCommand(const std::string& commandLine);
// Quotes one argument for the shell.
std::string shellQuote(const std::string& argument);
// Runs the built co447gen with the arguments in directory workDir.
CommandResult runProgram(const std::vector<std::string>& arguments, const std::string& workDir = "");

}  // namespace testsupport
