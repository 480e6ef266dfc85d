// No run damages or loses a user's file, where the concern is POSIX's own:
// FIFOs, devices and symbolic links at the paths, the lock file as flock
// holds it, runs ended by signals, database files owned by others and
// file size limits. The built program runs in temporary
// directories (what both platforms share: FileSafetyTest.cpp).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "app/RunFixtures.h"

namespace {

using runfixtures::endsWith;
using runfixtures::leftovers;
using runfixtures::mode1Arguments;
using runfixtures::mode2Arguments;
using runfixtures::placeSheet;
using testsupport::CommandResult;
using testsupport::dataPath;
using testsupport::readFile;
using testsupport::runCommand;
using testsupport::runProgram;
using testsupport::shellQuote;
using testsupport::TempDir;
using testsupport::writeFile;

namespace fs = std::filesystem;

// Runs the program after a shell prefix; a run that hangs is ended after
// 60 seconds (exit code 124) instead of hanging the test.
CommandResult runShell(const std::string& prefix, const std::vector<std::string>& arguments,
                       const std::string& workDir, const std::string& suffix = "") {
  std::string command = "cd " + shellQuote(workDir) + " && " + prefix + "timeout 60 " + shellQuote(testsupport::programForEveryUser());
  for (const std::string& argument : arguments) command += " " + shellQuote(argument);
  return runCommand(command + suffix);
}

// The exit code of a child, or 128 + the signal that ended it.
int waitForPid(pid_t pid) {
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// ---- Paths that are not regular files

TEST(FileSafety, PathsThatAreNoRegularFilesAreRefused) {
  enum Kind { Fifo, LinkToDevice, LinkElsewhere, DanglingLink };
  struct Case {
    const char* what;
    std::string file;  // the path in the work directory that gets the obstacle
    Kind kind;
    std::vector<std::string> arguments;
    int exitCode;
    std::string expected;  // the end of the output, or a line of it for a run that goes on
  };
  const std::string sheetFailure = "Error opening Ecxel sheet \"./signals.csv\"\n";
  const std::vector<std::string> deleting = [] {
    std::vector<std::string> arguments = mode1Arguments();
    arguments.push_back("-deldb");
    return arguments;
  }();
  const std::vector<Case> cases = {
      {"sheet as FIFO", "signals.csv", Fifo, mode2Arguments(), 2,
       sheetFailure + "Specified Excel document cannot be opened\n\nERROR GENERATING\n"},
      {"sheet as a link to a device", "signals.csv", LinkToDevice, mode2Arguments(), 2,
       sheetFailure + "Specified Excel document cannot be opened\n\nERROR GENERATING\n"},
      {"column map as FIFO", "signals.ini", Fifo, mode2Arguments(), 2,
       sheetFailure + "ini file \"./signals.ini\" is not a regular file\nERROR GENERATING\n"},
      {"database as FIFO", "taxi.dbc", Fifo, mode1Arguments(), 2,
       "Database \"./taxi.dbc\" cannot be opened\nERROR GENERATING\n"},
      {"database as FIFO, deleted first", "taxi.dbc", Fifo, deleting, 2,
       "Database \"./taxi.dbc\" cannot be opened\nERROR GENERATING\n"},
      {"database as a link to a device", "taxi.dbc", LinkToDevice, mode1Arguments(), 2,
       "Database \"./taxi.dbc\" cannot be opened\nERROR GENERATING\n"},
      {"output as FIFO", "macros.h", Fifo, mode2Arguments(), 2,
       "Error writing output file \"./macros.h\"\n\nERROR GENERATING\n"},
      {"output as a link to a device", "tester.can", LinkToDevice, mode1Arguments(), 2,
       "Error writing output file \"./tester.can\"\n\nERROR GENERATING\n"},
      {"log as FIFO", "signals_log.txt", Fifo, mode2Arguments(), 2,
       "Error opening error logging file \"./signals_log.txt\"\nERROR GENERATING\n"},
      {"log as a link to a file elsewhere", "signals_log.txt", LinkElsewhere, mode2Arguments(), 2,
       "Error opening error logging file \"./signals_log.txt\"\nERROR GENERATING\n"},
      {"log as a dangling link", "signals_log.txt", DanglingLink, mode2Arguments(), 2,
       "Error opening error logging file \"./signals_log.txt\"\nERROR GENERATING\n"},
      {"relations file as FIFO", "object_signal_relations.txt", Fifo, mode1Arguments(), 0,
       "Relations file \"./object_signal_relations.txt\" cannot be opened\n\n"},
      {"relations file as a link elsewhere", "object_signal_relations.txt", LinkElsewhere, mode1Arguments(), 0,
       "Relations file \"./object_signal_relations.txt\" cannot be opened\n\n"},
      {"relations file as a dangling link", "object_signal_relations.txt", DanglingLink, mode1Arguments(), 0,
       "Relations file \"./object_signal_relations.txt\" cannot be opened\n\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    TempDir elsewhere;
    placeSheet(dir);
    const std::string path = dir.file(c.file);
    fs::remove(path);
    const std::string target = elsewhere.file("target.txt");
    switch (c.kind) {
      case Fifo:
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
        break;
      case LinkToDevice:
        fs::create_symlink("/dev/zero", path);
        break;
      case LinkElsewhere:
        writeFile(target, "not the program's");
        fs::create_symlink(target, path);
        break;
      case DanglingLink:
        fs::create_symlink(target, path);
        break;
    }
    const CommandResult result = runShell("", c.arguments, dir.path());
    EXPECT_EQ(result.exitCode, c.exitCode) << result.output;
    if (c.exitCode == 0) {
      EXPECT_NE(result.output.find(c.expected), std::string::npos) << result.output;
    } else {
      EXPECT_TRUE(endsWith(result.output, c.expected)) << result.output;
    }
    // What stood at the path is still there, and nothing was written where
    // a link points.
    EXPECT_EQ(c.kind == Fifo, fs::is_fifo(fs::symlink_status(path)));
    EXPECT_EQ(c.kind != Fifo, fs::is_symlink(fs::symlink_status(path)));
    if (c.kind == LinkElsewhere) {
      EXPECT_EQ(readFile(target), "not the program's");
    }
    if (c.kind == DanglingLink) {
      EXPECT_FALSE(fs::exists(target));
    }
    EXPECT_EQ(leftovers(dir.path()), std::vector<std::string>());
  }
}

// ---- A database in use

// A run that finds the database in use says so once and waits for it.
TEST(FileSafety, RunWaitsForTheDatabaseInUse) {
  TempDir dir;
  placeSheet(dir);
  writeFile(dir.file("taxi.dbc"), "VERSION \"\"\r\n\r\nBU_: Tester\r\n");
  // What another run holds while it works on the database.
  const int lock = ::open(dir.file(".taxi.dbc.co447gen-lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  ASSERT_GE(lock, 0);
  ASSERT_EQ(::flock(lock, LOCK_EX), 0);
  std::thread releaser([lock, &dir] {
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    ::unlink(dir.file(".taxi.dbc.co447gen-lock").c_str());
    ::close(lock);
  });
  const CommandResult result = runProgram(mode1Arguments(), dir.path());
  releaser.join();
  EXPECT_EQ(result.exitCode, 0) << result.output;
  const std::string waiting = "Waiting for database \"./taxi.dbc\" (another run is using it)...\n\n";
  const std::size_t at = result.output.find("Creating emtpty database \"./taxi.dbc\"...\n\n" + waiting +
                                            "Adding environmant variables");
  EXPECT_NE(at, std::string::npos) << result.output;
  EXPECT_EQ(result.output.find(waiting, at + waiting.size() + 10), std::string::npos);
  EXPECT_NE(readFile(dir.file("taxi.dbc")).find("EV_ gs_taxi_state:"), std::string::npos);
  EXPECT_EQ(leftovers(dir.path()), std::vector<std::string>());
}

// ---- Interrupted runs

TEST(FileSafety, InterruptedRunsLeaveNoHalfFiles) {
  const testsupport::ScopedEnvironment epoch("SOURCE_DATE_EPOCH", "1765000000");
  TempDir reference;
  writeFile(reference.file("signals.csv"), runfixtures::largeSheet(20000));
  fs::copy_file(dataPath("app/basic.ini"), reference.file("signals.ini"));
  struct Mode {
    std::vector<std::string> arguments;
    std::string output;
  };
  const std::vector<Mode> modes = {
      {mode2Arguments(), "macros.h"},
      {[] {
         std::vector<std::string> arguments = mode1Arguments();
         arguments.push_back("-deldb");
         return arguments;
       }(),
       "tester.can"},
  };
  for (const Mode& mode : modes) {
    // The complete files a run gives, and how long it takes: the shorter
    // of two runs, as the first may wait for a cold cache or a busy machine
    // and signals timed by it would come after the later runs ended.
    auto duration = std::chrono::milliseconds::max();
    for (int run = 0; run < 2; ++run) {
      const auto start = std::chrono::steady_clock::now();
      testsupport::StartedProgram program = testsupport::startProgram(mode.arguments, reference.path());
      ASSERT_EQ(testsupport::waitForExit(program), 0);
      duration = std::min(duration, std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now() - start));
    }
    const std::string complete = readFile(reference.file(mode.output));
    const std::string completeDatabase = readFile(reference.file("taxi.dbc"));
    ASSERT_GT(complete.size(), 1000000u);

    // Signals spread over the time a run takes.
    constexpr int kDelays = 12;
    int interrupted = 0;
    for (const int signalNumber : {SIGINT, SIGTERM, SIGKILL}) {
      for (int step = 0; step < kDelays; ++step) {
        const int delay = static_cast<int>(duration.count()) * step / kDelays;
        SCOPED_TRACE(mode.output + ", signal " + std::to_string(signalNumber) + " after " + std::to_string(delay) +
                     " ms");
        TempDir dir;
        fs::copy_file(reference.file("signals.csv"), dir.file("signals.csv"));
        fs::copy_file(reference.file("signals.ini"), dir.file("signals.ini"));
        // An old database of the same sheet stands there; an old output too.
        if (!completeDatabase.empty()) writeFile(dir.file("taxi.dbc"), completeDatabase);
        writeFile(dir.file(mode.output), complete);
        testsupport::StartedProgram run = testsupport::startProgram(mode.arguments, dir.path());
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        ::kill(static_cast<pid_t>(run.id), signalNumber);
        const int exitCode = testsupport::waitForExit(run);
        if (exitCode != 0) {
          ++interrupted;
          EXPECT_EQ(exitCode, signalNumber == SIGINT ? 130 : signalNumber == SIGTERM ? 143 : 128 + SIGKILL);
        }
        // Whole files or none at the paths the user relies on.
        if (fs::exists(dir.file(mode.output))) {
          EXPECT_TRUE(readFile(dir.file(mode.output)) == complete);
        }
        if (!completeDatabase.empty()) {
          EXPECT_TRUE(readFile(dir.file("taxi.dbc")) == completeDatabase);
        }
        if (signalNumber != SIGKILL) {
          EXPECT_EQ(leftovers(dir.path()), std::vector<std::string>());
        }
        // The next run cleans up the temporary files of a killed one. A lock
        // file the killed run made is the next run's lock, and stays: no run
        // removes a lock file it did not make.
        if (signalNumber == SIGKILL) {
          testsupport::StartedProgram next = testsupport::startProgram(mode.arguments, dir.path());
          ASSERT_EQ(testsupport::waitForExit(next), 0);
          std::vector<std::string> left = leftovers(dir.path());
          left.erase(std::remove(left.begin(), left.end(), ".taxi.dbc.co447gen-lock"), left.end());
          EXPECT_EQ(left, std::vector<std::string>());
          EXPECT_TRUE(readFile(dir.file(mode.output)) == complete);
        }
      }
    }
    // The signals came while the run worked, not all after it ended: at
    // least a third of them (on a busy machine the later delays may find a
    // run already done, which proves nothing but fails nothing either).
    EXPECT_GE(interrupted, kDelays) << mode.output;
  }
}

// ---- The lock of the database

// Runs the program as "nobody" when the tests run as root (whom file
// permissions do not bind), else as this user.
const char* unprivileged() { return ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : ""; }

// Anything but a regular file at the lock path, or a lock file that cannot
// be made, ends the run before the database is touched (a run without the
// lock could save over another run's variables); what stands there stays.
TEST(FileSafety, LockPathThatCannotBeUsedEndsTheRun) {
  enum Kind { Directory, Fifo, Device, LinkToFile, DanglingLink, ReadOnlyDirectory };
  const struct {
    const char* what;
    Kind kind;
  } cases[] = {
      {"directory", Directory},       {"FIFO", Fifo},
      {"device", Device},             {"link to a file", LinkToFile},
      {"dangling link", DanglingLink}, {"no lock file can be made", ReadOnlyDirectory},
  };
  const std::string database = "VERSION \"\"\r\n\r\nBU_: Tester\r\n";
  for (const auto& c : cases) {
    for (const bool deleteFirst : {false, true}) {
      SCOPED_TRACE(std::string(c.what) + (deleteFirst ? ", -deldb" : ""));
      TempDir dir;
      placeSheet(dir);
      fs::permissions(dir.path(), fs::perms::all);
      fs::create_directory(dir.file("db"));
      const std::string lockPath = dir.file("db/.taxi.dbc.co447gen-lock");
      writeFile(dir.file("db/taxi.dbc"), database);
      switch (c.kind) {
        case Directory:
          fs::create_directory(lockPath);
          break;
        case Fifo:
          ASSERT_EQ(::mkfifo(lockPath.c_str(), 0666), 0);
          break;
        case Device:
          if (::mknod(lockPath.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) continue;  // not root
          break;
        case LinkToFile:
          writeFile(dir.file("elsewhere.txt"), "the user's");
          fs::create_symlink(dir.file("elsewhere.txt"), lockPath);
          break;
        case DanglingLink:
          fs::create_symlink(dir.file("elsewhere.txt"), lockPath);
          break;
        case ReadOnlyDirectory:
          break;
      }
      fs::permissions(dir.file("db"), c.kind == ReadOnlyDirectory ? fs::perms::all & ~fs::perms::others_write &
                                                                         ~fs::perms::group_write &
                                                                         ~fs::perms::owner_write
                                                                   : fs::perms::all);
      const fs::file_type planted = fs::symlink_status(lockPath).type();
      std::vector<std::string> arguments = mode1Arguments();
      arguments[7] = "./db/taxi.dbc";
      if (deleteFirst) arguments.push_back("-deldb");
      const CommandResult result = runShell(unprivileged(), arguments, dir.path());
      fs::permissions(dir.file("db"), fs::perms::all);
      EXPECT_EQ(result.exitCode, 2) << result.output;
      EXPECT_TRUE(endsWith(result.output, "Lock file \"./db/.taxi.dbc.co447gen-lock\" cannot be used\n\n"
                                          "Database \"./db/taxi.dbc\" cannot be opened\nERROR GENERATING\n"))
          << result.output;
      EXPECT_EQ(readFile(dir.file("db/taxi.dbc")), database);
      EXPECT_EQ(fs::symlink_status(lockPath).type(), planted);
      if (c.kind == LinkToFile) {
        EXPECT_EQ(readFile(dir.file("elsewhere.txt")), "the user's");
      }
      if (c.kind == DanglingLink) {
        EXPECT_FALSE(fs::exists(dir.file("elsewhere.txt")));
      }
      EXPECT_FALSE(testsupport::exists(dir.file("tester.can")));
    }
  }
}

// Starts a shell command line with its output into the file at consolePath.
pid_t startShell(const std::string& command, const std::string& consolePath) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int out = ::open(consolePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(out, 1);
    ::dup2(out, 2);
    ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return pid;
}

// A run that waits for the database says so at once, also when its console
// is a file (or a pipe), where the output is otherwise held back until the
// run ends; the lines before it come with it.
TEST(FileSafety, WaitingIsSeenWhileTheRunWaits) {
  TempDir dir;
  placeSheet(dir);
  fs::permissions(dir.path(), fs::perms::all);
  writeFile(dir.file("taxi.dbc"), "VERSION \"\"\r\n\r\nBU_: Tester\r\n");
  ::chmod(dir.file("taxi.dbc").c_str(), 0666);
  // What another run holds while it works on the database. As "nobody"
  // (under root), the lock file of this test is one the run may not write:
  // it must wait all the same.
  testsupport::HeldLock lock(dir.file(".taxi.dbc.co447gen-lock"));
  ASSERT_TRUE(lock.held());
  std::string command = "cd " + shellQuote(dir.path()) + " && exec " + unprivileged() + shellQuote(testsupport::programForEveryUser());
  for (const std::string& argument : mode1Arguments()) command += " " + shellQuote(argument);
  const pid_t pid = startShell(command, dir.file("console.txt"));
  const std::string waiting = "Creating emtpty database \"./taxi.dbc\"...\n\n"
                              "Waiting for database \"./taxi.dbc\" (another run is using it)...\n\n";
  bool seen = false;
  for (int i = 0; i < 200 && !seen; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    seen = readFile(dir.file("console.txt")).find(waiting) != std::string::npos;
  }
  lock.release();
  EXPECT_EQ(waitForPid(pid), 0);
  EXPECT_TRUE(seen) << readFile(dir.file("console.txt"));
  EXPECT_NE(readFile(dir.file("taxi.dbc")).find("EV_ gs_taxi_state:"), std::string::npos);
  // The lock file was there before the run: it stays.
  EXPECT_TRUE(fs::is_regular_file(dir.file(".taxi.dbc.co447gen-lock")));
}

// Two users extend one group-writable database at the same time; the lock
// file the first one makes is one the second may not write. No variable
// of either run may be lost (tools/measure_two_users.sh runs more trials).
TEST(FileSafety, TwoUsersOnOneDatabaseLoseNoVariable) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to run a second user";
  if (runCommand("command -v setpriv").exitCode != 0) GTEST_SKIP() << "setpriv is not installed";
  const CommandResult measured =
      runCommand(shellQuote(std::string(CO447GEN_SOURCE_DIR) + "/tools/measure_two_users.sh") + " " +
                 shellQuote(testsupport::programForEveryUser()) + " 3 10000");
  EXPECT_EQ(measured.exitCode, 0);
  EXPECT_EQ(measured.output,
            "trials=3 signals=10000 trials_with_loss=0 variables_lost=0 failed_runs=0 leftovers=0\n");
}

// ---- The database keeps its file

TEST(FileSafety, SavedDatabaseKeepsOwnerGroupAndPermissions) {
  TempDir dir;
  placeSheet(dir);
  writeFile(dir.file("taxi.dbc"), "VERSION \"\"\r\n\r\nBU_: Tester\r\n");
  ::chmod(dir.file("taxi.dbc").c_str(), 0640);
  const bool root = ::geteuid() == 0;
  // As root the file belongs to another user and group, which it keeps.
  const uid_t owner = root ? 65534 : ::geteuid();
  const gid_t group = root ? 65534 : ::getegid();
  ASSERT_EQ(::chown(dir.file("taxi.dbc").c_str(), owner, group), 0);
  for (const bool deleteFirst : {false, true}) {
    SCOPED_TRACE(deleteFirst ? "with -deldb" : "extended");
    std::vector<std::string> arguments = mode1Arguments();
    if (deleteFirst) arguments.push_back("-deldb");
    const CommandResult result = runProgram(arguments, dir.path());
    ASSERT_EQ(result.exitCode, 0) << result.output;
    struct stat info;
    ASSERT_EQ(::stat(dir.file("taxi.dbc").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, owner);
    EXPECT_EQ(info.st_gid, group);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_NE(readFile(dir.file("taxi.dbc")).find("EV_ gs_taxi_state:"), std::string::npos);
  }
}

// A link to the database stays a link, also with -deldb, and the file it
// names gets the variables.
TEST(FileSafety, LinkToTheDatabaseStaysALink) {
  TempDir dir;
  placeSheet(dir);
  fs::create_directory(dir.file("shared"));
  writeFile(dir.file("shared/real.dbc"), "VERSION \"\"\r\n\r\nBU_: Tester\r\n");
  fs::create_symlink("shared/real.dbc", dir.file("taxi.dbc"));
  for (const bool deleteFirst : {false, true}) {
    std::vector<std::string> arguments = mode1Arguments();
    if (deleteFirst) arguments.push_back("-deldb");
    ASSERT_EQ(runProgram(arguments, dir.path()).exitCode, 0);
    EXPECT_TRUE(fs::is_symlink(dir.file("taxi.dbc")));
    EXPECT_NE(readFile(dir.file("shared/real.dbc")).find("EV_ gs_taxi_state:"), std::string::npos);
  }
  EXPECT_EQ(leftovers(dir.file("shared")), std::vector<std::string>());
}

// A link to where no file is yet: the database is created where it points
// (its directory must exist), as the shell's ">" does, and the link stays.
// Links that lead round in a loop are refused and left alone.
TEST(FileSafety, DatabaseBehindALinkToNothingIsCreatedWhereItPoints) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> links;  // link, where it points
    bool deleteFirst;
    std::string created;  // "" when the run fails
    std::string failure;  // the end of the output then
  };
  const std::string loop = "Database \"./taxi.dbc\" cannot be created\nERROR GENERATING\n";
  const std::vector<Case> cases = {
      {"relative link", {{"taxi.dbc", "shared/new.dbc"}}, false, "shared/new.dbc", ""},
      {"relative link, -deldb", {{"taxi.dbc", "shared/new.dbc"}}, true, "shared/new.dbc", ""},
      {"a chain of links", {{"taxi.dbc", "step.dbc"}, {"step.dbc", "shared/new.dbc"}}, false, "shared/new.dbc", ""},
      // Not even the lock can be made there.
      {"into a missing directory", {{"taxi.dbc", "missing/new.dbc"}}, false, "",
       "cannot be used\n\nDatabase \"./taxi.dbc\" cannot be opened\nERROR GENERATING\n"},
      {"a loop", {{"taxi.dbc", "loop.dbc"}, {"loop.dbc", "taxi.dbc"}}, false, "", loop},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    placeSheet(dir);
    fs::create_directory(dir.file("shared"));
    for (const auto& [link, target] : c.links) fs::create_symlink(target, dir.file(link));
    std::vector<std::string> arguments = mode1Arguments();
    if (c.deleteFirst) arguments.push_back("-deldb");
    const CommandResult result = runProgram(arguments, dir.path());
    for (const auto& [link, target] : c.links) {
      EXPECT_TRUE(fs::is_symlink(dir.file(link)));
      EXPECT_EQ(fs::read_symlink(dir.file(link)), target);
    }
    if (c.created.empty()) {
      EXPECT_EQ(result.exitCode, 2);
      EXPECT_TRUE(endsWith(result.output, c.failure)) << result.output;
      EXPECT_TRUE(fs::is_empty(dir.file("shared")));
    } else {
      EXPECT_EQ(result.exitCode, 0) << result.output;
      EXPECT_NE(readFile(dir.file(c.created)).find("EV_ gs_taxi_state:"), std::string::npos);
      EXPECT_EQ(leftovers(dir.file("shared")), std::vector<std::string>());
    }
    EXPECT_EQ(leftovers(dir.path()), std::vector<std::string>());
  }
}

// ---- Signals that must not end the run

// A file size limit makes writes fail: the run reports it as its own
// failure instead of being killed by SIGXFSZ (no trap in the shell here).
TEST(FileSafety, FileSizeLimitIsAFailedWriteNotAKill) {
  struct Case {
    std::vector<std::string> arguments;
    std::string tail;
  };
  const std::vector<Case> cases = {
      {mode1Arguments(), "Database \"./taxi.dbc\" cannot be saved\n\nERROR GENERATING\n"},
      {mode2Arguments(), "Error writing output file \"./macros.h\"\n\nERROR GENERATING\n"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    placeSheet(dir);
    writeFile(dir.file("taxi.dbc"), "VERSION \"\"\r\n\r\nBU_: Tester\r\n");
    const CommandResult result = runShell("ulimit -f 1 && ", c.arguments, dir.path());
    EXPECT_EQ(result.exitCode, 2) << result.output;
    EXPECT_TRUE(endsWith(result.output, c.tail)) << result.output;
    EXPECT_EQ(readFile(dir.file("taxi.dbc")), "VERSION \"\"\r\n\r\nBU_: Tester\r\n");
    EXPECT_EQ(leftovers(dir.path()), std::vector<std::string>());
  }
}

}  // namespace
