// The building blocks of the native cell sources: the zip reader's size
// cap, the cell index, comma-separated text and cell references.
#include <gtest/gtest.h>

#include <algorithm>

#include "SheetFiles.h"
#include "TestSupport.h"
#include "input/sources/CellGrid.h"
#include "input/sources/CsvCellSource.h"
#include "input/sources/OdsCellSource.h"
#include "input/sources/XlsxCellSource.h"
#include "input/sources/ZipArchive.h"

namespace {

using testsupport::TempDir;

TEST(ZipArchive, EntriesAreReadUpToTheLimitAndNoFurther) {
  TempDir dir;
  const std::string path = dir.file("a.zip");
  const std::string zeros(2 * 1024 * 1024, '\0');
  sheetfiles::writeZip(path, {{"zeros", zeros}, {"Small.xml", "<a/>"}});
  ZipArchive zip;
  ASSERT_TRUE(zip.open(path));
  std::string contents;
  EXPECT_EQ(zip.read("zeros", contents), ZipArchive::Status::ok);
  EXPECT_EQ(contents.size(), zeros.size());
  EXPECT_EQ(zip.read("/small.XML", contents), ZipArchive::Status::ok);  // case and leading "/" do not matter
  EXPECT_EQ(contents, "<a/>");
  EXPECT_EQ(zip.read("zeros", contents, 1024 * 1024), ZipArchive::Status::tooLarge);
  EXPECT_TRUE(contents.empty());
  EXPECT_EQ(zip.read("missing", contents), ZipArchive::Status::missing);
  zip.close();

  // An entry that declares less than it inflates to is still stopped at
  // the limit.
  sheetfiles::patchDeclaredSize(path, "zeros", 100);
  ASSERT_TRUE(zip.open(path));
  const ZipArchive::Status status = zip.read("zeros", contents, 1024 * 1024);
  EXPECT_NE(status, ZipArchive::Status::ok);
  EXPECT_TRUE(contents.empty());
}

// Some writers separate the folders of entry names with backslashes
// ("xl\\workbook.xml") and write them in any case.
TEST(ZipArchive, EntryNamesMatchWithBackslashesAndInAnyCase) {
  TempDir dir;
  const std::string path = dir.file("a.zip");
  sheetfiles::writeZip(path, {{"xl\\worksheets\\Sheet1.xml", "<sheet/>"}, {"[content_types].xml", "<types/>"},
                              {"docProps/app.xml", "<app/>"}});
  ZipArchive zip;
  ASSERT_TRUE(zip.open(path));
  const std::vector<std::pair<std::string, std::string>> found = {
      {"xl/worksheets/sheet1.xml", "<sheet/>"}, {"/XL/Worksheets/SHEET1.XML", "<sheet/>"},
      {"xl\\worksheets\\sheet1.xml", "<sheet/>"}, {"[Content_Types].xml", "<types/>"},
      {"docProps\\app.xml", "<app/>"},
  };
  for (const auto& [name, contents] : found) {
    std::string read;
    EXPECT_TRUE(zip.has(name)) << name;
    EXPECT_EQ(zip.read(name, read), ZipArchive::Status::ok) << name;
    EXPECT_EQ(read, contents) << name;
  }
  std::string read;
  EXPECT_FALSE(zip.has("xl/worksheets"));
  EXPECT_EQ(zip.read("xl/worksheets/sheet2.xml", read), ZipArchive::Status::missing);

  // A workbook whose parts are all named that way reads like any other.
  sheetfiles::Parts parts = sheetfiles::xlsxParts(
      {{"Signals", sheetfiles::worksheetXml("<row r=\"2\"><c r=\"B2\" t=\"s\"><v>0</v></c></row>")}}, {"<t>found</t>"});
  for (auto& part : parts) std::replace(part.first.begin(), part.first.end(), '/', '\\');
  sheetfiles::writeZip(dir.file("backslashes.xlsx"), parts);
  EXPECT_EQ(sheetfiles::xlsxCellTexts(dir.file("backslashes.xlsx"), "Signals", 3, 3), "selected 0\n2/1=found\n");
}

TEST(CellGrid, FindsCellsOfRowAndCellRuns) {
  CellGrid<int> grid;
  EXPECT_TRUE(grid.beginRow(0));
  EXPECT_TRUE(grid.addCell(0, 1, 1));
  EXPECT_TRUE(grid.addCell(3, 2, 2));   // columns 3 and 4
  EXPECT_FALSE(grid.addCell(4, 1, 9));  // columns must ascend
  EXPECT_TRUE(grid.beginRow(5, 1000));  // rows 5..1004
  EXPECT_TRUE(grid.addCell(1, kSheetColumnLimit * 4, 3));
  EXPECT_FALSE(grid.beginRow(100));     // inside the run before
  EXPECT_FALSE(grid.addCell(0, 1, 9));  // belongs to the ignored row
  EXPECT_TRUE(grid.beginRow(kSheetRowLimit - 1, 50));
  EXPECT_TRUE(grid.addCell(0, 1, 4));
  EXPECT_FALSE(grid.beginRow(kSheetRowLimit));

  struct Case {
    uint64_t row, column;
    int value;  // 0: empty
  };
  const std::vector<Case> cases = {
      {0, 0, 1}, {0, 1, 0}, {0, 3, 2}, {0, 4, 2}, {0, 5, 0}, {1, 0, 0}, {5, 0, 0}, {5, 1, 3},
      {1004, kSheetColumnLimit - 1, 3}, {1004, kSheetColumnLimit, 0}, {1005, 1, 0}, {100, 0, 0},
      {kSheetRowLimit - 1, 0, 4}, {kSheetRowLimit, 0, 0},
  };
  for (const Case& c : cases) {
    const int* found = grid.find(c.row, c.column);
    EXPECT_EQ(found != nullptr ? *found : 0, c.value) << c.row << "/" << c.column;
  }
}

// A grid told which columns to keep drops the cells of others, and still
// takes the cells of a row only in ascending columns, kept or not.
TEST(CellGrid, KeepsOnlyTheColumnsAskedFor) {
  CellGrid<int> grid;
  grid.keepColumns({5, 2, -1, 2, 99999});
  EXPECT_TRUE(grid.beginRow(0));
  EXPECT_FALSE(grid.addCell(0, 2, 1));
  EXPECT_TRUE(grid.addCell(2, 1, 2));
  EXPECT_FALSE(grid.addCell(3, 1, 3));
  EXPECT_TRUE(grid.addCell(4, 2, 4));   // a run over column 5
  EXPECT_TRUE(grid.beginRow(1));
  EXPECT_FALSE(grid.addCell(6, 1, 6));
  EXPECT_FALSE(grid.addCell(5, 1, 9));  // left of the cell before
  const std::vector<std::pair<uint64_t, uint64_t>> empty = {{0, 0}, {0, 1}, {0, 3}, {1, 5}, {1, 6}};
  for (const auto& [row, column] : empty) EXPECT_EQ(grid.find(row, column), nullptr) << row << "/" << column;
  EXPECT_EQ(*grid.find(0, 2), 2);
  EXPECT_EQ(*grid.find(0, 5), 4);
  grid.clear();  // keeps the choice
  EXPECT_TRUE(grid.beginRow(0));
  EXPECT_FALSE(grid.addCell(0, 1, 1));
}

std::vector<std::string> csvRow(CsvCellSource& source, int row, int columns) {
  std::vector<std::string> cells;
  for (int column = 0; column < columns; ++column) {
    std::string text;
    source.cellText(CellAddress{column, row, ""}, text);
    cells.push_back(text);
  }
  return cells;
}

// Cells are stored in blocks of 65 536; rows that straddle two blocks and
// rows asked out of order must still find every cell.
TEST(CellGrid, ManyCellsAcrossStorageBlocks) {
  CellGrid<int> grid;
  const int rows = 20000;
  for (int row = 0; row < rows; ++row) {
    ASSERT_TRUE(grid.beginRow(static_cast<uint64_t>(row) * 2));
    for (int column = 0; column < 7; ++column) {
      ASSERT_TRUE(grid.addCell(static_cast<uint64_t>(column) * 3, 1, row * 7 + column));
    }
  }
  EXPECT_EQ(grid.rowRunCount(), static_cast<std::size_t>(rows));
  for (int row : {0, 9361, 9362, 9363, 18724, 18725, rows - 1, 5, 12000, 3}) {
    for (int column = 0; column < 7; ++column) {
      const int* found = grid.find(static_cast<uint64_t>(row) * 2, static_cast<uint64_t>(column) * 3);
      ASSERT_NE(found, nullptr) << row << "/" << column;
      EXPECT_EQ(*found, row * 7 + column);
      EXPECT_EQ(grid.find(static_cast<uint64_t>(row) * 2, static_cast<uint64_t>(column) * 3 + 1), nullptr);
    }
    EXPECT_EQ(grid.find(static_cast<uint64_t>(row) * 2 + 1, 0), nullptr);
  }
}

TEST(CsvCellSource, SplitsQuotedFieldsWithTheDetectedDelimiter) {
  struct Case {
    std::string text;
    std::vector<std::vector<std::string>> rows;  // first three rows, three columns
  };
  const std::vector<Case> cases = {
      {"a,b,c\n1,2,3\n", {{"a", "b", "c"}, {"1", "2", "3"}, {"", "", ""}}},
      {"a;b,c;d\r\n1;2;3\r\n", {{"a", "b,c", "d"}, {"1", "2", "3"}, {"", "", ""}}},
      {"\xEF\xBB\xBFx,\"y,z\",\"say \"\"hi\"\"\"\n", {{"x", "y,z", "say \"hi\""}, {"", "", ""}, {"", "", ""}}},
      {"\"two\r\nlines\",b\n\n,,c", {{"two\nlines", "b", ""}, {"", "", ""}, {"", "", "c"}}},
      {"\"a;b\";c;d\n", {{"a;b", "c", "d"}, {"", "", ""}, {"", "", ""}}},
      {"\"open,to the end", {{"open,to the end", "", ""}, {"", "", ""}, {"", "", ""}}},
      {"\"q\"x,  spaced  \rnext", {{"qx", "  spaced  ", ""}, {"next", "", ""}, {"", "", ""}}},
  };
  for (const Case& c : cases) {
    // A file is split in pieces: a piece may end anywhere.
    for (std::size_t piece : {std::string::npos, std::size_t{1}, std::size_t{2}, std::size_t{3}}) {
      CsvCellSource source;
      ASSERT_TRUE(source.parse(c.text, piece)) << c.text;
      for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(csvRow(source, row, 3), c.rows[row - 1]) << c.text << " row " << row << " pieces " << piece;
      }
    }
  }
  CsvCellSource source;
  EXPECT_FALSE(source.parse(std::string("a,\0b", 4)));
  const std::vector<std::pair<std::string, char>> delimiters = {
      {"\"a;b;c\",d\n;;;", ','}, {"a;b,c;d", ';'}, {"a,b;c", ','},        {"a\tb\tc,d;e", '\t'},
      {"a\tb;c;d", ';'},         {"a\tb,c,d", ','}, {"a\tb,c;d\te", '\t'}, {"\"a\t\tb\",c\n\t\t", ','},
      {"a\tb", '\t'},            {"a\tb;c", ';'},
  };
  for (const auto& [line, delimiter] : delimiters) EXPECT_EQ(detectCsvDelimiter(line), delimiter) << line;
}

