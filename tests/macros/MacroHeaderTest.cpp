#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "MacroTestSupport.h"
#include "TestSupport.h"
#include "core/RunSettings.h"
#include "framework/ZGenerator.h"
#include "macros/ZCANopenDS447MacrosFactory.h"
#include "util/Paths.h"
#include "macros/ZCo447MacroBottomPart.h"
#include "macros/ZCo447MacroDescription.h"
#include "macros/ZCo447MacroHeadPart.h"

namespace {

using macrotest::fixedClock;
using macrotest::generateHeader;
using macrotest::pieceText;
using macrotest::headerSignal;

RunSettings goldenSettings() {
  RunSettings settings;
  settings.setOutputPath("C:\\gen\\ds447_macros.h");
  settings.setWideValueFormat("ULL");
  return settings;
}

std::string lineOf(const std::string& crlfText, std::size_t number) {
  std::string::size_type start = 0;
  for (std::size_t i = 1; i < number; ++i) start = crlfText.find("\r\n", start) + 2;
  return crlfText.substr(start, crlfText.find("\r\n", start) - start);
}

TEST(MacroHeader, GoldenFilesRegeneratedInMemory) {
  ScopedRunSettings scoped(goldenSettings());
  EXPECT_EQ(generateHeader(macrotest::goldenTable()),
            testsupport::readFile(testsupport::dataPath("macros/worked_examples.h")));
  EXPECT_EQ(generateHeader(SignalTable()), testsupport::readFile(testsupport::dataPath("macros/empty_table.h")));
}

TEST(MacroHeader, WrittenFileHasTheGoldenBytes) {
  testsupport::TempDir dir;
  RunSettings settings = goldenSettings();
  settings.setOutputPath(dir.file("ds447_macros.h"));
  ScopedRunSettings scoped(settings);
  const SignalTable table = macrotest::goldenTable();
  ZCANopenDS447MacrosFactory factory;
  factory.setClock(fixedClock());
  ZCoMacro447InteractionLayer generator(table);
  ASSERT_TRUE(generator.createFunctions(&generator, &factory));
  ASSERT_TRUE(generator.writeFunctions(&generator, &factory));

  std::string expected = testsupport::readFile(testsupport::dataPath("macros/worked_examples.h"));
  const std::string goldenFileLine = "  \\file C:\\gen\\ds447_macros.h";
  expected.replace(expected.find(goldenFileLine), goldenFileLine.size(), "  \\file " + settings.outputPath());
  EXPECT_EQ(testsupport::readFile(settings.outputPath()), expected);
}

TEST(MacroHeader, FileLineAndIncludeGuardFollowTheOutputPath) {
  const std::string kSep(1, kDirectorySeparator);
  struct Case {
    std::string outputPath, fileLine, guardLine;
  };
  const std::vector<Case> cases = {
      {"C:\\gen\\ds447_macros.h", "  \\file C:\\gen\\ds447_macros.h", "#ifndef DS447_MACROS_COMPONENT_HEADER"},
      {"ds447-macros b.h", "  \\file ds447-macros b.h", "#ifndef DS447_MACROS_B_COMPONENT_HEADER"},
      {"/work/out/v1.2/hdr.x.h", "  \\file /work/out/v1.2/hdr.x.h", "#ifndef HDR_X_COMPONENT_HEADER"},
      // Directories get the platform's separator.
      {"C:\\gen\\hdr", "  \\file C:\\gen\\hdr" + kSep, "#ifndef _COMPONENT_HEADER"},
      {"/work/out/", "  \\file /work/out" + kSep, "#ifndef _COMPONENT_HEADER"},
      // A macro name cannot start with a digit; a digit later on is fine.
      {"./9lives.h", "  \\file ./9lives.h", "#ifndef _9LIVES_COMPONENT_HEADER"},
      {"/work/0.h", "  \\file /work/0.h", "#ifndef _0_COMPONENT_HEADER"},
      {"/work/ds447.h", "  \\file /work/ds447.h", "#ifndef DS447_COMPONENT_HEADER"},
      {"/work/_9.h", "  \\file /work/_9.h", "#ifndef _9_COMPONENT_HEADER"},
      // The file line stands in a comment, which the path must not end.
      {"/work/out*/hdr.h", "  \\file /work/out* /hdr.h", "#ifndef HDR_COMPONENT_HEADER"},
      // "??/" would be a trigraph; "??\\" (Windows) only joins the empty line after it.
      {"/work/gen?\?/", kSep == "/" ? "  \\file /work/gen?? /" : "  \\file /work/gen??\\", "#ifndef _COMPONENT_HEADER"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.outputPath);
    RunSettings settings;
    settings.setOutputPath(c.outputPath);
    ScopedRunSettings scoped(settings);
    ZCo447MacroHeadPart head(fixedClock());
    const std::string text = pieceText(head);
    EXPECT_EQ(lineOf(text, 3), c.fileLine);
    EXPECT_EQ(lineOf(text, 18), c.guardLine);
    const std::string guardBase = c.guardLine.substr(8, c.guardLine.size() - 8 - 17);
    EXPECT_EQ(lineOf(text, 19), "#define " + guardBase + "_COMPONENT_HEADER");
    EXPECT_EQ(lineOf(text, 30), "#define " + guardBase + "_COMPONENT_VERSION        0x0100u");
    EXPECT_EQ(lineOf(text, 31), "#define " + guardBase + "_COMPONENT_RELEASEVERSION 0x00u");
  }
}

TEST(MacroHeader, DateAndTimeComeFromOneClockReading) {
  RunSettings settings;
  settings.setOutputPath("x.h");
  ScopedRunSettings scoped(settings);
  struct Case {
    LocalTime moment;
    std::string date, time;
  };
  const std::vector<Case> cases = {
      {{2026, 1, 2, 0, 0}, "   generation date: 2026-1-2", "   generation time: 0:0"},
      {{2031, 10, 31, 23, 59}, "   generation date: 2031-10-31", "   generation time: 23:59"},
      {LocalTime(), "   generation date: 0-0-0", "   generation time: -1:-1"},  // unknown time
  };
  for (const Case& c : cases) {
    int readings = 0;
    // Each further reading would give another moment.
    ZCo447MacroHeadPart head([&] {
      LocalTime moment = c.moment;
      moment.minute += readings++ * 7;
      return moment;
    });
    const std::string text = pieceText(head);
    EXPECT_EQ(readings, 1);
    EXPECT_EQ(lineOf(text, 12), c.date);
    EXPECT_EQ(lineOf(text, 13), c.time);
  }
}

std::string momentText(const LocalTime& moment) {
  return std::to_string(moment.year) + "-" + std::to_string(moment.month) + "-" + std::to_string(moment.day) + " " +
         std::to_string(moment.hour) + ":" + std::to_string(moment.minute);
}

// A reproducible build fixes the moment with SOURCE_DATE_EPOCH, in UTC;
// anything but a decimal integer up to the end of year 9999 leaves the
// system clock (a run refuses such a value before it starts).
TEST(MacroHeader, SourceDateEpochFixesTheGenerationMoment) {
  struct Case {
    const char* value;
    std::string moment;  // "" for the system clock's
  };
  const std::vector<Case> cases = {
      {"0", "1970-1-1 0:0"},
      {"1765000000", "2025-12-6 5:46"},
      {"951782400", "2000-2-29 0:0"},
      {"4102444799", "2099-12-31 23:59"},
      {"253402300799", "9999-12-31 23:59"},
      {"253402300800", ""},
      {"-5", ""},
      {"12abc", ""},
      {" 12", ""},
      {"", ""},
      {"99999999999999999999999", ""},
  };
  LocalTime now;
  {
    const testsupport::ScopedEnvironment unset("SOURCE_DATE_EPOCH", nullptr);
    now = systemLocalTime();
  }
  ASSERT_GE(now.year, 2026);
  for (const Case& c : cases) {
    const testsupport::ScopedEnvironment scoped("SOURCE_DATE_EPOCH", c.value);
    const LocalTime moment = systemLocalTime();
    if (c.moment.empty()) {
      // The system clock's moment: this year, not one of the fixed ones.
      EXPECT_EQ(moment.year, now.year) << c.value;
    } else {
      EXPECT_EQ(momentText(moment), c.moment) << c.value;
    }
  }
}

TEST(MacroHeader, DescriptionGroupsRecordsByObjectInFirstOccurrenceOrder) {
  SignalTable table;
  table.add(headerSignal("a").object(0x2000, 1, 16).bits(0, 8));
  table.add(headerSignal("r").object(0x2001, 1, 8).bits(0, 8).reserved());
  table.add(headerSignal("b").object(0x20, 0x10, 8).bits(0, 8));
  table.add(headerSignal("c").object(0x2000, 1, 16).bits(4, 8));
  table.add(headerSignal("r2").object(0x2000, 1, 16).bits(12, 4).reserved());
  table.add(headerSignal("d").object(0x2000, 1, 16).bits(8, 8));

  ZCo447MacroDescription description(table);
  std::vector<std::string> sectionsAndFirstGroup;  // OBJECT lines and the character-get entries
  bool inGroup = false;
  for (const std::string& line : macrotest::linesOf(pieceText(description))) {
    if (line.rfind("     OBJECT", 0) == 0) sectionsAndFirstGroup.push_back(line);
    if (line.rfind("        - ", 0) == 0 && inGroup) sectionsAndFirstGroup.push_back(line);
    if (line.rfind("     - ", 0) == 0) inGroup = line == "     - macros to get signal values using a character array";
  }
  const std::vector<std::string> expected = {
      "     OBJECT [0x2000sub1]",
      "        - signal \"a\" : sxc_a_0x2000sub1(c)",
      "        - signal \"c\" : NOT AVAILABLE, SIGNAL IS PAASING BYTE BOUNDARY",
      "        - signal \"d\" : sxc_d_0x2000sub1(c)",
      "     OBJECT [0x20sub10]",
      "        - signal \"b\" : sxc_b_0x20sub10(c)",
  };
  EXPECT_EQ(sectionsAndFirstGroup, expected);
}

TEST(MacroHeader, BottomPartClosesTheGuard) {
  ZCo447MacroBottomPart bottom;
  EXPECT_EQ(pieceText(bottom), "#endif\r\n");
}

}  // namespace
