// The column map is read as the Windows profile functions read an ini
// file. Every expectation below was measured with GetPrivateProfileIntA
// (default 0) on the same bytes.
#include "input/ColumnMapFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

struct Case {
  const char* what;
  std::string ini;
  const char* key;
  int expected;
};

const std::string S = "[XLSImport]\n";

// A literal with the NUL bytes inside it.
template <std::size_t N>
std::string bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

// ASCII text as UTF-16 with its byte order mark; "~" stands for U+FF15
// (a full-width digit five).
std::string utf16(const std::string& text, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char c : text) {
    const char high = c == '~' ? '\xFF' : '\0';
    const char low = c == '~' ? '\x15' : c;
    out += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return out;
}

TEST(ColumnMapFile, SectionsKeysAndLinesAsTheProfileReaderReadsThem) {
  const std::vector<Case> cases = {
      {"CR LF", "[XLSImport]\r\nA=3\r\nB=4\r\n", "B", 4},
      {"bare CR ends a line", "[XLSImport]\rA=3\rB=4\r", "B", 4},
      {"UTF-8 byte order mark", "\xEF\xBB\xBF[XLSImport]\nA=3\n", "A", 3},
      {"second byte order mark", "\xEF\xBB\xBF\xEF\xBB\xBF[XLSImport]\nA=3\n", "A", 0},
      {"UTF-16LE", utf16("[XLSImport]\nA=3\n", false), "A", 3},
      {"UTF-16BE", utf16("[XLSImport]\r\nA=3", true), "A", 3},
      {"UTF-16 full-width digit", utf16("[XLSImport]\nA=~\n", false), "A", 0},
      {"names without regard to case", "[xlsimport]\nSKIPROWS=3\n", "SkipRows", 3},
      {"first of repeated keys", S + "A=3\na=5\n", "A", 3},
      {"first key empty", S + "A=\nA=5\n", "A", 0},
      {"first key without =", S + "A\nA=6\n", "A", 0},
      {"second section ignored", S + "A=3\n[Other]\nX=1\n[xlsimport]\nB=7\n", "B", 0},
      {"second section, first key", S + "A=3\n[XLSImport]\nA=7\n", "A", 3},
      {"keys before any section", "A=3\n[XLSImport]\nB=4\n", "A", 0},
      {"blanks inside brackets", "[ XLSImport\t]\nA=3\n", "A", 3},
      {"indented section", "   [XLSImport]\nA=3\n", "A", 3},
      {"text after ]", "[XLSImport] ; the map\nA=3\n", "A", 3},
      {"last ] ends the name", "[XLSImport]]\nA=3\n", "A", 0},
      {"blank inside the name", "[XLS Import]\nA=3\n", "A", 0},
      {"unclosed section", "[XLSImport\nA=3\n", "A", 0},
      {"NUL ends a section name", bytes("[XLSImport\0junk]\nA=4\n"), "A", 4},
      {"indented key", S + "A=3\n   B=4\n\tC=5\n", "C", 5},
      {"colon is no separator", S + "A:3\n", "A", 0},
      {"blanks around =", S + "A  =  4\n", "A", 4},
      {"Ctrl-Z is a blank", S + "\x1a" "A\x1a=3\n", "A", 3},
      {"blank inside a key", S + "Skip Rows=3\n", "SkipRows", 0},
      {"NUL ends a key", bytes("[XLSImport]\nA\0B=3\n"), "A", 3},
      {"NUL ends a value", bytes("[XLSImport]\nA=3\0" "4\n"), "A", 3},
      {"NUL before the value", bytes("[XLSImport]\nA=\0" "3\n"), "A", 0},
      {"comment lines", "; top\n# top\n[XLSImport]\n; A=9\n\n# A=8\n  ; c\nA=3\n", "A", 3},
      {"blank lines", "\n\n[XLSImport]\n\n   \nA=3\n\t\nB=4", "B", 4},
      {"empty file", "", "A", 0},
  };
  for (const Case& c : cases) {
    ColumnMapFile map;
    map.parse(c.ini);
    EXPECT_EQ(map.value(c.key), c.expected) << c.what;
  }
}