TEST(XlsxCellSource, CellReferencesAndEscapes) {
  struct Case {
    const char* reference;
    bool ok;
    uint64_t column, row;
  };
  const std::vector<Case> cases = {
      {"A1", true, 0, 1},          {"z9", true, 25, 9},          {"AA10", true, 26, 10},
      {"XFD1048576", true, 16383, 1048576}, {"ZZZ1", true, 18277, 1}, {"AAAA1", false, 0, 0},
      {"A0", false, 0, 0},         {"1", false, 0, 0},           {"A", false, 0, 0},
      {"$A$1", false, 0, 0},       {"A1:B2", false, 0, 0},       {"A99999999999", false, 0, 0},
  };
  for (const Case& c : cases) {
    uint64_t column = 0;
    uint64_t row = 0;
    EXPECT_EQ(parseCellReference(c.reference, column, row), c.ok) << c.reference;
    if (c.ok) {
      EXPECT_EQ(column, c.column) << c.reference;
      EXPECT_EQ(row, c.row) << c.reference;
    }
  }
  EXPECT_EQ(decodeOoxmlEscapes("a_x000D__x000A_b"), "a\r\nb");
  EXPECT_EQ(decodeOoxmlEscapes("_x00E4__xD83D__xDE00__x0000_"), "\xC3\xA4\xF0\x9F\x98\x80");
  EXPECT_EQ(decodeOoxmlEscapes("_x12_ and _xZZZZ_ stay"), "_x12_ and _xZZZZ_ stay");
}

