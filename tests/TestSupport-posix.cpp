// Temporary directories and child processes on POSIX systems.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <thread>
#include <vector>

#include "TestSupport.h"

namespace testsupport {

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/co447gen-test-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = buffer.data();
}

bool onWindows() { return false; }

bool underWine() { return false; }

std::string shortNameOf(const std::string&) { return std::string(); }

std::string missingDirectoryReason() { return std::strerror(ENOENT); }

void setEnvironment(const std::string& name, const char* value) {
  if (value == nullptr) {
    ::unsetenv(name.c_str());
  } else {
    ::setenv(name.c_str(), value, 1);
  }
}

CommandResult runCommand(const std::string& commandLine) {
  CommandResult result;
  FILE* pipe = popen((commandLine + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, got);
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

namespace {

// Others may run the file at path: it and every directory above it let
// them in.
bool othersMayRun(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || (info.st_mode & S_IXOTH) == 0) return false;
  for (std::size_t slash = path.rfind('/'); slash != std::string::npos && slash > 0;
       slash = path.rfind('/', slash - 1)) {
    if (::stat(path.substr(0, slash).c_str(), &info) != 0 || (info.st_mode & S_IXOTH) == 0) return false;
  }
  return true;
}

}  // namespace

std::string programForEveryUser() {
  static const std::string program = [] {
    if (othersMayRun(CO447GEN_BINARY)) return std::string(CO447GEN_BINARY);
    static const TempDir copies;
    const std::string copy = copies.file("co447gen");
    std::error_code error;
    std::filesystem::copy_file(CO447GEN_BINARY, copy, error);
    ::chmod(copies.path().c_str(), 0755);
    ::chmod(copy.c_str(), 0755);
    return !error && othersMayRun(copy) ? copy : std::string(CO447GEN_BINARY);
  }();
  return program;
}

CommandResult runProgram(const std::vector<std::string>& arguments, const std::string& workDir) {
  std::string commandLine;
  if (!workDir.empty()) commandLine = "cd " + shellQuote(workDir) + " && ";
  commandLine += shellQuote(CO447GEN_BINARY);
  for (const std::string& argument : arguments) commandLine += " " + shellQuote(argument);
  return runCommand(commandLine);
}

namespace {

// Starts the built program in workDir with its console on descriptor out.
StartedProgram startWithConsole(const std::vector<std::string>& arguments, const std::string& workDir, int out) {
  std::string binary = CO447GEN_BINARY;
  std::vector<std::string> copies = arguments;
  std::vector<char*> argv = {binary.data()};
  for (std::string& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (!workDir.empty() && ::chdir(workDir.c_str()) != 0) ::_exit(127);
    ::dup2(out, 1);
    ::dup2(out, 2);
    ::execv(binary.c_str(), argv.data());
    ::_exit(127);
  }
  StartedProgram program;
  if (pid > 0) {
    program.process = pid;
    program.id = static_cast<unsigned long>(pid);
  }
  return program;
}

}  // namespace

StartedProgram startProgram(const std::vector<std::string>& arguments, const std::string& workDir,
                            const std::string& consolePath) {
  const int out = consolePath.empty() ? ::open("/dev/null", O_WRONLY | O_CLOEXEC)
                                      : ::open(consolePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (out < 0) return StartedProgram();
  const StartedProgram program = startWithConsole(arguments, workDir, out);
  ::close(out);
  return program;
}

StartedProgram startProgramWithClosedConsole(const std::vector<std::string>& arguments, const std::string& workDir) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return StartedProgram();
  ::close(ends[0]);
  const StartedProgram program = startWithConsole(arguments, workDir, ends[1]);
  ::close(ends[1]);
  return program;
}

int waitForExit(StartedProgram& program, std::chrono::milliseconds timeout) {
  if (program.process == -1) return -1;
  const pid_t pid = static_cast<pid_t>(program.process);
  program.process = -1;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  pid_t waited;
  while ((waited = ::waitpid(pid, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (waited == 0) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return -1;
  }
  if (waited != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool interruptProgram(const StartedProgram& program) {
  return program.process != -1 && ::kill(static_cast<pid_t>(program.process), SIGINT) == 0;
}

void killProgram(const StartedProgram& program) {
  if (program.process != -1) ::kill(static_cast<pid_t>(program.process), SIGKILL);
}

HeldLock::HeldLock(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  if (::flock(fd, LOCK_EX) != 0) {
    ::close(fd);
    return;
  }
  file_ = fd;
}

void HeldLock::release() {
  if (file_ != -1) ::close(static_cast<int>(file_));
  file_ = -1;
}

}  // namespace testsupport
