// The .xls cell source on workbooks written here record by record: the
// shared string table continued over CONTINUE records, every kind of text
// cell, BIFF5 strings in their code page, embedded substreams, chart
// sheets, the names and places of the workbook stream, and damage.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BiffFiles.h"
#include "TestSupport.h"
#include "input/ZExcelSheetReader.h"
#include "input/sources/XlsCellSource.h"

namespace {

using namespace bifffiles;
using namespace std::string_literals;
using testsupport::TempDir;

const uint16_t kSst = 0x00FC;
const uint16_t kContinue = 0x003C;

// BIFF5 strings: a count of 8 or 16 bits, then the bytes.
std::string biff5Short(const std::string& bytes) { return std::string(1, static_cast<char>(bytes.size())) + bytes; }
std::string biff5Long(const std::string& bytes) { return u16(static_cast<uint16_t>(bytes.size())) + bytes; }

// A BOUNDSHEET name of a BIFF8 workbook (8-bit characters).
std::string sheetName(const std::string& latin1) {
  return std::string(1, static_cast<char>(latin1.size())) + std::string(1, '\0') + latin1;
}

struct Read {
  CellSourceResult opened = CellSourceResult::failed;
  CellSourceResult selected = CellSourceResult::failed;
  std::vector<std::string> cells;  // "A1=text" for every cell that shows a text
};

// Reads the sheet's cells in rows 1..rows and columns A..IV.
Read readXls(const std::string& file, const std::string& sheet, int rows = 8) {
  TempDir dir;
  const std::string path = dir.file("book.xls");
  testsupport::writeFile(path, file);
  XlsCellSource source;
  Read read;
  read.opened = source.openDocument(path);
  if (read.opened != CellSourceResult::ok) return read;
  read.selected = source.selectSheet(sheet);
  if (read.selected != CellSourceResult::ok) return read;
  for (int row = 1; row <= rows; ++row) {
    for (int column = 0; column < 256; ++column) {
      std::string text;
      EXPECT_EQ(source.cellText(CellAddress{column, row, ""}, text), CellSourceResult::ok);
      if (text.empty()) continue;
      read.cells.push_back(cellAddressText(column, row) + "=" + text);
    }
  }
  EXPECT_EQ(source.finish(), CellSourceResult::ok);
  return read;
}

// A BIFF8 workbook with one sheet "Data" holding the records.
std::string workbook(const std::string& globals, const std::string& sheetRecords) {
  return compoundFile({{"Workbook", workbookStream(globals, {{sheetName("Data"), sheetRecords}})}});
}

// The shared string table as an SST record (the counts and the first
// part of the strings) and CONTINUE records with the other parts.
std::string sharedStrings(uint32_t count, const std::vector<std::string>& parts) {
  std::string records = record(kSst, u32(count) + u32(count) + parts[0]);
  for (std::size_t i = 1; i < parts.size(); ++i) records += record(kContinue, parts[i]);
  return records;
}

TEST(XlsCellSource, SharedStringsContinueAcrossRecords) {
  struct Case {
    const char* what;
    uint32_t count;
    std::vector<std::string> parts;
    std::vector<std::string> expected;  // the strings, as LABELSST cells in A1, A2, ...
  };
  const std::string grus = "Gr\xC3\xBC\xC3\x9F";  // "Grüß" in UTF-8
  const std::vector<Case> cases = {
      {"one record", 2, {string8("Taxi") + string16(u"Dach\u00E4")}, {"Taxi", "Dach\xC3\xA4"}},
      {"8-bit string split, goes on 8-bit", 1, {u16(5) + "\x00" "Hel"s, "\x00" "lo"s}, {"Hello"}},
      {"8-bit string split, goes on in UTF-16", 1, {u16(4) + "\x00" "Gr"s, "\x01" + chars16(u"\u00FC\u00DF")}, {grus}},
      {"UTF-16 string split, goes on 8-bit", 1, {u16(4) + "\x01" + chars16(u"Gr"), std::string("\x00\xFC\xDF", 3)},
       {grus}},
      {"split after the string's header", 1, {u16(3) + "\x01", "\x00" "abc"s}, {"abc"}},
      {"split between strings: no flags byte", 2, {string8("one"), string8("two")}, {"one", "two"}},
      {"split three times", 1, {u16(6) + "\x00" "ab"s, "\x01" + chars16(u"c"), "\x00" "d"s, "\x01" + chars16(u"ef")},
       {"abcdef"}},
      // Formatting runs (flags bit 3) and phonetic data (bit 2) come after
      // the characters and go on without a flags byte.
      {"rich text runs split", 2,
       {u16(2) + "\x08" + u16(2) + "ab" + u32(0x00010000), u32(0x00020001) + string8("next")}, {"ab", "next"}},
      {"phonetic data split", 2, {u16(2) + "\x04" + u32(6) + "xy" + "\x01\x02", "\x03\x04\x05\x06" + string8("z")},
       {"xy", "z"}},
      {"rich and phonetic", 1, {u16(1) + "\x0C" + u16(1) + u32(4) + "r" + u32(0) + "pppp"}, {"r"}},
      {"empty string", 3, {string8("") + string8("after") + string16(u"")}, {"", "after", ""}},
      {"surrogate pair, NUL left out", 1, {string16(u"\U0001F600a\0b"s)}, {"\xF0\x9F\x98\x80" "ab"}},
      {"table cut short", 5, {string8("only") + u16(9) + "\x00" "cut"s}, {"only", "cut", "", "", ""}},
      {"odd byte before the record ends", 1, {u16(2) + "\x01" + chars16(u"a") + "\x00"s, "\x01" + chars16(u"b")},
       {"ab"}},
  };
  for (const Case& c : cases) {
    std::string cells;
    std::vector<std::string> expected;
    for (uint32_t i = 0; i < c.expected.size(); ++i) {
      cells += labelSst(static_cast<uint16_t>(i), 0, i);
      if (!c.expected[i].empty()) expected.push_back("A" + std::to_string(i + 1) + "=" + c.expected[i]);
    }
    cells += labelSst(7, 0, 99);  // past the table: empty
    const Read read = readXls(workbook(sharedStrings(c.count, c.parts), cells), "Data");
    ASSERT_EQ(read.selected, CellSourceResult::ok) << c.what;
    EXPECT_EQ(read.cells, expected) << c.what;
  }
}

TEST(XlsCellSource, TextCellsOfEveryRecordKind) {
  const std::string shrfmla = record(0x04BC, std::string(10, '\0'));
  const auto formula = [](uint16_t row, const std::string& result, uint16_t id = 0x0006) {
    return record(id, u16(row) + u16(1) + u16(15) + result + u16(0) + u32(0) + u16(0));
  };
  const std::string sheet =
      label(0, 0, string8("Taxi \xE4")) +                                              // 8-bit: Latin-1
      label(1, 0, string16(u"\u0422\u0430\u043A\u0441\u0438")) +                       // UTF-16
      record(0x00D6, u16(2) + u16(0) + u16(15) + string8("rich") + u16(1) + u32(0)) +  // RSTRING
      textFormula(3, 0) + shrfmla + record(0x0207, string8("formula text")) +          // STRING after SHRFMLA
      formula(4, std::string("\x03\0\0\0\0\0\xFF\xFF", 8)) +                           // empty text
      formula(5, std::string("\x01\0\x01\0\0\0\xFF\xFF", 8)) +                         // TRUE
      formula(6, std::string("\x02\0\x07\0\0\0\xFF\xFF", 8)) +                         // #DIV/0!
      record(0x0205, u16(7) + u16(0) + u16(15) + "\x2A\x01") +                         // #N/A
      // A label continued in a CONTINUE record, switching to UTF-16.
      record(0x0204, u16(7) + u16(1) + u16(15) + u16(4) + std::string(1, '\0') + "ab") +
      record(kContinue, "\x01" + chars16(u"\u00E7d")) +
      // Formulas under the record id of earlier versions: a number, a text.
      formula(8, f64(42), 0x0406) + formula(9, std::string("\0\0\0\0\0\0\xFF\xFF", 8), 0x0406) +
      record(0x0207, string8("old formula"));
  const Read read = readXls(workbook("", sheet), "Data", 10);
  ASSERT_EQ(read.selected, CellSourceResult::ok);
  EXPECT_EQ(read.cells, (std::vector<std::string>{
                            "A1=Taxi \xC3\xA4",
                            "A2=\xD0\xA2\xD0\xB0\xD0\xBA\xD1\x81\xD0\xB8",
                            "A3=rich",
                            "A4=formula text",
                            "B6=TRUE",
                            "B7=#DIV/0!",
                            "A8=#N/A",
                            "B8=ab\xC3\xA7" "d",
                            "B9=42",
                            "B10=old formula",
                        }));
}

TEST(XlsCellSource, Biff5StringsAreReadInTheCodePage) {
  struct Case {
    int codePage;  // 0: no CODEPAGE record
    std::string bytes;
    std::string utf8;
  };
  const std::vector<Case> cases = {
      {1252, "\x80 \xC4\xE4\xDF \x9F", "\xE2\x82\xAC \xC3\x84\xC3\xA4\xC3\x9F \xC5\xB8"},
      {1250, "\x8A\x9E\xE8 \xB9", "\xC5\xA0\xC5\xBE\xC4\x8D \xC4\x85"},
      {1251, "\xD2\xE0\xEA\xF1\xE8 \xA8", "\xD0\xA2\xD0\xB0\xD0\xBA\xD1\x81\xD0\xB8 \xD0\x81"},
      {0, "\x80\xE9", "\xE2\x82\xAC\xC3\xA9"},
  };
  for (const Case& c : cases) {
    const std::string globals = c.codePage != 0 ? record(0x0042, u16(static_cast<uint16_t>(c.codePage))) : "";
    const std::string sheet = record(0x0204, u16(0) + u16(0) + u16(15) + biff5Long(c.bytes)) +
                              record(0x00D6, u16(1) + u16(0) + u16(15) + biff5Long(c.bytes) + "\x01" + u16(0) + u16(0)) +
                              textFormula(2, 0) + record(0x0207, biff5Long(c.bytes));
    const std::string stream = workbookStream(globals, {{biff5Short("S " + c.bytes), sheet}}, false);
    const Read read = readXls(compoundFile({{"Book", stream}}), "S " + c.utf8);
    ASSERT_EQ(read.selected, CellSourceResult::ok) << c.codePage;
    EXPECT_EQ(read.cells, (std::vector<std::string>{"A1=" + c.utf8, "A2=" + c.utf8, "A3=" + c.utf8})) << c.codePage;
  }
}

TEST(XlsCellSource, EmbeddedSubstreamsAreSkipped) {
  // A drawing with a chart whose records (and a chart nested in it) would
  // otherwise land on the sheet's cells.
  const std::string chart = record(0x0809, u16(0x0600) + u16(0x0020) + std::string(12, '\0')) +
                            number(0, 0, 99) + label(1, 1, string8("chart")) +
                            record(0x0809, u16(0x0600) + u16(0x0020) + std::string(12, '\0')) + number(2, 2, 98) +
                            record(0x000A, "") + number(3, 3, 97) + record(0x000A, "");
  const std::string sheet = number(0, 0, 1) + record(0x00EC, std::string(20, '\x0A')) +
                            record(0x005D, std::string(30, '\0')) + chart + number(0, 1, 2) + label(1, 0, string8("after"));
  const Read read = readXls(workbook("", sheet), "Data");
  ASSERT_EQ(read.selected, CellSourceResult::ok);
  EXPECT_EQ(read.cells, (std::vector<std::string>{"A1=1", "B1=2", "A2=after"}));
}

TEST(XlsCellSource, ChartSheetsSelectWithoutCells) {
  const std::string stream = workbookStream(
      "", {{sheetName("Data"), number(0, 0, 5)}, {sheetName("Chart1"), number(0, 0, 6), 2}, {sheetName("Last"), number(1, 1, 7)}});
  const std::string file = compoundFile({{"Workbook", stream}});
  EXPECT_EQ(readXls(file, "Chart1").selected, CellSourceResult::ok);
  EXPECT_EQ(readXls(file, "chart1").cells, std::vector<std::string>{});
  EXPECT_EQ(readXls(file, "LAST").cells, std::vector<std::string>{"B2=7"});
  EXPECT_EQ(readXls(file, "").cells, std::vector<std::string>{"A1=5"});
  EXPECT_EQ(readXls(file, "Chart").selected, CellSourceResult::failed);
}

TEST(XlsCellSource, WorkbookStreamIsFoundByNameInEitherPlace) {
  // Under 4096 bytes a stream lies in the compound file's mini stream.
  std::string many;
  for (uint16_t row = 0; row < 300; ++row) many += number(row, 0, row);
  const std::string small = workbookStream("", {{sheetName("Data"), number(0, 0, 42)}});
  const std::string large = workbookStream("", {{sheetName("Data"), number(0, 0, 42) + many.substr(18)}});
  ASSERT_LT(small.size(), 4096u);
  ASSERT_GT(large.size(), 4096u);
  struct Case {
    std::string name;
    const std::string* stream;
    CellSourceResult opened;
  };
  const std::vector<Case> cases = {
      {"Workbook", &small, CellSourceResult::ok}, {"WORKBOOK", &small, CellSourceResult::ok},
      {"workbook", &large, CellSourceResult::ok}, {"Book", &small, CellSourceResult::ok},
      {"BOOK", &large, CellSourceResult::ok},     {"Workbook1", &small, CellSourceResult::failed},
  };
  for (const Case& c : cases) {
    const Read read = readXls(compoundFile({{"\x05SummaryInformation", std::string(200, 'x')}, {c.name, *c.stream}}),
                              "Data");
    EXPECT_EQ(read.opened, c.opened) << c.name;
    if (c.opened == CellSourceResult::ok) {
      EXPECT_EQ(read.cells.at(0), "A1=42") << c.name;
    }
  }
  // "Workbook" wins over the "Book" a workbook may keep for older readers.
  const std::string biff5 = workbookStream("", {{biff5Short("Data"), number(0, 0, 5)}}, false);
  EXPECT_EQ(readXls(compoundFile({{"Book", biff5}, {"Workbook", small}}), "Data").cells.at(0), "A1=42");
}

TEST(XlsCellSource, CellsAreReadWhereverTheFormatAllows) {
  const std::string dimensions = record(0x0200, u32(0) + u32(1) + u16(0) + u16(1) + u16(0));
  const std::string sheet = dimensions + number(5, 200, 3) + number(0, 0, 1) + number(5, 255, 4) +
                            number(5, 256, 5) + number(65535, 0, 6) + number(0, 0, 2) +  // the later A1 counts
                            labelSst(1, 0, 0) + record(0x00FD, u16(2) + u16(0) + u16(15));  // too short: ignored
  TempDir dir;
  const std::string path = dir.file("book.xls");
  testsupport::writeFile(path, workbook("", sheet));
  XlsCellSource source;
  ASSERT_EQ(source.openDocument(path), CellSourceResult::ok);
  ASSERT_EQ(source.selectSheet("Data"), CellSourceResult::ok);
  const std::vector<std::pair<CellAddress, std::string>> cells = {
      {{0, 1, "A1"}, "2"},          {{200, 6, "GS6"}, "3"}, {{255, 6, "IV6"}, "4"},
      {{0, 65536, "A65536"}, "6"}, {{0, 2, "A2"}, ""},     {{0, 3, "A3"}, ""},
  };
  for (const auto& [address, expected] : cells) {
    std::string text;
    EXPECT_EQ(source.cellText(address, text), CellSourceResult::ok);
    EXPECT_EQ(text, expected) << address.text;
  }
  EXPECT_EQ(source.rowCountHint(), 4u);  // rows 1, 2, 6 and 65536
}

TEST(XlsCellSource, NumberFormatOfEachCell) {
  // Styles 0..2 with the formats General, "0.00" and a date of its own.
  const std::string globals = record(0x041E, u16(164) + string8("dd.mm.yyyy")) + record(0x00E0, u16(0) + u16(0)) +
                              record(0x00E0, u16(0) + u16(2)) + record(0x00E0, u16(0) + u16(164));
  const std::string sheet = number(0, 0, 2.5, 0) + number(0, 1, 2.5, 1) + number(0, 2, 40000, 2) + labelSst(0, 3, 0);
  TempDir dir;
  const std::string path = dir.file("book.xls");
  testsupport::writeFile(path, workbook(globals, sheet));
  XlsCellSource source;
  ASSERT_EQ(source.openDocument(path), CellSourceResult::ok);
  ASSERT_EQ(source.selectSheet("Data"), CellSourceResult::ok);
  const std::vector<std::pair<std::string, NumberFormat>> expected = {
      {"2.5", NumberFormat::general}, {"2.50", NumberFormat::fixed2}, {"40000", NumberFormat::other},
      {"", NumberFormat::general},    {"", NumberFormat::general}};
  for (int column = 0; column < 5; ++column) {
    std::string text;
    const CellAddress address{column, 1, ""};
    EXPECT_EQ(source.cellText(address, text), CellSourceResult::ok);
    EXPECT_EQ(text, expected[column].first) << column;
    EXPECT_EQ(source.numberFormat(address), expected[column].second) << column;
  }
}

TEST(XlsCellSource, DamagedAndUnsupportedWorkbooks) {
  struct Case {
    const char* what;
    std::string stream;
    CellSourceResult opened;
    CellSourceResult selected;
  };
  const std::string good = workbookStream("", {{sheetName("Data"), number(0, 0, 1)}});
  std::string badOffset = good;
  badOffset.replace(badOffset.find(std::string("\x85\x00", 2)) + 4, 4, u32(0x7FFFFFF0));
  std::string notBof = good;
  notBof.replace(notBof.rfind(std::string("\x09\x08", 2)), 2, u16(0x0203));
  std::string noEof = good;
  noEof.resize(noEof.size() - 4);
  std::string biff4 = good;
  biff4.replace(4, 2, u16(0x0400));
  const std::vector<Case> cases = {
      {"encrypted", workbookStream(record(0x002F, u16(1) + std::string(52, '\0')), {{sheetName("Data"), number(0, 0, 1)}}),
       CellSourceResult::failed, CellSourceResult::failed},
      {"BIFF4", biff4, CellSourceResult::failed, CellSourceResult::failed},
      {"no records", "", CellSourceResult::failed, CellSourceResult::failed},
      {"sheet offset outside the stream", badOffset, CellSourceResult::ok, CellSourceResult::documentUnreadable},
      {"sheet offset not at a BOF", notBof, CellSourceResult::ok, CellSourceResult::documentUnreadable},
      {"sheet without its EOF", noEof, CellSourceResult::ok, CellSourceResult::documentUnreadable},
      {"more rows declared than the format has",
       workbookStream("", {{sheetName("Data"), record(0x0200, u32(0) + u32(65537) + u16(0) + u16(1) + u16(0))}}),
       CellSourceResult::failed, CellSourceResult::failed},
  };
  for (const Case& c : cases) {
    const Read read = readXls(compoundFile({{"Workbook", c.stream}}), "Data");
    EXPECT_EQ(read.opened, c.opened) << c.what;
    EXPECT_EQ(read.selected, c.selected) << c.what;
  }
  // Sheets are counted in 16 bits: one more than that is damage.
  for (const std::size_t count : {std::size_t{65535}, std::size_t{65536}}) {
    std::vector<Sheet> sheets(count, Sheet{sheetName("S"), ""});
    sheets[0].name = sheetName("Data");
    const Read read = readXls(compoundFile({{"Workbook", workbookStream("", sheets)}}), "Data", 1);
    EXPECT_EQ(read.opened, count == 65535 ? CellSourceResult::ok : CellSourceResult::failed) << count;
  }
  // Strings that claim more characters than their records hold keep what
  // is there.
  const Read cut = readXls(workbook(sharedStrings(1, {u16(60000) + "\x01" + chars16(u"ab")}),
                                    labelSst(0, 0, 0) + label(0, 1, u16(5000) + std::string(1, '\0') + "xyz")),
                           "Data");
  EXPECT_EQ(cut.cells, (std::vector<std::string>{"A1=ab", "B1=xyz"}));
}

}  // namespace
