// No run damages or loses a user's file, where the concern is Windows' own:
// device names and directories in every role, the lock file held open by
// another process, Ctrl+Break and TerminateProcess during a run, temporary
// files another run holds open, and the read-only attribute. The built
// program runs in temporary directories (what both platforms share:
// FileSafetyTest.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "app/RunFixtures.h"
#include "util/WindowsText.h"

namespace {

using runfixtures::endsWith;
using runfixtures::leftovers;
using runfixtures::mode1Arguments;
using runfixtures::mode2Arguments;
using runfixtures::placeSheet;
using testsupport::CommandResult;
using testsupport::readFile;
using testsupport::runProgram;
using testsupport::StartedProgram;
using testsupport::TempDir;
using testsupport::writeFile;

namespace fs = std::filesystem;

const std::string kEmptyDatabase = "VERSION \"\"\r\n\r\nBU_: Tester\r\n";

DWORD attributesOf(const std::string& path) { return GetFileAttributesW(widePath(path).c_str()); }

bool setAttributes(const std::string& path, DWORD attributes) {
  return SetFileAttributesW(widePath(path).c_str(), attributes) != 0;
}

// The arguments with the value that follows option replaced.
std::vector<std::string> with(std::vector<std::string> arguments, const std::string& option,
                              const std::string& value) {
  const auto at = std::find(arguments.begin(), arguments.end(), option);
  if (at != arguments.end() && at + 1 != arguments.end()) *(at + 1) = value;
  return arguments;
}

// ---- Device names and directories

// What Windows keeps as devices (NUL, CON, COM1, also with an extension,
// and the device namespace) is never opened, read or written, and a
// directory takes no file's role; the run ends as it does for a FIFO.
TEST(FileSafety, DevicesAndDirectoriesAreRefusedInEveryRole) {
  struct Case {
    const char* what;
    std::string directory;  // made in the work directory first, when given
    std::vector<std::string> arguments;
    int exitCode;
    std::string expected;  // the end of the output, or a line of it for a run that goes on
  };
  const std::string sheetFailure = "Error opening Ecxel sheet \"./signals.csv\"\n";
  const auto outputFailure = [](const std::string& path) {
    return "Error writing output file \"" + path + "\"\n\nERROR GENERATING\n";
  };
  const auto databaseFailure = [](const std::string& path) {
    return "Database \"" + path + "\" cannot be opened\nERROR GENERATING\n";
  };
  const std::vector<Case> cases = {
      {"sheet and column map NUL", "", mode2Arguments("NUL"), 2,
       "Error opening Ecxel sheet \"NUL\"\nini file \"NUL.ini\" is not a regular file\nERROR GENERATING\n"},
      {"sheet and column map CON.csv", "", mode2Arguments("./CON.csv"), 2,
       "Error opening Ecxel sheet \"./CON.csv\"\nini file \"./CON.ini\" is not a regular file\nERROR GENERATING\n"},
      {"sheet a directory", "signals.csv", mode2Arguments(), 2,
       sheetFailure + "Specified Excel document doesn't exist\n\nERROR GENERATING\n"},
      {"column map a directory", "signals.ini", mode2Arguments(), 2,
       sheetFailure + "ini file \"./signals.ini\" does not exist\nERROR GENERATING\n"},
      // Without an extension, a path names a directory.
      {"output NUL", "", with(mode2Arguments(), "-out", "./NUL"), 1,
       "Error executing co447gen: directory \"./NUL\\\" specified in parameter \"-out\" (output file) does not "
       "exist\n\n"},
      {"output NUL.h", "", with(mode2Arguments(), "-out", "./NUL.h"), 2, outputFailure("./NUL.h")},
      {"output CON.h", "", with(mode2Arguments(), "-out", ".\\CON.h"), 2, outputFailure(".\\CON.h")},
      {"output COM1.can", "", with(mode1Arguments(), "-out", "./COM1.can"), 2, outputFailure("./COM1.can")},
      {"output nul.txt", "", with(mode2Arguments(), "-out", "./nul.txt"), 2, outputFailure("./nul.txt")},
      {"output con with a blank", "", with(mode2Arguments(), "-out", "./con .h"), 2, outputFailure("./con .h")},
      // A directory in the device namespace is none: refused on the command line.
      {"output a pipe", "", with(mode2Arguments(), "-out", "\\\\.\\pipe\\x"), 1,
       "Error executing co447gen: directory \"\\\\.\\pipe\\x\\\" specified in parameter \"-out\" (output file) "
       "does not exist\n\n"},
      {"output a directory", "macros.h", mode2Arguments(), 2, outputFailure("./macros.h")},
      {"log a directory", "signals_log.txt", mode2Arguments(), 2,
       "Error opening error logging file \"./signals_log.txt\"\nERROR GENERATING\n"},
      {"relations file a directory", "object_signal_relations.txt", mode1Arguments(), 0,
       "Relations file \"./object_signal_relations.txt\" cannot be opened\n\n"},
      {"database NUL.dbc", "", with(mode1Arguments(), "-sdb", "./NUL.dbc"), 2, databaseFailure("./NUL.dbc")},
      {"database COM1.dbc", "", with(mode1Arguments(), "-sdb", "./COM1.dbc"), 2, databaseFailure("./COM1.dbc")},
      {"database nul.dbc, deleted first",
       "",
       [&] {
         std::vector<std::string> arguments = with(mode1Arguments(), "-sdb", "./nul.dbc");
         arguments.push_back("-deldb");
         return arguments;
       }(),
       2, databaseFailure("./nul.dbc")},
      {"database a directory", "taxi.dbc", mode1Arguments(), 2,
       "Database \"./taxi.dbc\" cannot be created\nERROR GENERATING\n"},
      {"database in the device namespace", "", with(mode1Arguments(), "-sdb", "\\\\.\\pipe\\x.dbc"), 1,
       "Error executing co447gen: directory \"\\\\.\\pipe\\\" specified in parameter \"-sdb\" (database to "
       "generate) does not exist\n\n"},
      {"lock path a directory", ".taxi.dbc.co447gen-lock", mode1Arguments(), 2,
       "Lock file \"./.taxi.dbc.co447gen-lock\" cannot be used\n\n" + databaseFailure("./taxi.dbc")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    placeSheet(dir);
    writeFile(dir.file("taxi.dbc"), kEmptyDatabase);
    if (!c.directory.empty()) {
      fs::remove(dir.file(c.directory));
      fs::create_directory(dir.file(c.directory));
    }
    const CommandResult result = runProgram(c.arguments, dir.path());
    EXPECT_EQ(result.exitCode, c.exitCode) << result.output;
    if (c.exitCode == 0) {
      EXPECT_NE(result.output.find(c.expected), std::string::npos) << result.output;
    } else {
      EXPECT_TRUE(endsWith(result.output, c.expected)) << result.output;
    }
    // The directory stays, and no file by a device's name was made.
    if (!c.directory.empty()) {
      EXPECT_TRUE(fs::is_directory(dir.file(c.directory)));
    }
    if (c.exitCode != 0 && c.directory != "taxi.dbc") {
      EXPECT_EQ(readFile(dir.file("taxi.dbc")), kEmptyDatabase);
    }
    for (const char* name : {"NUL", "NUL.h", "CON.h", "COM1.can", "nul.txt", "NUL.dbc", "nul.dbc", "COM1.dbc"}) {
      EXPECT_EQ((" " + testsupport::listing(dir.path())).find(std::string(" ") + name + " "), std::string::npos) << name;
    }
    std::vector<std::string> left = leftovers(dir.path());
    left.erase(std::remove(left.begin(), left.end(), c.directory), left.end());
    EXPECT_EQ(left, std::vector<std::string>());
  }
}

// ---- The lock of the database

// Another run holds the lock file open, which here is read-only: the run
// says at once that it waits (also with its console in a file), waits, and
// goes on once the lock is let go. The lock file was there before: it stays.
TEST(FileSafety, LockHeldByAnotherProcessIsWaitedFor) {
  TempDir dir;
  placeSheet(dir);
  writeFile(dir.file("taxi.dbc"), kEmptyDatabase);
  const std::string lockPath = dir.file(".taxi.dbc.co447gen-lock");
  writeFile(lockPath, "");
  ASSERT_TRUE(setAttributes(lockPath, FILE_ATTRIBUTE_READONLY));
  testsupport::HeldLock lock(lockPath);
  ASSERT_TRUE(lock.held());
  StartedProgram run = testsupport::startProgram(mode1Arguments(), dir.path(), dir.file("console.txt"));
  const std::string waiting = "Creating emtpty database \"./taxi.dbc\"...\n\n"
                              "Waiting for database \"./taxi.dbc\" (another run is using it)...\n\n";
  bool seen = false;
  for (int i = 0; i < 200 && !seen; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::string console = readFile(dir.file("console.txt"));
    console.erase(std::remove(console.begin(), console.end(), '\r'), console.end());
    seen = console.find(waiting) != std::string::npos;
  }
  // Still waiting: nothing was saved yet.
  EXPECT_EQ(readFile(dir.file("taxi.dbc")), kEmptyDatabase);
  lock.release();
  EXPECT_EQ(testsupport::waitForExit(run), 0) << readFile(dir.file("console.txt"));
  EXPECT_TRUE(seen) << readFile(dir.file("console.txt"));
  EXPECT_NE(readFile(dir.file("taxi.dbc")).find("EV_ gs_taxi_state:"), std::string::npos);
  EXPECT_TRUE(fs::is_regular_file(lockPath));
  EXPECT_NE(attributesOf(lockPath) & FILE_ATTRIBUTE_READONLY, 0u);
}

// ---- Files that another program holds open

// A sheet, column map, database or old output that another program (an
// editor, a virus scanner) holds open and shares with nobody is tried
// again for about a second, then reported with its role's message and as
// used by another program, never as missing; the file stays as it was. An
// old output whose deletion the program shares stays at its path until it
// is let go: it is waited for the same way (and then goes). A file that is
// let go within the second is read or replaced as usual.
TEST(FileSafety, FilesInUseAreTriedAgainAndThenReportedAsSuch) {
  struct Case {
    std::string file;
    DWORD share;
    std::vector<std::string> arguments;
    std::string tail;
  };
  const std::string inUse = "\" is used by another program\n";
  const std::string outputInUse = "Deleting output file \"./macros.h\"...\n\nError writing output file \"./macros.h\"\n"
                                  "File \"./macros.h" + inUse + "\nERROR GENERATING\n";
  const std::vector<Case> cases = {
      {"signals.csv", 0, mode2Arguments(),
       "Error opening Ecxel sheet \"./signals.csv\"\nSpecified Excel document cannot be opened\nFile \"./signals.csv" +
           inUse + "\nERROR GENERATING\n"},
      {"signals.ini", 0, mode2Arguments(),
       "Error opening Ecxel sheet \"./signals.csv\"\nini file \"./signals.ini\" cannot be opened\nFile \"./signals.ini" +
           inUse + "ERROR GENERATING\n"},
      {"taxi.dbc", 0, mode1Arguments(),
       "Database \"./taxi.dbc\" cannot be opened\nFile \"./taxi.dbc" + inUse + "ERROR GENERATING\n"},
      {"macros.h", 0, mode2Arguments(), outputInUse},
      {"macros.h", FILE_SHARE_READ | FILE_SHARE_DELETE, mode2Arguments(), outputInUse},
  };
  for (const Case& c : cases) {
    for (const bool letGo : {false, true}) {
      SCOPED_TRACE(c.file + (c.share != 0 ? ", deletion shared" : "") + (letGo ? ", let go after 500 ms" : ", held"));
      TempDir dir;
      placeSheet(dir);
      writeFile(dir.file("taxi.dbc"), kEmptyDatabase);
      writeFile(dir.file("macros.h"), "old header\r\n");
      const std::string old = readFile(dir.file(c.file));
      const HANDLE held = CreateFileW(widePath(dir.file(c.file)).c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(held, INVALID_HANDLE_VALUE);
      std::thread holder;
      if (letGo) {
        holder = std::thread([held] {
          std::this_thread::sleep_for(std::chrono::milliseconds(500));
          CloseHandle(held);
        });
      }
      const CommandResult result = runProgram(c.arguments, dir.path());
      if (letGo) {
        holder.join();
        EXPECT_EQ(result.exitCode, 0) << result.output;
        continue;
      }
      CloseHandle(held);
      EXPECT_EQ(result.exitCode, 2);
      EXPECT_TRUE(endsWith(result.output, c.tail)) << result.output;
      if (c.share == 0) {
        EXPECT_EQ(readFile(dir.file(c.file)), old);
      }
      EXPECT_EQ(leftovers(dir.path()), std::vector<std::string>());
    }
  }
}

// ---- Interrupted and killed runs

// A run of a large sheet that writes an output (and a database) over the
// complete files of an earlier run, and how long such a run takes.
struct InterruptedMode {
  std::vector<std::string> arguments;
  std::string output;
  std::string complete, completeDatabase;
  std::chrono::milliseconds duration;
};

// Both kinds of run, their complete files made in reference: the shorter
// of two runs times them, as the first may wait for a cold cache.
std::vector<InterruptedMode> interruptedModes(const TempDir& reference) {
  writeFile(reference.file("signals.csv"), runfixtures::largeSheet(20000));
  fs::copy_file(testsupport::dataPath("app/basic.ini"), reference.file("signals.ini"));
  std::vector<std::string> deleting = mode1Arguments();
  deleting.push_back("-deldb");
  std::vector<InterruptedMode> modes = {{mode2Arguments(), "macros.h", "", "", {}},
                                        {deleting, "tester.can", "", "", {}}};
  for (InterruptedMode& mode : modes) {
    mode.duration = std::chrono::milliseconds::max();
    for (int run = 0; run < 2; ++run) {
      const auto start = std::chrono::steady_clock::now();
      StartedProgram program = testsupport::startProgram(mode.arguments, reference.path());
      EXPECT_EQ(testsupport::waitForExit(program), 0);
      mode.duration = std::min(mode.duration, std::chrono::duration_cast<std::chrono::milliseconds>(
                                                  std::chrono::steady_clock::now() - start));
    }
    mode.complete = readFile(reference.file(mode.output));
    mode.completeDatabase = readFile(reference.file("taxi.dbc"));
    EXPECT_GT(mode.complete.size(), 1000000u);
  }
  return modes;
}

constexpr int kDelays = 8;

// Starts the mode's run in a fresh dir over the complete files, and calls
// stop on it after the step's share of the time a run takes.
template <typename Stop>
void runAndStop(const TempDir& reference, const InterruptedMode& mode, int step, const TempDir& dir, Stop stop) {
  fs::copy_file(reference.file("signals.csv"), dir.file("signals.csv"));
  fs::copy_file(reference.file("signals.ini"), dir.file("signals.ini"));
  if (!mode.completeDatabase.empty()) writeFile(dir.file("taxi.dbc"), mode.completeDatabase);
  writeFile(dir.file(mode.output), mode.complete);
  StartedProgram program = testsupport::startProgram(mode.arguments, dir.path());
  std::this_thread::sleep_for(mode.duration * step / kDelays);
  stop(program);
}

// The files at the paths the user relies on are whole: the output old, new
// or not there (an old output is deleted before the new one is written),
// the database old or new.
void expectWholeFiles(const TempDir& dir, const InterruptedMode& mode) {
  if (testsupport::exists(dir.file(mode.output))) {
    EXPECT_TRUE(readFile(dir.file(mode.output)) == mode.complete);
  }
  if (!mode.completeDatabase.empty()) {
    EXPECT_TRUE(readFile(dir.file("taxi.dbc")) == mode.completeDatabase);
  }
}

// Ctrl+Break spread over the time a run takes ends it with 130, its
// temporary files removed and the user's files whole.
TEST(FileSafety, CtrlBreakLeavesNoHalfFilesAndNoTemporaryFiles) {
  const testsupport::ScopedEnvironment epoch("SOURCE_DATE_EPOCH", "1765000000");
  TempDir reference;
  {
    StartedProgram probe = testsupport::startProgram({}, reference.path());
    const bool sent = testsupport::interruptProgram(probe);
    testsupport::waitForExit(probe);
    if (!sent && testsupport::underWine()) {
      GTEST_SKIP() << "wine delivers no console control event (GenerateConsoleCtrlEvent fails there)";
    }
  }
  for (const InterruptedMode& mode : interruptedModes(reference)) {
    int interrupted = 0;
    for (int step = 0; step < kDelays; ++step) {
      SCOPED_TRACE(mode.output + ", step " + std::to_string(step));
      TempDir dir;
      int exitCode = -1;
      runAndStop(reference, mode, step, dir, [&exitCode](StartedProgram& program) {
        EXPECT_TRUE(testsupport::interruptProgram(program));
        exitCode = testsupport::waitForExit(program);
      });
      if (exitCode != 0) {
        ++interrupted;
        EXPECT_EQ(exitCode, 130);
      }
      expectWholeFiles(dir, mode);
      EXPECT_EQ(leftovers(dir.path()), std::vector<std::string>());
    }
    // Most events come while the run works, not after it ended.
    EXPECT_GT(interrupted, kDelays / 2) << mode.output;
  }
}

// A run that TerminateProcess ends leaves its temporary files (its lock
// file goes with its handle); the user's files are whole, and the next run
// removes the leftovers.
TEST(FileSafety, KilledRunIsSweptByTheNext) {
  const testsupport::ScopedEnvironment epoch("SOURCE_DATE_EPOCH", "1765000000");
  TempDir reference;
  for (const InterruptedMode& mode : interruptedModes(reference)) {
    int killed = 0;
    for (int step = 0; step < kDelays; ++step) {
      SCOPED_TRACE(mode.output + ", step " + std::to_string(step));
      TempDir dir;
      int exitCode = -1;
      runAndStop(reference, mode, step, dir, [&exitCode](StartedProgram& program) {
        testsupport::killProgram(program);
        exitCode = testsupport::waitForExit(program);
      });
      if (exitCode != 0) {
        ++killed;
        EXPECT_EQ(exitCode, 137);
      }
      expectWholeFiles(dir, mode);
      StartedProgram next = testsupport::startProgram(mode.arguments, dir.path());
      ASSERT_EQ(testsupport::waitForExit(next), 0);
      EXPECT_EQ(leftovers(dir.path()), std::vector<std::string>());
      EXPECT_TRUE(readFile(dir.file(mode.output)) == mode.complete);
    }
    EXPECT_GT(killed, kDelays / 2) << mode.output;
  }
}

// A temporary file that a live run holds open is not removed by another
// run that sweeps the leftovers of the same target, whatever process id its
// name gives; once it is let go, the next run removes it.
TEST(FileSafety, TemporaryFileHeldOpenIsNotSwept) {
  TempDir dir;
  placeSheet(dir);
  // A process id that no process has any more.
  StartedProgram gone = testsupport::startProgram({}, dir.path());
  const unsigned long deadId = gone.id;
  ASSERT_NE(testsupport::waitForExit(gone), -1);
  const std::string temporary = ".macros.h.co447gen-" + std::to_string(deadId) + "-1.tmp";
  // As a writer holds its temporary file: nobody else may delete it.
  const HANDLE held = CreateFileW(widePath(dir.file(temporary)).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN,
                                  nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const CommandResult first = runProgram(mode2Arguments(), dir.path());
  EXPECT_EQ(first.exitCode, 0) << first.output;
  EXPECT_EQ(leftovers(dir.path()), std::vector<std::string>{temporary});
  CloseHandle(held);
  const CommandResult second = runProgram(mode2Arguments(), dir.path());
  EXPECT_EQ(second.exitCode, 0) << second.output;
  EXPECT_EQ(leftovers(dir.path()), std::vector<std::string>());
}

// ---- The attributes of a file

// A read-only output or database is not replaced: the run's own message,
// and the file keeps its bytes and its attribute. The attributes of a
// database that may be written (hidden, here) stay when it is replaced.
TEST(FileSafety, ReadOnlyAttributeIsKept) {
  struct Case {
    const char* what;
    std::string file;
    std::vector<std::string> arguments;
    std::string tail;
  };
  std::vector<std::string> deleting = mode1Arguments();
  deleting.push_back("-deldb");
  const std::vector<Case> cases = {
      {"output", "macros.h", mode2Arguments(),
       "Deleting output file \"./macros.h\"...\n\nError writing output file \"./macros.h\"\n\nERROR GENERATING\n"},
      {"database", "taxi.dbc", mode1Arguments(), "Database \"./taxi.dbc\" cannot be saved\n\nERROR GENERATING\n"},
      {"database, deleted first", "taxi.dbc", deleting,
       "Database \"./taxi.dbc\" cannot be created\nERROR GENERATING\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    placeSheet(dir);
    const std::string old = c.file == "taxi.dbc" ? kEmptyDatabase : "old header\r\n";
    writeFile(dir.file(c.file), old);
    ASSERT_TRUE(setAttributes(dir.file(c.file), FILE_ATTRIBUTE_READONLY));
    const CommandResult result = runProgram(c.arguments, dir.path());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(endsWith(result.output, c.tail)) << result.output;
    EXPECT_EQ(attributesOf(dir.file(c.file)) & FILE_ATTRIBUTE_READONLY, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(readFile(dir.file(c.file)), old);
    EXPECT_EQ(leftovers(dir.path()), std::vector<std::string>());
  }

  TempDir dir;
  placeSheet(dir);
  writeFile(dir.file("taxi.dbc"), kEmptyDatabase);
  ASSERT_TRUE(setAttributes(dir.file("taxi.dbc"), FILE_ATTRIBUTE_HIDDEN));
  for (const std::vector<std::string>& arguments : {mode1Arguments(), deleting}) {
    const CommandResult result = runProgram(arguments, dir.path());
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_NE(readFile(dir.file("taxi.dbc")).find("EV_ gs_taxi_state:"), std::string::npos);
    EXPECT_NE(attributesOf(dir.file("taxi.dbc")) & FILE_ATTRIBUTE_HIDDEN, 0u);
    // A new file is not hidden, though its temporary file was.
    EXPECT_EQ(attributesOf(dir.file("tester.can")) & FILE_ATTRIBUTE_HIDDEN, 0u);
  }
}

}  // namespace
