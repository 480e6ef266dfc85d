#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "MacroTestSupport.h"
#include "core/RunSettings.h"
#include "macros/MacroText.h"
#include "macros/ZCo447MacroDefinitionCharacter.h"
#include "macros/ZCo447MacroDefinitionInteger.h"

namespace {

using macrotest::linesOf;
using macrotest::pieceText;
using macrotest::headerSignal;

// The line after "#define ...": the macro's body.
std::string bodyLine(ZCo447MacroDefinition& macro) {
  const std::vector<std::string> lines = linesOf(pieceText(macro));
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i].rfind("#define ", 0) == 0) return lines[i + 1];
  }
  return "(no definition)";
}

TEST(MacroDefinition, BodiesFollowOffsetsSizesAndSuffixes) {
  struct Case {
    const char* what;
    ZListEntry record;
    std::string wideFormat;
    std::string extractInteger, insertInteger, extractCharacter, insertCharacter;
  };
  const std::vector<Case> cases = {
      {"Tariff: bits 6-9 of a 16-bit object", headerSignal("Tariff").object(0x6010, 2, 16).bits(6, 4), "",
       "  ((u >> 6) & 0x0fu)", "  (u = ((u & ~(0x0fu << 6)) | ((value & 0x0fu) << 6)))", "", ""},
      {"byte in an 8-bit object, no suffix", headerSignal("s").object(0x6000, 1, 8).bits(0, 8), "",
       "  ((u >> 0) & 0xff)", "  (u = ((u & ~(0xff << 0)) | ((value & 0xff) << 0)))",
       "  ((c[0] >> 0) & 0xff)", "  (c[0] = ((c[0] & ~(0xff << 0)) | ((value & 0xff) << 0)))"},
      {"nibble at 12 in a 32-bit object", headerSignal("s").object(0x6000, 1, 32).bits(12, 4), "",
       "  ((u >> 12) & 0x0fUL)", "  (u = ((u & ~(0x0fUL << 12)) | ((value & 0x0fUL) << 12)))",
       "  ((c[2] >> 4) & 0x0f)", "  (c[2] = ((c[2] & ~(0x0f << 4)) | ((value & 0x0f) << 4)))"},
      {"40 bits in a 64-bit object with ULL", headerSignal("s").object(0x6000, 1, 64).bits(0, 40), "ULL",
       "  ((u >> 0) & 0xffffffffffULL)", "  (u = ((u & ~(0xffffffffffULL << 0)) | ((value & 0xffffffffffULL) << 0)))",
       "", ""},
      {"40 bits in a 64-bit object without format", headerSignal("s").object(0x6000, 1, 64).bits(0, 40), "",
       "  ((u >> 0) & 0xffffffffff)", "  (u = ((u & ~(0xffffffffff << 0)) | ((value & 0xffffffffff) << 0)))",
       "", ""},
      {"byte 0 of a 64-bit object", headerSignal("s").object(0x6000, 1, 64).bits(3, 4), "LL",
       "  ((u >> 3) & 0x0fLL)", "  (u = ((u & ~(0x0fLL << 3)) | ((value & 0x0fLL) << 3)))",
       "  ((c[7] >> 3) & 0x0f)", "  (c[7] = ((c[7] & ~(0x0f << 3)) | ((value & 0x0f) << 3)))"},
      {"bits 8-11 of a 12-bit object: byte offset -1 clamped", headerSignal("s").object(0x6000, 1, 12).bits(8, 4), "",
       "  ((u >> 8) & 0x0fu)", "  (u = ((u & ~(0x0fu << 8)) | ((value & 0x0fu) << 8)))",
       "  ((c[0] >> 0) & 0x0f)", "  (c[0] = ((c[0] & ~(0x0f << 0)) | ((value & 0x0f) << 0)))"},
      {"bit 9 of a 16-bit object", headerSignal("s").object(0x6000, 1, 16).bits(9, 1), "",
       "  ((u >> 9) & 0x01u)", "  (u = ((u & ~(0x01u << 9)) | ((value & 0x01u) << 9)))",
       "  ((c[0] >> 1) & 0x01)", "  (c[0] = ((c[0] & ~(0x01 << 1)) | ((value & 0x01) << 1)))"},
      {"17-bit object takes UL", headerSignal("s").object(0x6000, 1, 17).bits(0, 10), "",
       "  ((u >> 0) & 0x3ffUL)", "", "", ""},
      {"33-bit object takes the wide format", headerSignal("s").object(0x6000, 1, 33).bits(0, 1), "ULL",
       "  ((u >> 0) & 0x01ULL)", "", "", ""},
      {"size 0 gives an empty mask", headerSignal("s").object(0x6000, 1, 8).bits(0, 0), "",
       "  ((u >> 0) & 0x00)", "", "", ""},
      {"size 64 sets every mask bit", headerSignal("s").object(0x6000, 1, 64).bits(0, 64), "ULL",
       "  ((u >> 0) & 0xffffffffffffffffULL)", "", "", ""},
      {"negative offset keeps truncating arithmetic", headerSignal("s").object(0x6000, 1, 16).bits(-3, 2), "",
       "  ((u >> -3) & 0x03u)", "", "  ((c[1] >> -3) & 0x03)", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RunSettings settings;
    settings.setWideValueFormat(c.wideFormat);
    ScopedRunSettings scoped(settings);
    ZCo447MacroExtractInteger extractInteger(c.record);
    ZCo447MacroInsertInteger insertInteger(c.record);
    ZCo447MacroExtractCharacter extractCharacter(c.record);
    ZCo447MacroInsertCharacter insertCharacter(c.record);
    EXPECT_EQ(bodyLine(extractInteger), c.extractInteger);
    if (!c.insertInteger.empty()) {
      EXPECT_EQ(bodyLine(insertInteger), c.insertInteger);
    }
    if (!c.extractCharacter.empty()) {
      EXPECT_EQ(bodyLine(extractCharacter), c.extractCharacter);
    }
    if (!c.insertCharacter.empty()) {
      EXPECT_EQ(bodyLine(insertCharacter), c.insertCharacter);
    }
  }
}

TEST(MacroDefinition, NamesUseTheShortNameAsIdentifier) {
  const std::string longName(130, 'A');
  struct Case {
    ZListEntry record;
    std::string extractInteger, insertCharacter;
  };
  const std::vector<Case> cases = {
      {headerSignal("Taxi State").object(0x6000, 1, 32).bits(0, 8), "sxu_taxi_state_0x6000sub1(u)",
       "sic_taxi_state_0x6000sub1(c,value)"},
      {headerSignal("Door-Open?").object(0x1a, 0xff, 8).bits(0, 1), "sxu_door_open__0x1asubff(u)",
       "sic_door_open__0x1asubff(c,value)"},
      {headerSignal("T\xc3\xbcr").object(0x6000, 1, 8).bits(0, 1), "sxu_t__r_0x6000sub1(u)",
       "sic_t__r_0x6000sub1(c,value)"},
      {headerSignal(longName).object(0x6000, 1, 8).bits(0, 1), "sxu_" + std::string(127, 'a') + "_0x6000sub1(u)",
       "sic_" + std::string(127, 'a') + "_0x6000sub1(c,value)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ZCo447MacroExtractInteger(c.record).macroName(), c.extractInteger);
    EXPECT_EQ(ZCo447MacroInsertCharacter(c.record).macroName(), c.insertCharacter);
  }
  const ZListEntry record = headerSignal("x").object(0x6000, 1, 8).bits(0, 1);
  EXPECT_EQ(ZCo447MacroInsertInteger(record).macroName(), "siu_x_0x6000sub1(u,value)");
  const ZListEntry tariff = headerSignal("Tariff").object(0x6010, 2, 16).bits(6, 4);
  EXPECT_EQ(ZCo447MacroInsertInteger(tariff).macroName(), "siu_tariff_0x6010sub2(u,value)");
  EXPECT_EQ(ZCo447MacroExtractCharacter(record).macroName(), "sxc_x_0x6000sub1(c)");
}

TEST(MacroDefinition, CharacterExplanationShowsTheMemoryLayout) {
  struct Case {
    int32_t objectSize;
    std::vector<std::string> explanation;  // from "Explanation:" to the empty line
  };
  const std::vector<Case> cases = {
      {32,
       {"  Explanation:",
        "    The object size is 32 bit. The signal value is located in bit 12 - 15 (zero based).",
        "    If the object value is 0x01020304 the value in the memory looks as follows:",
        "      base address + 0   byte3   0x01", "      base address + 1   byte2   0x02",
        "      base address + 2   byte1   0x03", "      base address + 3   byte0   0x04", ""}},
      {4,
       {"  Explanation:",
        "    The object size is 4 bit. The signal value is located in bit 12 - 15 (zero based).",
        "    If the object value is 0x the value in the memory looks as follows:", ""}},
      {72,
       {"  Explanation:",
        "    The object size is 72 bit. The signal value is located in bit 12 - 15 (zero based).", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.objectSize);
    const ZListEntry record = headerSignal("s").object(0x6000, 1, c.objectSize).bits(12, 4);
    ZCo447MacroExtractCharacter macro(record);
    const std::vector<std::string> lines = linesOf(pieceText(macro));
    ASSERT_GE(lines.size(), 11 + c.explanation.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 10, lines.begin() + 10 + c.explanation.size()),
              c.explanation);
    EXPECT_EQ(lines[10 + c.explanation.size()], "  Syntax:");
  }
}

TEST(MacroDefinition, SheetTextsCannotCloseTheComment) {
  const ZListEntry record =
      headerSignal("lamp*/x").name("Lamp */ int evil; /*").objectName("Lamps*/").object(0x6000, 1, 8).bits(0, 8);
  for (const std::unique_ptr<ZCo447MacroDefinition>& macro :
       {std::unique_ptr<ZCo447MacroDefinition>(new ZCo447MacroExtractCharacter(record)),
        std::unique_ptr<ZCo447MacroDefinition>(new ZCo447MacroInsertInteger(record))}) {
    const std::vector<std::string> lines = linesOf(pieceText(*macro));
    EXPECT_EQ(lines[1], "  \\addtogroup macros_for_0x6000sub1: Lamps* /");
    EXPECT_NE(lines[8].find("signal \"Lamp * / int evil; / *\""), std::string::npos) << lines[8];
    // The only "*/" is the comment's own end.
    std::size_t closings = 0;
    for (const std::string& line : lines) closings += line.find("*/") != std::string::npos;
    EXPECT_EQ(closings, 1u);
    EXPECT_EQ(macro->macroName().find("lamp__x_0x6000sub1("), 4u);
  }
}

TEST(MacroText, CommentSafeAndHexDigits) {
  EXPECT_EQ(commentSafe("a*/b**/c*/"), "a* /b** /c* /");
  EXPECT_EQ(commentSafe("/* * / */"), "/ * * / * /");
  EXPECT_EQ(commentSafe(""), "");
  EXPECT_EQ(hexDigits(0, 2), "00");
  EXPECT_EQ(hexDigits(0x3ff, 2), "3ff");
  EXPECT_EQ(hexDigits(0xffffffffffffffffULL, 2), "ffffffffffffffff");
  EXPECT_EQ(hexDigits(0xa), "a");
}

// The compiler replaces "??/" by a backslash and joins a line ending in a
// backslash (blanks between allowed) with the next before it looks for the
// end of a comment. ("?\?/" is "??/" written so that this file's compiler
// leaves it alone.)
TEST(MacroText, CommentSafeBreaksWhatLineJoinsWouldMake) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      // kept as they are
      {"Taxi state", "Taxi state"},
      {"a/b*c", "a/b*c"},
      {"* /", "* /"},
      {"C:\\gen\\hdr\\", "C:\\gen\\hdr\\"},  // a backslash at the end joins nothing of the text
      {"a\\\nb", "a\\\nb"},                  // a join between other characters is harmless
      {"*\\x\n/", "*\\x\n/"},                // the backslash does not stand before the line break
      {"* \\\n/", "* \\\n/"},                // the blank before the backslash stays between * and /
      {"*\\\\\n/", "*\\\\\n/"},              // only the second backslash joins; the first stays
      {"x?\?/y", "x?\?/y"},                  // a trigraph backslash before no line break
      {"?\\\n?/\n", "?\\\n?/\n"},            // a join makes no trigraph
      // "*/" and "/*", directly and across line joins
      {"*\\\n/", "*\\\n /"},
      {"*\\ \t\f\v\n/", "*\\ \t\f\v\n /"},
      {std::string("*\\\0\n/", 5), std::string("*\\\0\n /", 6)},
      {"*\\\r/", "*\\\r /"},
      {"*\\\r\n/", "*\\\r\n/"},              // CR joins; the LF is a line break of its own
      {"*\\\n\\\n\\\r/", "*\\\n\\\n\\\r /"},
      {"/\\\n*", "/\\\n *"},
      {"*/*/", "* / * /"},
      // "??/" at the end of a line or of the text
      {"*?\?/\n/", "*?? /\n/"},
      {"*?\?/ \t\r/", "*?? / \t\r/"},
      {"*?\?/\n?\?/\n/", "*?? /\n?? /\n/"},
      {"Lamps?\?/", "Lamps?? /"},
      {"?\?\?/\n", "??? /\n"},
      {"*\\?\?/\n/", "*\\?? /\n/"},
      // bidirectional controls as their code points, and nothing else of that kind
      {"a\u202Eb\u2066\u061C", "a<U+202E>b<U+2066><U+061C>"},
      {"*\u200F/", "*<U+200F>/"},
      {"\u202A*/", "<U+202A>* /"},
      {"\u2013 \u2060 \u2029 \u0600 \u2070", "\u2013 \u2060 \u2029 \u0600 \u2070"},
      {"cut \xE2\x80", "cut \xE2\x80"},
      {"\xE2\x80\xAE", "<U+202E>"},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(commentSafe(text), expected) << text;
    const CommentSafeText safe(text);
    EXPECT_EQ(std::string_view(safe), expected) << text;
  }
}

TEST(MacroDefinition, EmptyObjectNameEndsTheGroupLineInColonAndBlank) {
  const ZListEntry record = headerSignal("s").object(0x6000, 1, 8).bits(0, 8);
  ZCo447MacroExtractInteger macro(record);
  EXPECT_EQ(linesOf(pieceText(macro))[1], "  \\addtogroup macros_for_0x6000sub1: ");
}

}  // namespace
