// The manual page man/co447gen.1: clean under mandoc's lint, and every
// option the program knows has its entry, the virtual devices with the
// names the usage text gives them.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "TestSupport.h"
#include "app/CommandLine.h"
#include "app/RunSettings.h"

namespace {

using testsupport::readFile;
using testsupport::runCommand;
using testsupport::shellQuote;

const std::string kManPage = std::string(CO447GEN_SOURCE_DIR) + "/man/co447gen.1";

// Options that the usage text does not list.
const char* const kOptionsBeyondTheUsageText[] = {"-me", "-wide", "--help", "--version"};

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
  const auto lint = runCommand("mandoc -Tlint " + shellQuote(kManPage));
  EXPECT_EQ(lint.output, "");
  EXPECT_EQ(lint.exitCode, 0);
}

TEST(ManPage, EveryOptionHasItsEntry) {
  std::set<std::string> expected = usageTextOptions();
  ASSERT_EQ(expected.count("-vd_tsto"), 1u) << "the usage text was not read";
  expected.insert(std::begin(kOptionsBeyondTheUsageText), std::end(kOptionsBeyondTheUsageText));

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

TEST(ManPage, VirtualDevicesCarryTheirUsageNames) {
  const std::string page = readFile(kManPage);
  for (const VirtualDeviceOption& device : kVirtualDeviceOptions) {
    const std::string entry = std::string(".It Fl ") + (device.option + 1) + "\n" + device.usageName + "\n";
    EXPECT_NE(page.find(entry), std::string::npos) << device.option << " " << device.usageName;
  }
}

}  // namespace