TEST(ColumnMapFile, ValuesAsTheProfileReaderReadsThem) {
  const std::string zeros27(27, '0');
  const std::vector<std::pair<std::string, int>> cases = {
      {"3 ; rows above", 3}, {"6;x", 6}, {";5", 0}, {"12abc", 12}, {"abc", 0}, {"3.9", 3},
      {"-3", -3}, {"+4", 4}, {"- 3", 0}, {"--3", 0}, {"+-3", 0}, {"-", 0}, {"", 0},
      {"\"4\"", 4}, {"'5'", 5}, {"\"6'", 0}, {"\"\"", 0}, {"\"", 0}, {"\"\"\"", 0}, {"\" 7 \"", 7},
      {"\"\"8\"\"", 0}, {"\"9\"x", 0}, {"=4", 0}, {"[3]", 0}, {"\x01\x02" "5", 5}, {"\x7f" "5", 0}, {"\xC2\xA0" "3", 0},
      {"0x10", 16}, {"0X10", 0}, {"0xFF", 255}, {"0b101", 5}, {"0B101", 0}, {"0o17", 15}, {"0O17", 0}, {"010", 10},
      {"0x", 0}, {"0xg", 0}, {"-0x10", -16}, {"0b2", 0}, {"0o9", 0},
      {"2147483647", 2147483647}, {"2147483648", -2147483647 - 1}, {"4294967295", -1}, {"4294967296", 0},
      {"99999999999", 1215752191}, {"-2147483649", 2147483647}, {"-99999999999", -1215752191},
      // The profile reader's buffer holds 29 characters.
      {zeros27 + "12", 12}, {zeros27 + "012", 1}, {zeros27 + "0012", 0},
      {"\"" + zeros27 + "12\"", 1}, {"\"" + zeros27.substr(1) + "12\"", 12}, {"'" + zeros27 + "012'", 1},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(profileIntValue(text), value) << "[" << text << "]";
}

// Measured with the default -7777: only a key that is missing, has no "="
// or an empty value (quotes dropped) gives the default; any other text is
// a number, 0 when it has no digits.
TEST(ColumnMapFile, MissingAndEmptyValuesGiveTheDefault) {
  const std::vector<Case> cases = {
      {"missing key", S + "B=1\n", "A", -7777},
      {"key without =", S + "A\n", "A", -7777},
      {"empty value", S + "A=\n", "A", -7777},
      {"blanks only", S + "A=   \n", "A", -7777},
      {"empty quotes", S + "A=\"\"\n", "A", -7777},
      {"empty single quotes", S + "A=''\n", "A", -7777},
      {"NUL first", bytes("[XLSImport]\nA=\0" "3\n"), "A", -7777},
      {"first of repeated keys empty", S + "A=\nA=5\n", "A", -7777},
      {"no section", "A=3\n", "A", -7777},
      {"no digits", S + "A=abc\n", "A", 0},
      {"a lone quote", S + "A='\n", "A", 0},
      {"three quotes", S + "A=\"\"\"\n", "A", 0},
      {"minus zero", S + "A=-0\n", "A", 0},
      {"quoted blanks", S + "A=\" 7 \"\n", "A", 7},
  };
  for (const Case& c : cases) {
    ColumnMapFile map;
    map.parse(c.ini);
    EXPECT_EQ(map.value(c.key, -7777), c.expected) << c.what;
  }
}

TEST(ColumnMapFile, EntriesAreKeysWithValuesOfTheFirstSection) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {S + "A=1\n", true}, {S + "A=\n", true}, {S + "A\n; B=1\n# C=1\n", false},
      {"[Other]\nA=1\n", false}, {"garbage", false}, {S + "[XLSImport]\nA=1\n", false},
  };
  for (const auto& [ini, entries] : cases) {
    ColumnMapFile map;
    map.parse(ini);
    EXPECT_EQ(map.hasEntries(), entries) << ini;
  }
  testsupport::TempDir dir;
  testsupport::writeFile(dir.file("map.ini"), "[XLSImport]\r\nSkipRows=2\r\n");
  ColumnMapFile map;
  map.load(dir.file("map.ini"));
  EXPECT_EQ(map.value("SkipRows"), 2);
  map.load(dir.file("missing.ini"));
  EXPECT_FALSE(map.hasEntries());
}

}  // namespace
