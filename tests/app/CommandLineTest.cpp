#include "app/CommandLine.h"
#include "util/Paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "TestSupport.h"
#include "app/CommandLineOptions.h"
#include "core/RunSettings.h"
#include "util/StringFormat.h"

namespace {

using testsupport::TempDir;

const std::string kPrefix = "Error executing co447gen: ";

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

struct ParseCase {
  const char* title;
  std::vector<std::string> arguments;  // "@DIR" stands for an existing directory
  bool ok;
  std::string message;  // without prefix and the two line ends
};

std::vector<std::string> expand(const std::vector<std::string>& arguments, const std::string& dir) {
  std::vector<std::string> result;
  for (std::string argument : arguments) {
    const auto at = argument.find("@DIR");
    if (at != std::string::npos) argument.replace(at, 4, dir);
    result.push_back(argument);
  }
  return result;
}

// The line after the message of a path without a directory part.
std::string hint(const std::string& name) {
  return "\ngive \"." + std::string(1, kDirectorySeparator) + name + "\" for a file in the current directory";
}

TEST(CommandLine, ValidationStepsAndMessages) {
  TempDir dir;
  const std::vector<ParseCase> cases = {
      {"no mode", {"-xls", "a.xlsx"}, false, "missing parameter \"-m\" (generation mode)"},
      {"mode 4", {"-m", "4"}, false, "invalid parameter value (\"4\") for parameter \"-m\" (generation mode)"},
      {"mode 0", {"-m", "0"}, false, "invalid parameter value (\"0\") for parameter \"-m\" (generation mode)"},
      {"mode x", {"-m", "x"}, false, "invalid parameter value (\"0\") for parameter \"-m\" (generation mode)"},
      {"mode last", {"-xls", "a", "-m"}, false, "invalid parameter value (\"0\") for parameter \"-m\" (generation mode)"},
      {"upper-case option is no option", {"-M", "2"}, false, "missing parameter \"-m\" (generation mode)"},
      {"missing dut id", {"-m", "1"}, false, "missing parameter \"-id\" (node id of device under test)"},
      {"dut id 17", {"-m", "1", "-id", "17"}, false,
       "invalid parameter value (\"17\") for parameter \"-id\" (node id of device under test)"},
      {"dut id hex", {"-m", "1", "-id", "0x05"}, false,
       "invalid parameter value (\"0\") for parameter \"-id\" (node id of device under test)"},
      {"missing tester id", {"-m", "1", "-id", "16"}, false, "missing parameter \"-idt\" (tester node ID)"},
      {"tester id -3", {"-m", "1", "-id", "1", "-idt", "-3"}, false,
       "invalid parameter value (\"-3\") for parameter \"-idt\" (tester node ID)"},
      {"missing database", {"-m", "1", "-id", "1", "-idt", "2"}, false,
       "missing parameter \"-sdb\" (database to generate)"},
      {"mode 3 needs no ids but a database", {"-m", "3"}, false,
       "missing parameter \"-sdb\" (database to generate)"},
      {"database directory missing", {"-m", "3", "-sdb", "@DIR/nope/x.dbc"}, false,
       "directory \"@DIR/nope/\" specified in parameter \"-sdb\" (database to generate) does not exist"},
      {"missing sheet", {"-m", "3", "-sdb", "@DIR/x.dbc"}, false,
       "missing parameter \"-xls\" (signal description file)"},
      {"missing output", {"-m", "2", "-xls", "s.xlsx"}, false, "missing parameter \"-out\" (output file)"},
      // A path without a directory part gets a hint with the file name given.
      {"bare output file name", {"-m", "2", "-xls", "s.xlsx", "-out", "out.can"}, false,
       "directory \"\" specified in parameter \"-out\" (output file) does not exist" + hint("out.can")},
      {"bare output name without extension", {"-m", "2", "-xls", "s", "-out", "out"}, false,
       "directory \"\" specified in parameter \"-out\" (output file) does not exist" + hint("out")},
      {"bare non-ASCII output name", {"-m", "2", "-xls", "s", "-out", "T\xc3\xa4ter.h"}, false,
       "directory \"\" specified in parameter \"-out\" (output file) does not exist" + hint("T\xc3\xa4ter.h")},
      {"bare database name, mode 1", {"-m", "1", "-id", "1", "-idt", "2", "-sdb", "d.dbc"}, false,
       "directory \"\" specified in parameter \"-sdb\" (database to generate) does not exist" + hint("d.dbc")},
      {"bare database name, mode 3", {"-m", "3", "-sdb", "n.dbc"}, false,
       "directory \"\" specified in parameter \"-sdb\" (database to generate) does not exist" + hint("n.dbc")},
      {"bare output name, mode 3", {"-m", "3", "-sdb", "@DIR/n.dbc", "-xls", "s", "-out", "n.cin"}, false,
       "directory \"\" specified in parameter \"-out\" (output file) does not exist" + hint("n.cin")},
      {"empty output path: no name to show", {"-m", "2", "-xls", "s", "-out"}, false,
       "directory \"\" specified in parameter \"-out\" (output file) does not exist"},
      {"output without extension is a directory", {"-m", "2", "-xls", "s.xlsx", "-out", "@DIR/node"}, false,
       "directory \"@DIR/node" + std::string(1, kDirectorySeparator) +
           "\" specified in parameter \"-out\" (output file) does not exist"},
      {"mode 2 needs a DUT name", {"-m", "2", "-xls", "s.xlsx", "-out", "@DIR/m.h"}, false,
       "missing parameter \"-nme\" (name of device under test)"},
      {"mode 2 needs a tester name", {"-m", "2", "-xls", "s.xlsx", "-out", "@DIR/m.h", "-nme", "Dut"}, false,
       "missing parameter \"-tme\" (name of tester device)"},
      {"complete mode 2", {"-m", "2", "-xls", "s.xlsx", "-out", "@DIR/m.h", "-nme", "Dut", "-tme", "T"}, true, ""},
      {"complete mode 1",
       {"-m", "1", "-id", "1", "-idt", "16", "-sdb", "@DIR/x.dbc", "-xls", "s.xlsx", "-out", "@DIR/o.can",
        "-nme", "Dut", "-tme", "T"},
       true, ""},
      {"backslash separators",
       {"-m", "3", "-sdb", "@DIR\\x.dbc", "-xls", "s.xlsx", "-out", "@DIR\\\\o.cin", "-nme", "D", "-tme", "T"},
       true, ""},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.title);
    RunSettings settings;
    std::ostringstream out;
    const bool ok = parseCommandLine(expand(c.arguments, dir.path()), settings, out);
    EXPECT_EQ(ok, c.ok);
    const std::string message = expand({c.message}, dir.path()).front();
    EXPECT_EQ(out.str(), c.ok ? std::string() : kPrefix + message + "\n\n");
  }
}

