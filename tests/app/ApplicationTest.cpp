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
  const std::vector<Case> cases = {
      {{"-m", "9"}, 1,
       "Error executing co447gen: invalid parameter value (\"9\") for parameter \"-m\" (generation mode)\n\n"},
      {{"-x"}, 1, "Error executing co447gen: missing parameter \"-m\" (generation mode)\n\n"},
      {{"--help"}, 0, ""},
  };
  for (const Case& c : cases) {
    const auto result = runProgram(c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments.front();
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

TEST(Application, HelpSpellingsPrintWhatHelpPrints) {
  std::ostringstream help;
  printUsage(help);
  printHelpNotes(help);
  struct Case {
    std::vector<std::string> arguments;
    bool help;
  };
  const std::vector<Case> cases = {
      {{"--help"}, true},
      {{"-h"}, true},
      {{"help"}, true},
      {{"/?"}, testsupport::onWindows()},
      {{"--help", "-m", "9"}, true},  // the first argument
      {{"-h", "-m", "9"}, false},     // the others only as the only argument
      {{"help", "-m", "9"}, false},
      {{"-H"}, false},
      {{"--h"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.front() + " and " + std::to_string(c.arguments.size() - 1) + " more");
    const auto result = runProgram(c.arguments);
    EXPECT_EQ(result.exitCode, c.help ? 0 : 1);
    if (c.help) {
      EXPECT_EQ(result.output, banner() + help.str());
    } else {
      EXPECT_EQ(result.output.find("Exit status:"), std::string::npos);
    }
  }
}

}  // namespace