TEST(OdsCellSource, CellsShowTheirParagraphsOrElseTheirValue) {
  const std::vector<std::pair<std::string, std::string>> cells = {
      {"<text:p>one</text:p><text:p>two</text:p>", "one\ntwo"},
      {"<text:p>a<text:span>b<text:s text:c=\"3\"/>c</text:span><text:tab/>d<text:line-break/>e<text:s/></text:p>",
       "ab   c\td\ne "},
      {"<office:annotation><text:p>note</text:p></office:annotation><text:p>shown</text:p>", "shown"},
      {"<text:p>x<text:note><text:note-body><text:p>foot</text:p></text:note-body></text:note>y</text:p>", "xy"},
      {"<text:p>&lt;&amp;&gt;</text:p>", "<&>"},
  };
  std::string row;
  for (const auto& cell : cells) row += "<table:table-cell>" + cell.first + "</table:table-cell>";
  row += "<table:table-cell office:value-type=\"float\" office:value=\"0.5\"/>"
         "<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"true\"/>"
         "<table:covered-table-cell/><table:table-cell table:number-columns-repeated=\"2\"><text:p>r</text:p>"
         "</table:table-cell>";
  TempDir dir;
  sheetfiles::writeZip(dir.file("cells.ods"),
                       sheetfiles::odsParts("<table:table table:name=\"First\"/><table:table table:name=\"Cells\">"
                                            "<table:table-row-group><table:table-row>" + row +
                                            "</table:table-row></table:table-row-group></table:table>"));
  OdsCellSource source;
  ASSERT_EQ(source.openDocument(dir.file("cells.ods")), CellSourceResult::ok);
  ASSERT_EQ(source.selectSheet("cells"), CellSourceResult::ok);
  std::vector<std::string> expected;
  for (const auto& cell : cells) expected.push_back(cell.second);
  for (const char* text : {"0.5", "TRUE", "", "r", "r", ""}) expected.push_back(text);
  for (std::size_t column = 0; column < expected.size(); ++column) {
    std::string text;
    ASSERT_EQ(source.cellText(CellAddress{static_cast<int>(column), 1, ""}, text), CellSourceResult::ok);
    EXPECT_EQ(text, expected[column]) << column;
  }
}