TEST(CommandLine, RelativeOutputInCurrentDirectoryPasses) {
  RunSettings settings;
  std::ostringstream out;
  EXPECT_TRUE(parseCommandLine({"-m", "2", "-xls", "s", "-out", "./out.h", "-nme", "a", "-tme", "b"}, settings, out));
  EXPECT_EQ(settings.outputPath(), "./out.h");
}

// On Windows a file name that holds a character Windows forbids (for the
// files a run makes) or that names an alternate data stream (every file
// option) is refused before the run; elsewhere such names are names.
TEST(CommandLine, NamesWindowsCannotTakeAreRefusedThere) {
  TempDir dir;
  const std::string stream = " names an alternate data stream (\":\" after the drive)";
  const std::string forbidden =
      " holds a character that Windows does not allow in a name (< > \" | ? * or a control character)";
  struct Case {
    std::string option, value, fault;  // fault: what follows the name in the message, "" for none
  };
  std::vector<Case> cases = {{"-out", "@DIR/o<.can", forbidden},   {"-out", "@DIR/o>.can", forbidden},
                             {"-out", "@DIR/o\".can", forbidden},  {"-out", "@DIR/o|.can", forbidden},
                             {"-out", "@DIR/o?.can", forbidden},   {"-out", "@DIR/o*.can", forbidden},
                             {"-out", "@DIR/o\x01.can", forbidden}, {"-out", "@DIR/o\x1f.can", forbidden},
                             {"-sdb", "@DIR/d?.dbc", forbidden},   {"-out", "@DIR/o.can:x", stream},
                             {"-sdb", "@DIR/db.dbc::$DATA", stream}, {"-xls", "s.xlsx:x", stream},
                             {"-xls", "s?.xlsx", ""},              {"-out", "@DIR/o.can", ""}};
  if (testsupport::onWindows()) {
    std::string absolute = "\\\\?\\" + dir.path() + "\\o.can";
    std::replace(absolute.begin(), absolute.end(), '/', '\\');
    cases.push_back({"-out", absolute, ""});
  }
  const std::map<std::string, std::string> described = {
      {"-out", "output file"}, {"-sdb", "database to generate"}, {"-xls", "signal description file"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option + " " + c.value);
    std::vector<std::string> arguments = {"-m", "1", "-id", "1", "-idt", "16", "-sdb", "@DIR/x.dbc", "-xls", "s.xlsx",
                                          "-out", "@DIR/o.can", "-nme", "Dut", "-tme", "T"};
    *(std::find(arguments.begin(), arguments.end(), c.option) + 1) = c.value;
    arguments = expand(arguments, dir.path());
    const std::string value = expand({c.value}, dir.path()).front();
    RunSettings settings;
    std::ostringstream out;
    const bool refused = testsupport::onWindows() && !c.fault.empty();
    EXPECT_EQ(parseCommandLine(arguments, settings, out), !refused);
    EXPECT_EQ(out.str(), refused ? kPrefix + "file name \"" + value + "\" specified in parameter \"" + c.option +
                                       "\" (" + described.at(c.option) + ")" + c.fault + "\n\n"
                                 : std::string());
  }
}

