// Runs that end early because of what only POSIX systems impose: a file
// size limit and a limit on the address space (ulimit) and permission bits
// that bind the run (as "nobody" under root). Their message, "ERROR
// GENERATING", exit code 2, and the old files kept. (The other early ends:
// GenerationRunTest.cpp.)
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/RunFixtures.h"
#include "input/SheetFiles.h"

namespace {

using runfixtures::mode2Arguments;
using runfixtures::mode3Arguments;
using runfixtures::placeSheet;
using testsupport::CommandResult;
using testsupport::readFile;
using testsupport::runCommand;
using testsupport::runProgram;
using testsupport::shellQuote;
using testsupport::TempDir;
using testsupport::writeFile;

namespace fs = std::filesystem;

// Runs the program in workDir after a shell prefix that ends in exec or a
// program that runs it.
CommandResult runPrefixed(const std::string& prefix, const std::vector<std::string>& arguments,
                          const std::string& workDir) {
  std::string command = "cd " + shellQuote(workDir) + " && " + prefix + shellQuote(testsupport::programForEveryUser());
  for (const std::string& argument : arguments) command += " " + shellQuote(argument);
  return runCommand(command);
}

// Runs with a file size limit of 0 blocks: every write fails (for root
// too), while opening and creating files still works.
CommandResult runWithoutDiskSpace(const std::vector<std::string>& arguments, const std::string& workDir) {
  return runPrefixed("trap '' XFSZ && ulimit -f 0 && exec ", arguments, workDir);
}

// Runs as a user that file permissions apply to: this user, or "nobody"
// when the tests run as root, who ignores them. workDir is opened to all.
CommandResult runUnprivileged(const std::vector<std::string>& arguments, const std::string& workDir) {
  if (geteuid() != 0) return runProgram(arguments, workDir);
  fs::permissions(workDir, fs::perms::all);
  return runPrefixed("exec setpriv --reuid=65534 --regid=65534 --clear-groups ", arguments, workDir);
}

TEST(GenerationRunFailure, DatabaseCannotBeSavedKeepsOldFiles) {
  TempDir dir;
  placeSheet(dir);
  ASSERT_EQ(runProgram(mode3Arguments(), dir.path()).exitCode, 0);
  const std::string database = readFile(dir.file("taxi.dbc"));
  const std::string output = readFile(dir.file("node.cin"));
  const CommandResult result = runWithoutDiskSpace(mode3Arguments(), dir.path());
  EXPECT_EQ(result.exitCode, 2);
  const std::string tail = "Saving database \"./taxi.dbc\"...\n\n"
                           "Database \"./taxi.dbc\" cannot be saved\n\nERROR GENERATING\n";
  ASSERT_GE(result.output.size(), tail.size());
  EXPECT_EQ(result.output.substr(result.output.size() - tail.size()), tail) << result.output;
  // Neither the database nor the output of the earlier run was touched.
  EXPECT_EQ(readFile(dir.file("taxi.dbc")), database);
  EXPECT_EQ(readFile(dir.file("node.cin")), output);
}

TEST(GenerationRunFailure, OutputFileCannotBeReplacedOrWritten) {
  enum class Obstacle { ReadOnlyDirectory, NoDiskSpace };
  struct Case {
    std::string name;
    Obstacle obstacle;
    std::string outputPath;
    std::string expectedTail;
  };
  const std::vector<Case> cases = {
      // Found before the old output is deleted: no new file can be made there.
      {"directory cannot be written", Obstacle::ReadOnlyDirectory, "./locked/macros.h",
       "Error writing output file \"./locked/macros.h\"\n\nERROR GENERATING\n"},
      {"pieces cannot be written", Obstacle::NoDiskSpace, "./macros.h",
       "Error writing output file \"./macros.h\"\n\nERROR GENERATING\n"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    placeSheet(dir);
    std::vector<std::string> arguments = mode2Arguments();
    arguments[5] = c.outputPath;
    CommandResult result;
    switch (c.obstacle) {
      case Obstacle::ReadOnlyDirectory:
        fs::create_directory(dir.file("locked"));
        writeFile(dir.file("locked/macros.h"), "old header\n");
        fs::permissions(dir.file("locked"), fs::perms::owner_read | fs::perms::owner_exec |
                                                fs::perms::group_read | fs::perms::group_exec |
                                                fs::perms::others_read | fs::perms::others_exec);
        result = runUnprivileged(arguments, dir.path());
        EXPECT_EQ(readFile(dir.file("locked/macros.h")), "old header\n");
        break;
      case Obstacle::NoDiskSpace:
        result = runWithoutDiskSpace(arguments, dir.path());
        break;
    }
    EXPECT_EQ(result.exitCode, 2) << c.name;
    ASSERT_GE(result.output.size(), c.expectedTail.size()) << c.name;
    EXPECT_EQ(result.output.substr(result.output.size() - c.expectedTail.size()), c.expectedTail)
        << c.name << "\n" << result.output;
    // The run ended before its signal lists.
    EXPECT_EQ(result.output.find("macros are generated"), std::string::npos) << c.name;
  }
}

// ---- A limit on the address space (ulimit -v, in KiB)

CommandResult runWithAddressSpace(unsigned long kib, const std::vector<std::string>& arguments,
                                  const std::string& workDir) {
  return runPrefixed("ulimit -v " + std::to_string(kib) + " && exec ", arguments, workDir);
}

const char kNoLimitUnderSanitizer[] = "AddressSanitizer's shadow memory does not fit any limit on the address space";

// The bundled example needs few megabytes: under a limit of 128 MiB of
// address space every mode writes the same files and says the same.
TEST(GenerationRunFailure, SmallRunFitsIn128MiBOfAddressSpace) {
  if (testsupport::underAddressSanitizer()) GTEST_SKIP() << kNoLimitUnderSanitizer;
  const testsupport::ScopedEnvironment epoch("SOURCE_DATE_EPOCH", "1700000000");
  const std::string examples = std::string(CO447GEN_SOURCE_DIR) + "/examples/ds447-taxi-signals";
  for (const auto& arguments : {runfixtures::mode1Arguments("./signals.xlsx"), mode2Arguments("./signals.xlsx"),
                                mode3Arguments("./signals.xlsx")}) {
    SCOPED_TRACE("mode " + arguments[1]);
    TempDir free;
    TempDir limited;
    for (const TempDir* dir : {&free, &limited}) {
      fs::copy_file(examples + ".xlsx", dir->file("signals.xlsx"));
      fs::copy_file(examples + ".ini", dir->file("signals.ini"));
    }
    const CommandResult expected = runProgram(arguments, free.path());
    const CommandResult result = runWithAddressSpace(128 * 1024, arguments, limited.path());
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.output == expected.output) << result.output;
    for (const auto& entry : fs::directory_iterator(free.path())) {
      const std::string name = entry.path().filename().string();
      EXPECT_TRUE(readFile(free.file(name)) == readFile(limited.file(name))) << name;
    }
  }
}

// A run that needs more memory than it may have ends with a message, not
// an abort, wherever the memory runs out (here while reading, where a lack
// of memory must not pass for a damaged file): the old database and output
// stay, and no temporary file is left.
TEST(GenerationRunFailure, OutOfMemoryIsAMessage) {
  if (testsupport::underAddressSanitizer()) GTEST_SKIP() << kNoLimitUnderSanitizer;
  const std::string message = "Not enough memory to finish the run\n\n";
  struct Case {
    std::string sheet;
    std::vector<std::string> arguments;
    std::string output;
  };
  const std::vector<Case> cases = {
      {"signals.csv", runfixtures::mode1Arguments("./signals.csv"), "tester.can"},
      {"signals.xlsx", runfixtures::mode1Arguments("./signals.xlsx"), "tester.can"},
      {"signals.xlsx", mode2Arguments("./signals.xlsx"), "macros.h"},
  };
  // 100 000 signals take far more than the 24 MiB the runs may have.
  TempDir sheets;
  writeFile(sheets.file("signals.csv"), runfixtures::largeSheet(100000));
  sheetfiles::writeLargeSignalXlsx(sheets.file("signals.xlsx"), 100000);
  std::string map = "[XLSImport]\nSkipRows=1\n";
  const char* const keys[] = {"ObjectIndex",     "SignalName",   "ObjectSize",     "ObjectSubIndex",
                              "SignalOffset",    "SignalSize",   "SignalReserved", "SignalIsUsed",
                              "CommandOrStatus", "IsUsedButNotImplemented", "IsUsedStatus",
                              "IsUsedCommand",   "ObjectName",   "SignalNameShort", "IsUsedPDO"};
  for (int i = 0; i < 15; ++i) map += std::string(keys[i]) + "=" + std::to_string(i) + "\n";
  writeFile(sheets.file("signals.xlsx.ini"), map);
  fs::copy_file(testsupport::dataPath("app/basic.ini"), sheets.file("signals.csv.ini"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sheet + ", mode " + c.arguments[1]);
    TempDir dir;
    fs::copy_file(sheets.file(c.sheet), dir.file(c.sheet));
    fs::copy_file(sheets.file(c.sheet + ".ini"), dir.file("signals.ini"));
    const std::string database = "VERSION \"\"\r\n\r\nBU_: Tester\r\n";
    writeFile(dir.file("taxi.dbc"), database);
    writeFile(dir.file(c.output), "old output\r\n");
    const CommandResult result = runWithAddressSpace(24 * 1024, c.arguments, dir.path());
    EXPECT_EQ(result.exitCode, 2);
    const std::string tail = message + "ERROR GENERATING\n";
    EXPECT_TRUE(result.output.size() >= tail.size() &&
                result.output.compare(result.output.size() - tail.size(), tail.size(), tail) == 0)
        << result.output;
    const std::string log = readFile(dir.file("signals_log.txt"));
    const std::string logTail = testsupport::crlf(message);
    EXPECT_TRUE(log.size() >= logTail.size() && log.compare(log.size() - logTail.size(), logTail.size(), logTail) == 0);
    EXPECT_EQ(readFile(dir.file("taxi.dbc")), database);
    EXPECT_EQ(readFile(dir.file(c.output)), "old output\r\n");
    EXPECT_TRUE(runfixtures::leftovers(dir.path()).empty());
  }
}

}  // namespace
