// Bad input that only POSIX systems have: permission bits that bind the
// run (as "nobody" under root) and the memory a run takes as wait4 reports
// it. The rest of the bad-input table: BadInputTest.cpp.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "app/RunFixtures.h"

namespace {

using runfixtures::endsWith;
using runfixtures::mode1Arguments;
using runfixtures::mode2Arguments;
using runfixtures::placeSheet;
using testsupport::CommandResult;
using testsupport::readFile;
using testsupport::runCommand;
using testsupport::runProgram;
using testsupport::shellQuote;
using testsupport::TempDir;
using testsupport::writeFile;

namespace fs = std::filesystem;

// Runs as a user whom file permissions bind: this user, or "nobody" when
// the tests run as root, whom they do not bind. workDir is opened to all.
CommandResult runUnprivileged(const std::vector<std::string>& arguments, const std::string& workDir) {
  if (::geteuid() != 0) return runProgram(arguments, workDir);
  fs::permissions(workDir, fs::perms::all);
  std::string command = "cd " + shellQuote(workDir) +
                        " && exec setpriv --reuid=65534 --regid=65534 --clear-groups " + shellQuote(testsupport::programForEveryUser());
  for (const std::string& argument : arguments) command += " " + shellQuote(argument);
  return runCommand(command);
}

TEST(BadInput, ReadOnlyDatabase) {
  TempDir dir;
  placeSheet(dir);
  const std::string database = "VERSION \"\"\r\n\r\nBU_: Tester\r\n";
  writeFile(dir.file("taxi.dbc"), database);
  fs::permissions(dir.file("taxi.dbc"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const CommandResult result = runUnprivileged(mode1Arguments(), dir.path());
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_TRUE(endsWith(result.output, "Database \"./taxi.dbc\" cannot be saved\n\nERROR GENERATING\n"))
      << result.output;
  EXPECT_EQ(readFile(dir.file("taxi.dbc")), database);
  EXPECT_FALSE(testsupport::exists(dir.file("tester.can")));
}

// Modes 1 and 3 find this out before they save the database: it stays.
TEST(BadInput, OutputDirectoryNotWritable) {
  for (std::vector<std::string> arguments : {mode2Arguments(), mode1Arguments()}) {
    SCOPED_TRACE(arguments[1]);
    TempDir dir;
    placeSheet(dir);
    const std::string database = "VERSION \"\"\r\n\r\nBU_: Tester\r\n";
    writeFile(dir.file("taxi.dbc"), database);
    ::chmod(dir.file("taxi.dbc").c_str(), 0666);
    fs::create_directory(dir.file("locked"));
    fs::permissions(dir.file("locked"), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                            fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const std::string output = arguments[1] == "2" ? "./locked/macros.h" : "./locked/tester.can";
    *(std::find(arguments.begin(), arguments.end(), "-out") + 1) = output;
    const CommandResult result = runUnprivileged(arguments, dir.path());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(endsWith(result.output, "Error writing output file \"" + output + "\"\n\nERROR GENERATING\n"))
        << result.output;
    EXPECT_TRUE(fs::is_empty(dir.file("locked")));
    EXPECT_EQ(readFile(dir.file("taxi.dbc")), database);
  }
}

// ---- The database's size

// A run of the program in workDir, its console discarded: the exit code
// and the peak of its resident memory in KiB.
std::pair<int, long> runMeasured(const std::vector<std::string>& arguments, const std::string& workDir) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(workDir.c_str()) != 0) ::_exit(127);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    std::vector<std::string> copies = arguments;
    std::string binary = CO447GEN_BINARY;
    std::vector<char*> argv = {binary.data()};
    for (std::string& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    ::execv(binary.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid) return {-1, 0};
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), usage.ru_maxrss};
}

// A database above 1 GiB is refused before it is read: a sparse file takes
// no disk, and the run no memory for it.
// The refusal itself is checked on both platforms (BadInputTest.cpp); here
// that the file is not read before it is refused.
TEST(BadInput, DatabaseOver1GiBIsNotRead) {
  TempDir dir;
  placeSheet(dir);
  writeFile(dir.file("taxi.dbc"), "");
  fs::resize_file(dir.file("taxi.dbc"), (std::uintmax_t{1} << 30) + 1);
  const auto [exitCode, peakKib] = runMeasured(mode1Arguments(), dir.path());
  EXPECT_EQ(exitCode, 2);
  EXPECT_LT(peakKib, 100 * 1024) << "the file was read";
}

// A database is read into memory once: a run that extends one of 32 MB
// (messages, signals and variables) takes at most twice its size more
// than a run on an empty one.
TEST(BadInput, DatabaseIsReadInTheMemoryOfItsSize) {
  TempDir dir;
  placeSheet(dir);
  std::string database = "VERSION \"\"\r\n\r\nBU_: Tester\r\n\r\n";
  for (int message = 0; database.size() < (32u << 20); ++message) {
    database += "BO_ " + std::to_string(message) + " Message_" + std::to_string(message) + ": 8 Tester\r\n";
    for (int signal = 0; signal < 8; ++signal) {
      database += " SG_ Signal_" + std::to_string(message) + "_" + std::to_string(signal) + " : " +
                  std::to_string(8 * signal) + "|8@1+ (1,0) [0|255] \"\" Other_Node\r\n";
    }
    database += "EV_ ev_" + std::to_string(message) + ": 0 [0|1] \"\" 0 " + std::to_string(message + 1) +
                " DUMMY_NODE_VECTOR0 Tester;\r\n";
  }
  writeFile(dir.file("empty.dbc"), "");
  std::vector<std::string> arguments = mode1Arguments();
  arguments[7] = "./empty.dbc";
  const auto [emptyExit, emptyKib] = runMeasured(arguments, dir.path());
  ASSERT_EQ(emptyExit, 0);
  writeFile(dir.file("taxi.dbc"), database);
  const auto [exitCode, peakKib] = runMeasured(mode1Arguments(), dir.path());
  ASSERT_EQ(exitCode, 0);
  const long databaseKib = static_cast<long>(database.size() / 1024);
  EXPECT_LT(peakKib - emptyKib, 2 * databaseKib) << "peak " << peakKib << " KiB, empty " << emptyKib << " KiB";
  EXPECT_EQ(readFile(dir.file("taxi.dbc")).compare(0, database.size(), database), 0);
}

// ---- Bytes the run does not use

// The bundled example padded (tools/make_padded_sheets.py) with 32 MiB that
// no run uses: shared strings no cell names, empty cells right of and below
// the signal rows, and the same as one-character cells of a .csv. Each gives
// the example's header and takes at most 32 MiB more memory than the
// example (before, each took hundreds of megabytes).
TEST(BadInput, PaddingTheSheetCostsNoMemory) {
  TempDir padded;
  const CommandResult made = runCommand("python3 " + shellQuote(std::string(CO447GEN_SOURCE_DIR) +
                                                                "/tools/make_padded_sheets.py") +
                                        " " + shellQuote(padded.path()) + " --mib 32");
  if (made.exitCode != 0 && !testsupport::runningInCi()) GTEST_SKIP() << "python3 cannot run: " << made.output;
  ASSERT_EQ(made.exitCode, 0) << made.output;
  const testsupport::ScopedEnvironment epoch("SOURCE_DATE_EPOCH", "1700000000");
  const auto run = [](const std::string& sheet, const std::string& map, std::string& header) {
    TempDir dir;
    const std::string extension = fs::path(sheet).extension().string();
    fs::copy_file(sheet, dir.file("signals" + extension));
    fs::copy_file(map, dir.file("signals.ini"));
    const auto [exitCode, peakKib] = runMeasured(mode2Arguments("./signals" + extension), dir.path());
    EXPECT_EQ(exitCode, 0) << sheet;
    header = readFile(dir.file("macros.h"));
    return peakKib;
  };
  const std::string examples = std::string(CO447GEN_SOURCE_DIR) + "/examples/";
  std::string expected;
  const long examplePeakKib =
      run(examples + "ds447-taxi-signals.xlsx", examples + "ds447-taxi-signals.ini", expected);
  for (const std::string name : {"strings.xlsx", "cells.xlsx", "cells.csv"}) {
    std::string header;
    const long peakKib = run(padded.file(name), padded.file(fs::path(name).stem().string() + ".ini"), header);
    EXPECT_LT(peakKib - examplePeakKib, 32 * 1024) << name << ": peak " << peakKib << " KiB";
    EXPECT_TRUE(header == expected) << name;
  }
}

}  // namespace
