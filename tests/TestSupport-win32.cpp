// Temporary directories and child processes on Windows. Programs are
// started with CreateProcessW, never through cmd: the arguments reach them
// exactly as CommandLineToArgvW splits the quoted command line.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <thread>

#include "TestSupport.h"
#include "util/WindowsText.h"

namespace testsupport {

TempDir::TempDir() {
  wchar_t base[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, base);
  if (length == 0) throw std::runtime_error("GetTempPathW failed");
  std::random_device seed;
  std::mt19937 random(seed() ^ GetCurrentProcessId());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring path = std::wstring(base, length) + L"co447gen-test-" + std::to_wstring(random());
    if (CreateDirectoryW(path.c_str(), nullptr)) {
      path_ = utf8Text(path);
      // The tests join names with "/", which Windows takes as well.
      for (char& c : path_) {
        if (c == '\\') c = '/';
      }
      if (!path_.empty() && path_.back() == '/') path_.pop_back();
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary directory");
}

std::wstring quoteArgument(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled and the quote escaped; others
    // stand for themselves.
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

namespace {

// Starts the built co447gen with the arguments in workDir, standard input
// from NUL and standard output and error into output (an inheritable
// handle).
bool startBuiltProgram(const std::vector<std::string>& arguments, const std::string& workDir, HANDLE output,
                       DWORD creationFlags, PROCESS_INFORMATION& process) {
  const std::wstring program = widePath(CO447GEN_BINARY);
  std::wstring commandLine = quoteArgument(program);
  for (const std::string& argument : arguments) commandLine += L" " + quoteArgument(wideText(argument));
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE input = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                   OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = output;
  const std::wstring directory = widePath(workDir);
  // Wine now and then refuses a start with ERROR_INTERNAL_ERROR while its
  // server is busy; the same start a moment later goes through.
  BOOL started = FALSE;
  for (int attempt = 0; attempt < 5 && !started; ++attempt) {
    if (attempt > 0) Sleep(100);
    started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, creationFlags, nullptr,
                             workDir.empty() ? nullptr : directory.c_str(), &startup, &process);
    if (!started && GetLastError() != ERROR_INTERNAL_ERROR) break;
  }
  if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
  return started != 0;
}

// Runs the built program, its standard output and error going into one
// pipe that a thread drains, for at most the timeout.
CommandResult runBuiltProgram(const std::vector<std::string>& arguments, const std::string& workDir,
                              std::chrono::milliseconds timeout) {
  CommandResult result;
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return result;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  PROCESS_INFORMATION process{};
  const bool started = startBuiltProgram(arguments, workDir, writeEnd, CREATE_NO_WINDOW, process);
  const DWORD error = started ? ERROR_SUCCESS : GetLastError();
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    result.output = "cannot start: " + systemMessage(error);
    return result;
  }
  std::thread reader([readEnd, &result] {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) result.output.append(buffer, got);
  });
  const DWORD waited = WaitForSingleObject(process.hProcess, static_cast<DWORD>(timeout.count()));
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 255);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  // The pipe ends when the child and every process it started are gone.
  reader.join();
  CloseHandle(readEnd);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  result.exitCode = waited == WAIT_OBJECT_0 ? static_cast<int>(exitCode) : -1;
  if (waited != WAIT_OBJECT_0) result.output += "\n(timed out)\n";
  return result;
}

}  // namespace

bool onWindows() { return true; }

bool underWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string shortNameOf(const std::string& path) {
  wchar_t shortPath[MAX_PATH];
  const DWORD length = GetShortPathNameW(widePath(path).c_str(), shortPath, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  const std::wstring whole(shortPath, length);
  return utf8Text(whole.substr(whole.find_last_of(L"\\/") + 1));
}

std::string missingDirectoryReason() { return systemMessage(ERROR_PATH_NOT_FOUND); }

void setEnvironment(const std::string& name, const char* value) {
  _putenv_s(name.c_str(), value == nullptr ? "" : value);
}

CommandResult runCommand(const std::string& commandLine) {
  CommandResult result;
  result.output = "no POSIX shell on Windows: " + commandLine;
  return result;
}

// One user runs the tests and the program here.
std::string programForEveryUser() { return CO447GEN_BINARY; }

CommandResult runProgram(const std::vector<std::string>& arguments, const std::string& workDir) {
  CommandResult result = runBuiltProgram(arguments, workDir, std::chrono::minutes(5));
  // The console writes its lines with the system's CR LF; the tests expect
  // the program's own "\n".
  std::string output;
  output.reserve(result.output.size());
  for (std::size_t i = 0; i < result.output.size(); ++i) {
    if (result.output[i] == '\r' && i + 1 < result.output.size() && result.output[i + 1] == '\n') continue;
    output += result.output[i];
  }
  result.output = std::move(output);
  return result;
}

StartedProgram startProgram(const std::vector<std::string>& arguments, const std::string& workDir,
                            const std::string& consolePath) {
  StartedProgram started;
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE console = CreateFileW(consolePath.empty() ? L"NUL" : widePath(consolePath).c_str(), GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inheritable,
                                     consolePath.empty() ? OPEN_EXISTING : CREATE_ALWAYS, 0, nullptr);
  if (console == INVALID_HANDLE_VALUE) return started;
  // A console event reaches only processes attached to the sender's
  // console: the program gets this process's, or a new one if there is none.
  if (GetConsoleWindow() == nullptr) AllocConsole();
  PROCESS_INFORMATION process{};
  if (startBuiltProgram(arguments, workDir, console, CREATE_NEW_PROCESS_GROUP, process)) {
    CloseHandle(process.hThread);
    started.process = reinterpret_cast<std::intptr_t>(process.hProcess);
    started.id = process.dwProcessId;
  }
  CloseHandle(console);
  return started;
}

StartedProgram startProgramWithClosedConsole(const std::vector<std::string>& arguments, const std::string& workDir) {
  StartedProgram started;
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return started;
  CloseHandle(readEnd);
  PROCESS_INFORMATION process{};
  if (startBuiltProgram(arguments, workDir, writeEnd, CREATE_NO_WINDOW, process)) {
    CloseHandle(process.hThread);
    started.process = reinterpret_cast<std::intptr_t>(process.hProcess);
    started.id = process.dwProcessId;
  }
  CloseHandle(writeEnd);
  return started;
}

int waitForExit(StartedProgram& program, std::chrono::milliseconds timeout) {
  if (program.process == -1) return -1;
  const HANDLE process = reinterpret_cast<HANDLE>(program.process);
  program.process = -1;
  const bool ended = WaitForSingleObject(process, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
  if (!ended) {
    TerminateProcess(process, 255);
    WaitForSingleObject(process, INFINITE);
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process, &exitCode);
  CloseHandle(process);
  return ended ? static_cast<int>(exitCode) : -1;
}

bool interruptProgram(const StartedProgram& program) {
  return program.process != -1 && GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, program.id) != 0;
}

void killProgram(const StartedProgram& program) {
  // 137 is what a shell reports for a process that SIGKILL ended.
  if (program.process != -1) TerminateProcess(reinterpret_cast<HANDLE>(program.process), 137);
}

HeldLock::HeldLock(const std::string& path) {
  const HANDLE file = CreateFileW(widePath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) file_ = reinterpret_cast<std::intptr_t>(file);
}

void HeldLock::release() {
  if (file_ != -1) CloseHandle(reinterpret_cast<HANDLE>(file_));
  file_ = -1;
}

}  // namespace testsupport
