// cmake --install: the program, its manual page, the bash completion and
// the documentation with the bundled example land where a package and a
// user look for them, the installed program runs, and the completion
// completes every option.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "TestSupport.h"
#include "VersionTexts.h"
#include "app/CommandLineOptions.h"
#include "core/VirtualDevices.h"

namespace {

namespace fs = std::filesystem;

using testsupport::runCommand;
using testsupport::shellQuote;
using testsupport::TempDir;

// Installs the build into a fresh prefix.
class Install : public ::testing::Test {
 protected:
  void SetUp() override {
    if (testsupport::onWindows()) GTEST_SKIP() << "on Windows the zip of the Windows build is the install";
    const auto install = runCommand("cmake --install " + shellQuote(CO447GEN_BUILD_DIR) + " --prefix " +
                                    shellQuote(prefix.path()));
    ASSERT_EQ(install.exitCode, 0) << install.output;
  }
  TempDir prefix;
};

TEST_F(Install, TreeHoldsTheProgramItsManualAndTheDocumentation) {
  const std::set<std::string> expected = {
      "bin/co447gen",
      "share/man/man1/co447gen.1.gz",
      "share/bash-completion/completions/co447gen",
      "share/doc/co447gen/copyright",
      "share/doc/co447gen/changelog.gz",
      "share/doc/co447gen/README.md",
      "share/doc/co447gen/docs/design.md",
      "share/doc/co447gen/docs/generated-files.md",
      "share/doc/co447gen/docs/performance.md",
      "share/doc/co447gen/docs/reading-sheets.md",
      "share/doc/co447gen/docs/safety.md",
      "share/doc/co447gen/docs/testing.md",
      "share/doc/co447gen/examples/ds447-taxi-signals.xlsx",
      "share/doc/co447gen/examples/ds447-taxi-signals.ini",
  };

  std::set<std::string> installed;
  for (const auto& entry : fs::recursive_directory_iterator(prefix.path())) {
    if (!entry.is_directory()) installed.insert(fs::relative(entry.path(), prefix.path()).generic_string());
  }
  EXPECT_EQ(installed, expected);

  const auto version = runCommand(shellQuote(prefix.file("bin/co447gen")) + " --version");
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.output, std::string("co447gen ") + CO447GEN_VERSION + "\n");

  // The manual page, compressed: the page the build configured.
  const auto page = runCommand("gzip -dc " + shellQuote(prefix.file("share/man/man1/co447gen.1.gz")));
  EXPECT_EQ(page.output, testsupport::readFile(std::string(CO447GEN_BUILD_DIR) + "/man/co447gen.1"));
}

TEST_F(Install, BashCompletionCompletesOptionsAndValues) {
  std::string every;
  for (const CommandLineOption& option : kCommandLineOptions) every += std::string(option.name) + " ";
  for (const VirtualDeviceOption& device : kVirtualDeviceOptions) every += std::string(device.option) + " ";
  every += std::string(kHelpOption) + " " + kVersionOption;
  for (const char* spelling : kOtherHelpSpellings) every += std::string(" ") + spelling;
  const struct {
    std::string words;  // the command line so far; the last word is completed
    std::string completions;
  } cases[] = {
      {"-vd_t", "-vd_term -vd_taxm -vd_tard -vd_txas -vd_tsto"},
      {"-m", "-m -mex -me"},
      {"-m 3 -w", "-wide"},
      {"-m ''", "1 2 3"},
      {"-m 1 -id 1", "1 10 11 12 13 14 15 16"},
      {"-m 1 -idt 16 -vd_taxm -h", ""},  // the help words come first or not at all
      {"-nme ''", ""},
      {"-mex ''", "ULL"},
      {"''", every},
  };
  const std::string script = prefix.file("share/bash-completion/completions/co447gen");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    const std::string complete = "source " + shellQuote(script) + "; COMP_WORDS=(co447gen " + c.words +
                                 "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _co447gen; echo \"${COMPREPLY[*]}\"";
    const auto result = runCommand("bash -c " + shellQuote(complete));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, c.completions + "\n");
  }
}

}  // namespace
