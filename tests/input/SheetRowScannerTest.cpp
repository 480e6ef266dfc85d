// The fast row scanner of .xlsx sheets: what it accepts and the steps it
// reports, and that a sheet reads the same with it as with the general XML
// reader alone, for plain rows and for every form it must leave alone.
#include <gtest/gtest.h>

#include "SheetFiles.h"
#include "TestSupport.h"
#include "input/CellSource.h"
#include "input/sources/SheetRowScanner.h"
#include "input/sources/XlsxCellSource.h"

namespace {

using testsupport::TempDir;

// The steps as one line: R(r) C(r,s,t) V'text' T'text' E /R; an attribute
// not given shows as "-".
std::string describe(const std::vector<SheetRowStep>& steps) {
  auto value = [](bool has, std::string_view text) { return has ? std::string(text) : std::string("-"); };
  std::string out;
  for (const SheetRowStep& step : steps) {
    switch (step.kind) {
      case SheetRowStep::Kind::rowStart:
        out += "R(" + value(step.hasR, step.r) + ") ";
        break;
      case SheetRowStep::Kind::cellStart:
        out += "C(" + value(step.hasR, step.r) + "," + value(step.hasS, step.s) + "," + value(step.hasT, step.t) + ") ";
        break;
      case SheetRowStep::Kind::value:
        out += std::string(step.inlineText ? "T'" : "V'") + std::string(step.text) + "' ";
        break;
      case SheetRowStep::Kind::cellEnd:
        out += "E ";
        break;
      case SheetRowStep::Kind::rowEnd:
        out += "/R";
        break;
    }
  }
  return out;
}

TEST(SheetRowScanner, ReadsPlainRowsAndLeavesTheRest) {
  struct Case {
    const char* window;
    RowScan result;
    const char* steps;  // for a row
    const char* rest;   // for a row: what it leaves of the window
  };
  const std::vector<Case> cases = {
      {"<row r=\"2\"><c r=\"A2\" t=\"n\"><v>6000</v></c></row><row", RowScan::row,
       "R(2) C(A2,-,n) V'6000' E /R", "<row"},
      {"\n  <row r='3' spans=\"1:2\">\n <c r=\"B3\" s=\"4\" t=\"inlineStr\"><is><t xml:space=\"preserve\">a b"
       "</t><t>c</t></is></c>\n</row >x",
       RowScan::row, "R(3) C(B3,4,inlineStr) T'a b' T'c' E /R", "x"},
      {"<row><c/><c r=\"C1\"/><c><v/></c><c><f>SUM(A1)</f><v>1</v></c><c><is/></c></row>", RowScan::row,
       "R(-) C(-,-,-) E C(C1,-,-) E C(-,-,-) E C(-,-,-) V'1' E C(-,-,-) E /R", ""},
      {"<row/>", RowScan::row, "R(-) /R", ""},
      // The first of repeated attributes counts, prefixes are left off and
      // a value may hold the other quote.
      {"<row r=\"1\" r=\"9\"><c x:r=\"D1\" s='a\"b' t=\"s\"r=\"E1\"><v>0</v></c></row>", RowScan::row,
       "R(1) C(D1,a\"b,s) V'0' E /R", ""},
      // Cut off anywhere: more is needed.
      {"<row r=\"2\"><c r=\"A2\"><v>60", RowScan::needMore, "", ""},
      {"<row r=\"2\"><c r=\"A2\"><v>6000</v></c></ro", RowScan::needMore, "", ""},
      {"  <ro", RowScan::needMore, "", ""},
      {"<row r=\"2", RowScan::needMore, "", ""},
      // Not plain: left to the general reader.
      {"</sheetData>", RowScan::declined, "", ""},
      {"<x:row r=\"1\"></x:row>", RowScan::declined, "", ""},
      {"<row><c><v>a&amp;b</v></c></row>", RowScan::declined, "", ""},
      {"<row><c><v>a\r\nb</v></c></row>", RowScan::declined, "", ""},
      {"<row r=\"&#49;\"></row>", RowScan::declined, "", ""},
      {"<row r=\"1\n\"></row>", RowScan::declined, "", ""},
      {"<row><c t=\"inlineStr\"><is><r><t>rich</t></r></is></c></row>", RowScan::declined, "", ""},
      {"<row><c t=\"inlineStr\"><is><t>a </t></is></c></row>", RowScan::declined, "", ""},
      {"<row><c t=\"inlineStr\"><is><t xml:space=\"preserve\">\ta</t></is></c></row>", RowScan::declined, "", ""},
      {"<row><c><!-- note --><v>1</v></c></row>", RowScan::declined, "", ""},
      {"<row><c><v>1</v></c>text<c/></row>", RowScan::declined, "", ""},
      {"<row><c><v>1</c></v></row>", RowScan::declined, "", ""},
      {"<row><c></c<v>1</v></c></row>", RowScan::declined, "", ""},
      {"<row><c></c x></row>", RowScan::declined, "", ""},
      {"<row><c r=\"A1\"s=></c></row>", RowScan::declined, "", ""},
      {"<row><c r=\"<\"/></row>", RowScan::declined, "", ""},
      {"<row><cell/></row>", RowScan::declined, "", ""},
  };
  for (const Case& c : cases) {
    std::vector<SheetRowStep> steps;
    std::size_t length = 0;
    const RowScan result = scanSheetRow(c.window, length, steps);
    EXPECT_EQ(result, c.result) << c.window;
    if (result == RowScan::row && c.result == RowScan::row) {
      EXPECT_EQ(describe(steps), c.steps) << c.window;
      EXPECT_EQ(std::string(c.window).substr(length), c.rest) << c.window;
    }
  }
}

// What a reader of the sheet sees: the result of selecting it and the text
// of every cell in A1:H8.
std::string readAll(const std::string& path) { return sheetfiles::xlsxCellTexts(path, "Signals", 8, 8); }

std::string readWithAndWithoutScanner(const std::string& path, std::string& withoutScanner) {
  setXlsxRowScannerEnabled(false);
  withoutScanner = readAll(path);
  setXlsxRowScannerEnabled(true);
  return readAll(path);
}

TEST(SheetRowScanner, SheetsReadTheSameWithAndWithoutIt) {
  const std::vector<std::string> rows = {
      // plain rows, with and without references, shared and inline strings
      "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"inlineStr\"><is><t>x_x000D_y</t></is></c></row>"
      "<row><c><v>12</v></c><c s=\"1\"><v>1234.5</v></c><c t=\"b\"><v>1</v></c><c t=\"e\"><v>#N/A</v></c></row>",
      // blanks between the elements, self-closing forms, formulas
      "\n<row r=\"2\">\n\t<c r=\"C2\">\r\n<f>A1*2</f>\n<v>24</v></c>\n<c r=\"D2\" t=\"str\"><f/><v>a_x0041_</v></c>"
      "<c r=\"E2\"/></row>\n<row r=\"3\"/>\n<row r=\"4\"><c r=\"A4\"><v/></c></row>\n",
      // rows and cells out of order, references the sheet cannot have
      "<row r=\"5\"><c r=\"B5\"><v>1</v></c><c r=\"A5\"><v>2</v></c><c><v>3</v></c></row>"
      "<row r=\"2\"><c><v>lost</v></c></row><row r=\"0\"><c><v>x</v></c></row><row><c r=\"A1x\"><v>4</v></c><c><v>5</v></c></row>",
      // inline strings with blanks at their ends, kept or not
      "<row r=\"1\"><c t=\"inlineStr\"><is><t> a </t></is></c><c t=\"inlineStr\"><is><t xml:space=\"preserve\"> b "
      "</t></is></c><c t=\"inlineStr\"><is><t>c</t><t> d</t></is></c></row>",
      // inline strings in other cells and values in inline strings
      "<row r=\"1\"><c t=\"inlineStr\"><v>9</v><is><t>shown</t></is></c><c><is><t>hidden</t></is><v>7</v></c></row>",
      // forms the scanner leaves to the general reader, among plain rows
      "<row r=\"1\"><c><v>1</v></c></row><row r=\"2\"><c><v>a&amp;b&#x41;</v></c></row>"
      "<row r=\"3\"><c t=\"inlineStr\"><is><r><t>ri</t></r><r><t>ch</t></r><rPh><t>no</t></rPh></is></c></row>"
      "<x:row r=\"4\"><x:c><x:v>5</x:v></x:c></x:row><row r=\"5\"><c r=\"A&#53;\"><v>6</v></c></row>"
      "<row r=\"6\"><c><!-- c --><v>7</v></c><?pi x?></row><row r=\"7\"><c><v><![CDATA[<8>]]></v></c></row>",
      // a phonetic run closed outside a cell spoils the inline strings after it
      "<row r=\"1\"><c t=\"inlineStr\"><is><t>before</t></is></c></row><rPh/></row>",
      "<row r=\"1\"><rPh/><c t=\"inlineStr\"><is><t>a</t></is></c></row>"
      "<row r=\"2\"><c t=\"inlineStr\"><is><t>b</t></is></c></row>",
      // damaged sheets fail the same way
      "<row r=\"1\"><c><v>1</v></c></row><row r=\"2\"><c><v>1</c></v></row>",
      "<row r=\"1\"><c><v>1</v></c></row><row r=\"2\"><c r=\"A2\"><v>2</v></c<v>3</v></c></row>",
      "<row r=\"1\"><c r=\"<\"><v>1</v></c></row>",
      "<row r=\"1\"><c><v>&bogus;</v></c></row>",
      "<row r=\"1\"><c><v>1</v></c></row><row r=\"2\"><c><v>2</v>",
      "<row r=\"1\"><c><v>1</v></c></row><row r=\"2\"><c r=\"B2\"s=\"1\"t=\"n\"><v>2</v></c></row>",
  };
  TempDir dir;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string path = dir.file("sheet" + std::to_string(i) + ".xlsx");
    sheetfiles::writeZip(path, sheetfiles::xlsxParts({{"Signals", sheetfiles::worksheetXml(rows[i])}}, {"shared"},
                                                     ""));
    std::string general;
    const std::string scanned = readWithAndWithoutScanner(path, general);
    EXPECT_EQ(scanned, general) << rows[i];
  }
}

