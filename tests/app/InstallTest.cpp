// cmake --install: the program, its manual page and the documentation with
// the bundled example land where a package and a user look for them, and
// the installed program runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "TestSupport.h"
#include "VersionTexts.h"

namespace {

namespace fs = std::filesystem;

using testsupport::runCommand;
using testsupport::shellQuote;
using testsupport::TempDir;

TEST(Install, TreeHoldsTheProgramItsManualAndTheDocumentation) {
  if (testsupport::onWindows()) GTEST_SKIP() << "on Windows the zip of the Windows build is the install";
  TempDir prefix;
  const auto install = runCommand("cmake --install " + shellQuote(CO447GEN_BUILD_DIR) + " --prefix " +
                                  shellQuote(prefix.path()));
  ASSERT_EQ(install.exitCode, 0) << install.output;

  const std::set<std::string> expected = {
      "bin/co447gen",
      "share/man/man1/co447gen.1",
      "share/doc/co447gen/README.md",
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
}

}  // namespace
