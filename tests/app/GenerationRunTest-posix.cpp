// Runs that end early because of what only POSIX systems impose: a file
// size limit (ulimit) and permission bits that bind the run (as "nobody"
// under root). Their message, "ERROR GENERATING", exit code 2, and the old
// files kept. (The other early ends: GenerationRunTest.cpp.)
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/RunFixtures.h"

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
  std::string command = "cd " + shellQuote(workDir) + " && " + prefix + shellQuote(CO447GEN_BINARY);
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
      {"cannot be deleted", Obstacle::ReadOnlyDirectory, "./locked/macros.h",
       "Deleting output file \"./locked/macros.h\"...\n\n"
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

}  // namespace