TEST(CommandLine, OptionLookupRules) {
  TempDir dir;
  const std::string out = dir.file("o.h");
  struct Case {
    const char* title;
    std::vector<std::string> arguments;
    std::string dutName;
    std::string testerName;
    std::string wideValueFormat;
    bool deleteDatabase;
    std::string messages;
    bool splitWideObjects = false;
  };
  const std::vector<Case> cases = {
      {"value that looks like an option", {"-nme", "-deldb", "-tme", "T"}, "_deldb", "T", "", true, ""},
      {"-tme as the DUT name", {"-nme", "-tme", "X", "-tme", "Y"}, "_tme", "Y", "", false, ""},
      {"-tme taken after -nme", {"-nme", "-tme", "X"}, "_tme", "X", "", false, ""},
      {"two words", {"-nme", "Taxi", "Meter", "-tme", "T"}, "Taxi", "T", "", false, ""},
      {"one argument with a blank", {"-nme", "Taxi Meter", "-tme", "T"}, "Taxi_Meter", "T", "", false, ""},
      {"last occurrence wins", {"-nme", "a", "-nme", "b", "-tme", "T"}, "b", "T", "", false, ""},
      {"-me wins over -mex", {"-me", "ULL", "-mex", "UL", "-nme", "a", "-tme", "T"}, "a", "T", "ULL", false, ""},
      {"-mex alone", {"-mex", "%llu", "-nme", "a", "-tme", "T"}, "a", "T", "%llu", false, ""},
      {"empty name is reported and parsing goes on",
       {"-tme", "T", "-nme"}, "", "T", "", false,
       kPrefix + "invalid parameter value for parameter \"-nme\" (name of device under test)\n\n"},
      {"bad occurrence keeps the earlier name",
       {"-nme", "a", "-nme", "", "-tme", "T"}, "a", "T", "", false,
       kPrefix + "invalid parameter value for parameter \"-nme\" (name of device under test)\n\n"},
      // A flag like -deldb, accepted in mode 2 as well.
      {"-wide", {"-wide", "-nme", "a", "-tme", "T"}, "a", "T", "", false, "", true},
      {"-wide as a value sets the flag too", {"-nme", "-wide", "-tme", "T"}, "_wide", "T", "", false, "", true},
      {"-Wide is no option", {"-Wide", "-nme", "a", "-tme", "T"}, "a", "T", "", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    std::vector<std::string> arguments = {"-m", "2", "-xls", "s", "-out", out};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    RunSettings settings;
    std::ostringstream console;
    parseCommandLine(arguments, settings, console);
    EXPECT_EQ(settings.dutName(), c.dutName);
    EXPECT_EQ(settings.testerName(), c.testerName);
    EXPECT_EQ(settings.wideValueFormat(), c.wideValueFormat);
    EXPECT_EQ(settings.deleteDatabase(), c.deleteDatabase);
    EXPECT_EQ(settings.splitWideObjects(), c.splitWideObjects);
    if (c.messages.empty()) {
      EXPECT_EQ(console.str(), "");
    } else {
      EXPECT_NE(console.str().find(c.messages), std::string::npos) << console.str();
    }
  }
}

TEST(CommandLine, NameIsCutTo127Characters) {
  TempDir dir;
  RunSettings settings;
  std::ostringstream out;
  const std::string name(200, 'n');
  ASSERT_TRUE(parseCommandLine({"-m", "2", "-xls", "s", "-out", dir.file("o.h"), "-nme", name, "-tme", "t"},
                               settings, out));
  EXPECT_EQ(settings.dutName(), std::string(127, 'n'));
}

TEST(CommandLine, VirtualDeviceFlagsAndNodeIds) {
  TempDir dir;
  RunSettings settings;
  std::ostringstream out;
  ASSERT_TRUE(parseCommandLine({"-vd_taxm", "-m", "1", "-id", " +7abc", "-idt", "16", "-sdb", dir.file("d.dbc"),
                                "-xls", "s", "-out", dir.file("o.can"), "-nme", "a", "-tme", "t", "-vd_tsto",
                                "-vd_ivn0", "-vd_TAXM"},
                               settings, out));
  EXPECT_EQ(settings.dutNodeId(), 7);
  EXPECT_EQ(settings.testerNodeId(), 16);
  for (int device = 0; device < kVirtualDeviceCount; ++device) {
    const auto d = static_cast<VirtualDevice>(device);
    const bool expected = d == VirtualDevice::taxm || d == VirtualDevice::tsto || d == VirtualDevice::ivn0;
    EXPECT_EQ(settings.virtualDevice(d), expected) << kVirtualDeviceOptions[device].option;
  }
}

TEST(CommandLine, AtoiLikeConversion) {
  const std::vector<std::pair<std::string, int32_t>> cases = {
      {"0x10", 0}, {"7abc", 7}, {"  12", 12}, {"-5", -5}, {"+3", 3}, {"", 0}, {"abc", 0},
      {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}, {"1 2", 1},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(atoiLike(text), value) << text;
}

TEST(Usage, SectionsUnderlinesAndDeviceLines) {
  std::ostringstream out;
  printUsage(out);
  const std::vector<std::string> lines = splitLines(out.str());
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Use the following parameters to start the application:");
  EXPECT_EQ(lines[1], std::string(54, '-'));
  EXPECT_EQ(lines[2], "");
  // Each heading is followed by its underline of the stated length.
  const std::vector<std::pair<std::string, std::size_t>> headings = {
      {"   Mandatory parameters:", 21},
      {"   Mandatory parameters for a tester node (mode 1):", 48},
      {"   Optional parameters for a tester node (mode 1):", 47},
      {"   Mandatory parameters for macro generation:", 41},
      {"   Optional parameters for macro generation:", 41},
      {"   Mandatory parameters for a simulated node (mode 3):", 51},
      {"   Optional parameters for a simulated node (mode 3):", 50},
  };
  std::size_t searchFrom = 0;
  for (const auto& [heading, underline] : headings) {
    auto it = std::find(lines.begin() + static_cast<long>(searchFrom), lines.end(), heading);
    ASSERT_NE(it, lines.end()) << heading;
    ASSERT_NE(it + 1, lines.end());
    EXPECT_EQ(*(it + 1), "   " + std::string(underline, '-')) << heading;
    searchFrom = static_cast<std::size_t>(it - lines.begin()) + 1;
    // The section before this heading ends with two empty lines.
    if (heading != headings.front().first) {
      EXPECT_EQ(*(it - 1), "");
      EXPECT_EQ(*(it - 2), "");
    }
  }
  // Value block of -m: four lines without empty lines in between.
  auto m = std::find(lines.begin(), lines.end(), "   '-m   + value'   : The generation mode");
  ASSERT_NE(m, lines.end());
  EXPECT_EQ(*(m + 1), "");
  EXPECT_EQ(*(m + 2), std::string(31, ' ') + "Possible values: 1 --> signal mapper for a tester node (standalone NOSL node)");
  EXPECT_EQ(*(m + 3), std::string(48, ' ') + "2 --> macro extension for CANopen source code");
  EXPECT_EQ(*(m + 4), std::string(48, ' ') + "3 --> signal mapper for a simulated node (include file");
  EXPECT_EQ(*(m + 5), std::string(54, ' ') + "for a simulated CANopen node)");
  EXPECT_EQ(*(m + 6), "");
  EXPECT_EQ(*(m + 7), "");
  // Virtual device lines, padded to 20 columns, each followed by an empty line.
  auto taxm = std::find(lines.begin(), lines.end(), "   '-vd_taxm'       : Virtual device \"Taximeter\" supported");
  ASSERT_NE(taxm, lines.end());
  EXPECT_EQ(*(taxm + 1), "");
  auto first = std::find(lines.begin(), lines.end(), "   '-vd_ivn0'       : Virtual device \"IVN gateway class 0\" supported");
  ASSERT_NE(first, lines.end());
  EXPECT_EQ(*(first - 1), "");
  EXPECT_EQ(*(first - 2), "   ...................variables are still included within the database!");
  auto last = std::find(lines.begin(), lines.end(), "   '-vd_tsto'       : Virtual device \"Tester/tool\" supported");
  ASSERT_NE(last, lines.end());
  EXPECT_EQ(last - first, 2 * 26);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "   '-vd_rtc'        : Virtual device \"Real time clock (RTC)\" supported"),
            lines.end());
  // The -deldb lines appear in both optional sections, and the text ends with
  // the empty line after the last section.
  EXPECT_EQ(std::count(lines.begin(), lines.end(),
                       "   '-deldb'         : Use if existing database has to be deleted. Attention: If signal descriptions"),
            2);
  EXPECT_EQ(lines.back(), "");
  EXPECT_EQ(*(lines.end() - 2), "");
  EXPECT_EQ(*(lines.end() - 3), "   ...................variables are still included within the database!");
}

}  // namespace

namespace {

// The help (usage text and the notes after it) names every option of the
// table but -me, which stands for -mex.
TEST(Usage, HelpNamesEveryOption) {
  std::ostringstream help;
  printUsage(help);
  printHelpNotes(help);
  for (const CommandLineOption& option : kCommandLineOptions) {
    if (std::string(option.name) == "-me") continue;
    EXPECT_NE(help.str().find("'" + std::string(option.name)), std::string::npos) << option.name;
  }
}

}  // namespace