TEST(OdsCellSource, PackedBlanksUnpackUpToTheLimit) {
  std::string packed = "ab";
  appendPackedBlanks(packed, 3);
  packed += "\xC3\xA4";  // one character of two bytes
  EXPECT_EQ(unpackCellText(packed, 100), "ab   \xC3\xA4");
  EXPECT_EQ(unpackCellText(packed, 6), "ab   ");  // not half a character
  EXPECT_EQ(unpackCellText(packed, 4), "ab  ");
  std::string huge;
  appendPackedBlanks(huge, 1ull << 40);
  EXPECT_EQ(unpackCellText(huge, 10), std::string(10, ' '));
}

// The spreadsheet application shows an inline string's text without the
// blanks at its ends unless the text keeps them (xml:space="preserve");
// shared strings keep theirs.
TEST(XlsxCellSource, InlineStringsLoseTheirEdgeBlanksUnlessPreserved) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"<t> Taxi State\t</t>", "Taxi State"},
      {"<t xml:space=\"preserve\"> Taxi </t>", " Taxi "},
      {"<t>\n  </t>", ""},
      {"<t> Taxi</t><t xml:space=\"preserve\"> State </t>", "Taxi State "},
      {"<r><t> rich </t></r><r><t>text </t></r>", "richtext"},
      {"<t> a b </t><rPh><t> phonetic </t></rPh>", "a b"},
      {"<t>&#32;a&#32;</t>", "a"},
  };
  TempDir dir;
  for (const bool scanner : {true, false}) {
    setXlsxRowScannerEnabled(scanner);
    for (const auto& [is, shown] : cases) {
      const std::string path = dir.file("inline.xlsx");
      sheetfiles::writeZip(path, sheetfiles::xlsxParts(
                                     {{"Signals", sheetfiles::worksheetXml("<row r=\"1\"><c t=\"inlineStr\"><is>" + is +
                                                                           "</is></c><c t=\"s\"><v>0</v></c></row>")}},
                                     {"<t xml:space=\"preserve\"> shared </t>"}));
      const std::string first = shown.empty() ? "" : "1/0=" + shown + "\n";
      EXPECT_EQ(sheetfiles::xlsxCellTexts(path, "Signals", 1, 2), "selected 0\n" + first + "1/1= shared \n")
          << is << (scanner ? " (row scanner)" : "");
    }
  }
  setXlsxRowScannerEnabled(true);
}

}  // namespace