// Rows cut by the end of the reader's window at every place: the scanner
// asks for more and the sheet still reads whole.
TEST(SheetRowScanner, RowsAcrossWindowBoundariesReadWhole) {
  std::string rows;
  for (int row = 1; row <= 3000; ++row) {
    const std::string r = std::to_string(row);
    rows += "<row r=\"" + r + "\"><c r=\"A" + r + "\"><v>" + r + "</v></c><c r=\"B" + r +
            "\" t=\"inlineStr\"><is><t>name-" + std::string(static_cast<std::size_t>(row % 37), 'n') +
            "</t></is></c></row>\n";
  }
  TempDir dir;
  const std::string path = dir.file("long.xlsx");
  sheetfiles::writeZip(path, sheetfiles::xlsxParts({{"Signals", sheetfiles::worksheetXml(rows)}}));
  XlsxCellSource source;
  ASSERT_EQ(source.openDocument(path), CellSourceResult::ok);
  ASSERT_EQ(source.selectSheet("Signals"), CellSourceResult::ok);
  for (int row = 1; row <= 3000; ++row) {
    CellAddress address;
    address.row = row;
    address.column = 0;
    std::string text;
    source.cellText(address, text);
    ASSERT_EQ(text, std::to_string(row));
    address.column = 1;
    source.cellText(address, text);
    ASSERT_EQ(text, "name-" + std::string(static_cast<std::size_t>(row % 37), 'n'));
  }
}

}  // namespace
