// Runs the built program: banner, usage and exit codes as a user sees them.
#include <gtest/gtest.h>

#include <sstream>

#include "TestSupport.h"
#include "app/CommandLine.h"

namespace {

using testsupport::runProgram;

std::string banner() {
  const std::string rule(76, '-');
  return "\n" + rule + "\n    co447gen 1.0.0 - CANopen CiA 447 signal mapper and macro generator\n"
         "    Copyright (C) 2026 the co447gen developers\n" + rule + "\n\n";
}

TEST(Application, NoArgumentsPrintsBannerAndUsageAndExitsWithOne) {
  const auto result = runProgram({});
  EXPECT_EQ(result.exitCode, 1);
  ASSERT_EQ(result.output.rfind(banner(), 0), 0u) << result.output;
  EXPECT_EQ(result.output.substr(banner().size(), 55), "Use the following parameters to start the application:\n");
}

TEST(Application, ExitCodesAndConventionalOptions) {
  struct Case {
    std::vector<std::string> arguments;
    int exitCode;
    std::string outputAfterBanner;  // "" = not checked beyond the banner
  };
  std::ostringstream help;
  printUsage(help);
  printHelpNotes(help);
  const std::string badMode =
      "Error executing co447gen: invalid parameter value (\"9\") for parameter \"-m\" (generation mode)\n\n";
  const std::string noMode = "Error executing co447gen: missing parameter \"-m\" (generation mode)\n\n";
  const std::vector<Case> cases = {
      {{"-m", "9"}, 1, badMode},
      {{"-x"}, 1, noMode},
      // The help: --help as the first argument, the other spellings as the only one.
      {{"--help"}, 0, help.str()},
      {{"--help", "-m", "9"}, 0, help.str()},
      {{"-h"}, 0, help.str()},
      {{"help"}, 0, help.str()},
      {{"/?"}, testsupport::onWindows() ? 0 : 1, testsupport::onWindows() ? help.str() : noMode},
      {{"-h", "-m", "9"}, 1, badMode},
      {{"help", "-m", "9"}, 1, badMode},
      {{"-H"}, 1, noMode},
  };
  for (const Case& c : cases) {
    const auto result = runProgram(c.arguments);
    SCOPED_TRACE(c.arguments.front() + " and " + std::to_string(c.arguments.size() - 1) + " more");
    EXPECT_EQ(result.exitCode, c.exitCode);
    ASSERT_EQ(result.output.rfind(banner(), 0), 0u) << result.output;
    if (!c.outputAfterBanner.empty()) {
      EXPECT_EQ(result.output.substr(banner().size()), c.outputAfterBanner);
    }
  }
  const auto version = runProgram({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.output, "co447gen 1.0.0\n");
  // Recognised only as the first argument: elsewhere it is an ignored argument.
  const auto late = runProgram({"-m", "0", "--version"});
  EXPECT_EQ(late.exitCode, 1);
}

}  // namespace
