// The manual page man/co447gen.1.in, as the build configures it: clean
// under mandoc's lint, the version in its footer, and every option the
// program knows has its entry, the virtual devices with the names the
// usage text gives them.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "TestSupport.h"
#include "VersionTexts.h"
#include "app/CommandLine.h"
#include "app/CommandLineOptions.h"
#include "core/VirtualDevices.h"

namespace {

using testsupport::readFile;
using testsupport::runCommand;
using testsupport::shellQuote;

// The page as the build configured it, with the version in its footer.
const std::string kManPage = std::string(CO447GEN_BUILD_DIR) + "/man/co447gen.1";

// Every option of the command line's tables, the help and the version.
std::set<std::string> everyOption() {
  std::set<std::string> options = {kHelpOption, kVersionOption};
  for (const CommandLineOption& option : kCommandLineOptions) options.insert(option.name);
  for (const VirtualDeviceOption& device : kVirtualDeviceOptions) options.insert(device.option);
  return options;
}

// The options of the usage text: each entry line names one in quotes
// ("   '-id  + value'   : ...").
std::set<std::string> usageTextOptions() {
  std::ostringstream usage;
  printUsage(usage);
  std::set<std::string> options;
  const std::string text = usage.str();
  for (std::size_t at = text.find("'-"); at != std::string::npos; at = text.find("'-", at + 1)) {
    const std::size_t end = text.find_first_of(" '", at + 1);
    options.insert(text.substr(at + 1, end - at - 1));
  }
  return options;
}

// The options the page gives an entry of its own (".It Fl id ...").
std::set<std::string> manPageEntries(const std::string& page) {
  std::set<std::string> entries;
  std::istringstream lines(page);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(".It Fl ", 0) != 0) continue;
    const std::size_t end = line.find(' ', 7);
    entries.insert("-" + line.substr(7, end == std::string::npos ? std::string::npos : end - 7));
  }
  return entries;
}

TEST(ManPage, LintFindsNothing) {
  // The Windows suite cannot run mandoc, in CI neither; the Linux suite lints the page.
  if (testsupport::onWindows()) GTEST_SKIP() << "mandoc does not run on Windows; the Linux suite lints the page";
  if (runCommand("command -v mandoc").exitCode != 0) {
    if (testsupport::runningInCi()) FAIL() << "mandoc is not installed";
    GTEST_SKIP() << "mandoc is not installed";
  }
  // Only the one style note on the name and version given to .Os, which
  // put the version into the footer.
  const auto lint = runCommand("mandoc -Tlint " + shellQuote(kManPage));
  EXPECT_EQ(lint.output,
            "mandoc: " + kManPage + ":4:5: STYLE: operating system explicitly specified: Os co447gen (NetBSD)\n");
}

TEST(ManPage, EveryOptionHasItsEntry) {
  const std::set<std::string> expected = everyOption();
  // The usage text names no option the tables lack.
  const std::set<std::string> usage = usageTextOptions();
  ASSERT_EQ(usage.count("-vd_tsto"), 1u) << "the usage text was not read";
  for (const std::string& option : usage) EXPECT_EQ(expected.count(option), 1u) << option;

  const std::set<std::string> documented = manPageEntries(readFile(kManPage));
  for (const std::string& option : expected) {
    EXPECT_EQ(documented.count(option), 1u) << option << " has no entry in " << kManPage;
  }
  // And no entry for an option the program does not know ("-vd_" stands for
  // the list of devices).
  for (const std::string& entry : documented) {
    EXPECT_TRUE(expected.count(entry) == 1 || entry == "-vd_") << entry << " is no option of the program";
  }
}

TEST(ManPage, FooterCarriesTheVersion) {
  EXPECT_NE(readFile(kManPage).find(std::string("\n.Os co447gen ") + CO447GEN_VERSION + "\n"), std::string::npos);
}

// The README's command line names every option but the devices (it names
// where they are listed).
TEST(ManPage, ReadmeNamesEveryOption) {
  const std::string readme = readFile(std::string(CO447GEN_SOURCE_DIR) + "/README.md");
  for (const CommandLineOption& option : kCommandLineOptions) {
    EXPECT_NE(readme.find(std::string("`") + option.name + "`"), std::string::npos) << option.name;
  }
}

TEST(ManPage, VirtualDevicesCarryTheirUsageNames) {
  const std::string page = readFile(kManPage);
  for (const VirtualDeviceOption& device : kVirtualDeviceOptions) {
    const std::string entry = std::string(".It Fl ") + (device.option + 1) + "\n" + device.usageName + "\n";
    EXPECT_NE(page.find(entry), std::string::npos) << device.option << " " << device.usageName;
  }
}

}  // namespace
