// No run loses a user's file where the platforms agree: runs that extend
// one database at the same time, a database with other hard links, a
// console that was closed. The
// built program runs in temporary directories (the platform's own cases:
// FileSafetyTest-posix.cpp, FileSafetyTest-win32.cpp).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/RunFixtures.h"

namespace {

using runfixtures::leftovers;
using runfixtures::mode1Arguments;
using runfixtures::placeSheet;
using testsupport::CommandResult;
using testsupport::readFile;
using testsupport::runProgram;
using testsupport::StartedProgram;
using testsupport::TempDir;
using testsupport::writeFile;

namespace fs = std::filesystem;

// ---- Runs that extend one database at the same time

// A sheet of its own for run k: names no other sheet has.
std::string sheetOfRun(int k) {
  std::string sheet = "Object index,Object name,Sub-index,Object size,Signal name,Short name,Signal offset,"
                      "Signal size,Reserved,Used,Command,Used not implemented,Used status,Used command,Used PDO\n";
  for (int i = 0; i < 12; ++i) {
    char row[200];
    std::snprintf(row, sizeof row, "%x,Object,%x,32,Run%d signal %d,S%d,%d,2,,x,%s,,x,,\n", 0x6000 + k, i % 3, k, i,
                  i, (i / 3) * 2, i % 2 == 0 ? "x" : "");
    sheet += row;
  }
  return sheet;
}

// The variables the relations file says a run entered, and the object
// variables.
std::set<std::string> variablesOfRun(const std::string& relations) {
  std::set<std::string> names;
  for (const char* separator : {"\t", "\t\t"}) {
    for (const std::string& name : testsupport::identifiersAfter(relations, separator)) {
      if (!name.empty()) names.insert(name);
    }
  }
  return names;
}

TEST(FileSafety, ConcurrentRunsOnOneDatabaseLoseNoVariable) {
  constexpr int kRuns = 8;
  constexpr int kTrials = 20;
  for (int trial = 0; trial < kTrials; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    TempDir dir;
    std::vector<StartedProgram> runs;
    for (int k = 0; k < kRuns; ++k) {
      const std::string run = "run" + std::to_string(k);
      fs::create_directory(dir.file(run));
      writeFile(dir.file(run + "/signals.csv"), sheetOfRun(k));
      fs::copy_file(testsupport::dataPath("app/basic.ini"), dir.file(run + "/signals.ini"));
      runs.push_back(testsupport::startProgram({"-m", k % 2 == 0 ? "1" : "3", "-id", "5", "-idt", "16", "-sdb",
                                                "./node.dbc", "-xls", "./" + run + "/signals.csv", "-out",
                                                "./" + run + "/node.out", "-nme", "Taximeter", "-tme", "Tester"},
                                               dir.path(), dir.file(run + "/console.txt")));
    }
    for (int k = 0; k < kRuns; ++k) {
      const std::string run = dir.file("run" + std::to_string(k));
      EXPECT_EQ(testsupport::waitForExit(runs[k]), 0) << readFile(run + "/console.txt");
    }

    const std::string database = readFile(dir.file("node.dbc"));
    std::size_t expected = 4;  // the node variables
    for (int k = 0; k < kRuns; ++k) {
      const std::string run = dir.file("run" + std::to_string(k));
      const std::set<std::string> variables = variablesOfRun(readFile(run + "/object_signal_relations.txt"));
      EXPECT_EQ(variables.size(), 24u);
      for (const std::string& name : variables) {
        EXPECT_NE(database.find("\nEV_ " + name + ":"), std::string::npos) << "lost: " << name;
      }
      // And three object variables, and the six commands, which share their
      // objects with status signals, get status value variables.
      expected += variables.size() + 3 + 6;
    }
    EXPECT_EQ(testsupport::identifiersAfter(database, "\nEV_ ").size(), expected);
    EXPECT_EQ(leftovers(dir.path()), std::vector<std::string>());
  }
}

// ---- The database keeps its file

// Saving replaces the database by a new file; other hard links to the old
// one keep the old contents, and the run says so.
TEST(FileSafety, DatabaseWithOtherHardLinksSaysTheyKeepTheOldContents) {
  const std::string old = "VERSION \"\"\r\n\r\nBU_: Tester\r\n";
  const std::string warning =
      "Saving database \"./taxi.dbc\"...\n\n"
      "Warning: database \"./taxi.dbc\" has other hard links; they keep the old contents\n\n";
  for (const bool deleteFirst : {false, true}) {
    SCOPED_TRACE(deleteFirst ? "with -deldb" : "extended");
    TempDir dir;
    placeSheet(dir);
    writeFile(dir.file("taxi.dbc"), old);
    fs::create_hard_link(dir.file("taxi.dbc"), dir.file("other.dbc"));
    std::vector<std::string> arguments = mode1Arguments();
    if (deleteFirst) arguments.push_back("-deldb");
    const CommandResult result = runProgram(arguments, dir.path());
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_NE(result.output.find(warning + "Generating output file"), std::string::npos) << result.output;
    EXPECT_NE(readFile(dir.file("signals_log.txt")).find(testsupport::crlf(warning.substr(warning.find("Warning")))),
              std::string::npos);
    EXPECT_EQ(readFile(dir.file("other.dbc")), old);
    EXPECT_NE(readFile(dir.file("taxi.dbc")).find("EV_ gs_taxi_state:"), std::string::npos);
    // The saved database is a file of its own now: nothing more to say.
    const CommandResult again = runProgram(arguments, dir.path());
    EXPECT_EQ(again.exitCode, 0) << again.output;
    EXPECT_EQ(again.output.find("hard links"), std::string::npos) << again.output;
  }
}

// ---- A console that was closed

// A console that was closed (the output piped into a command that has
// ended) must not end the run before its files are written: every write
// to it fails (on POSIX systems SIGPIPE is ignored for that).
TEST(FileSafety, ClosedConsoleDoesNotStopTheRun) {
  TempDir dir;
  placeSheet(dir);
  StartedProgram run = testsupport::startProgramWithClosedConsole(mode1Arguments(), dir.path());
  EXPECT_EQ(testsupport::waitForExit(run), 0);
  EXPECT_NE(readFile(dir.file("taxi.dbc")).find("EV_ gs_taxi_state:"), std::string::npos);
  EXPECT_GT(readFile(dir.file("tester.can")).size(), 10000u);
  EXPECT_NE(readFile(dir.file("signals_log.txt")).find("signals not used:"), std::string::npos);
}

// Paths longer than the classic limit of 260 characters on Windows: every
// file of a mode 1 run (sheet, column map, log, relations, database, its
// lock and temporary files, output) lies in a directory whose absolute
// path is over 400 characters long, and the run gives the same files as
// in a short directory.
TEST(FileSafety, PathsLongerThan260Characters) {
  TempDir dir;
  std::string deep = dir.path();
  for (int level = 0; deep.size() < 400; ++level) deep += "/a-directory-with-a-rather-long-name-" + std::to_string(level);
  ASSERT_TRUE(std::filesystem::create_directories(testsupport::pathOf(deep)));
  TempDir shortDir;
  placeSheet(shortDir);
  for (const char* name : {"signals.csv", "signals.ini"}) writeFile(deep + "/" + name, readFile(shortDir.file(name)));
  std::vector<std::string> arguments = {"-m", "1", "-id", "5", "-idt", "16", "-sdb", deep + "/taxi.dbc", "-xls",
                                        deep + "/signals.csv", "-out", deep + "/tester.can", "-nme", "Taximeter",
                                        "-tme", "Tester"};
  const CommandResult result = runProgram(arguments, dir.path());
  ASSERT_EQ(result.exitCode, 0) << result.output;
  ASSERT_EQ(runProgram(mode1Arguments(), shortDir.path()).exitCode, 0);
  for (const char* name : {"tester.can", "taxi.dbc", "signals_log.txt", "object_signal_relations.txt"}) {
    EXPECT_TRUE(readFile(deep + "/" + name) == readFile(shortDir.file(name))) << name;
  }
  EXPECT_EQ(leftovers(deep), std::vector<std::string>());
}

}  // namespace
