// Damaged, hostile and unusual spreadsheet files: each ends in a clean
// failure with its message or in ignored cells, never in a crash or an
// unbounded allocation. The files are made here, from parts.
#include <gtest/gtest.h>

#include <functional>

#include "SheetFiles.h"
#include "TestSupport.h"
#include "input/ZIniMapExcelSheetReader.h"

namespace {

using sheetfiles::Parts;
using testsupport::TempDir;
using testsupport::writeFile;

const char kNotOpened[] = "Specified Excel document cannot be opened\n";
const char kNoSheet[] = "Excel sheet with specified name or index cannot be activated\n";

// Column set 1 in columns A..I, data from row 1: index, name, size, sub,
// offset, len, reserved, used, command.
const char kMap[] =
    "[XLSImport]\nSkipRows=0\nObjectIndex=0\nSignalName=1\nObjectSize=2\nObjectSubIndex=3\nSignalOffset=4\n"
    "SignalSize=5\nSignalReserved=6\nSignalIsUsed=7\nCommandOrStatus=8\n";

// One xlsx row of a used signal, cells given by inline strings.
std::string xlsxRow(int row, const std::string& index, const std::string& name) {
  const std::string r = std::to_string(row);
  auto cell = [&r](const char* column, const std::string& text) {
    return std::string("<c r=\"") + column + r + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
  };
  return "<row r=\"" + r + "\">" + cell("A", index) + cell("B", name) + cell("C", "32") + cell("D", "1") +
         cell("E", "0") + cell("F", "8") + cell("H", "x") + "</row>";
}

Parts goodXlsx() {
  return sheetfiles::xlsxParts({{"Signals", sheetfiles::worksheetXml(xlsxRow(1, "6000", "First") +
                                                                      xlsxRow(2, "6001", "Second"))}});
}

struct Outcome {
  bool result;
  std::string messages;
  std::vector<std::string> names;  // signal names of the records read
};

class BadSheetFilesTest : public ::testing::Test {
 protected:
  BadSheetFilesTest() { writeFile(ini, kMap); }

  Outcome read(const std::string& path) {
    ZIniMapExcelSheetReader reader(1);
    Outcome outcome;
    outcome.result = reader.read(path, ini, "Signals");
    outcome.messages = reader.errorText();
    for (const ZListEntry& record : reader.signalTable()) outcome.names.push_back(record.signalName);
    return outcome;
  }
  Outcome readZip(const std::string& name, const Parts& parts) {
    sheetfiles::writeZip(dir.file(name), parts);
    return read(dir.file(name));
  }
  Outcome readText(const std::string& name, const std::string& contents) {
    writeFile(dir.file(name), contents);
    return read(dir.file(name));
  }

  TempDir dir;
  const std::string ini = dir.file("map.ini");
};

void expectFailure(const Outcome& outcome, const std::string& messages, const std::string& what) {
  EXPECT_FALSE(outcome.result) << what;
  EXPECT_EQ(outcome.messages, messages) << what;
  EXPECT_TRUE(outcome.names.empty()) << what;
}

TEST_F(BadSheetFilesTest, GeneratedXlsxReadsBothRows) {
  const Outcome outcome = readZip("good.xlsx", goodXlsx());
  EXPECT_TRUE(outcome.result);
  EXPECT_EQ(outcome.names, (std::vector<std::string>{"First", "Second"}));
}

TEST_F(BadSheetFilesTest, DamagedXlsxCannotBeOpened) {
  struct Case {
    const char* what;
    std::function<void(Parts&)> damage;
  };
  const std::vector<Case> cases = {
      {"no workbook", [](Parts& p) { sheetfiles::setPart(p, "xl/workbook.xml", ""); }},
      {"malformed workbook", [](Parts& p) { sheetfiles::setPart(p, "xl/workbook.xml", "<workbook><sheets>"); }},
      {"malformed relationships",
       [](Parts& p) { sheetfiles::setPart(p, "xl/_rels/workbook.xml.rels", "<Relationships><Relat"); }},
      {"malformed sheet",
       [](Parts& p) { sheetfiles::setPart(p, "xl/worksheets/sheet1.xml", "<worksheet><sheetData><row><c>"); }},
      {"sheet part missing",
       [](Parts& p) {
         p.erase(std::remove_if(p.begin(), p.end(), [](const auto& e) { return e.first == "xl/worksheets/sheet1.xml"; }),
                 p.end());
       }},
      {"too many rows declared",
       [](Parts& p) {
         sheetfiles::setPart(p, "xl/worksheets/sheet1.xml",
                             sheetfiles::worksheetXml(xlsxRow(1, "6000", "First"), "A1:I1048577"));
       }},
      {"too many columns declared",
       [](Parts& p) {
         sheetfiles::setPart(p, "xl/worksheets/sheet1.xml",
                             sheetfiles::worksheetXml(xlsxRow(1, "6000", "First"), "A1:XFE2"));
       }},
      {"malformed shared strings",
       [](Parts& p) {
         sheetfiles::setPart(p, "xl/sharedStrings.xml", "<sst><si><t>open");
         sheetfiles::setPart(p, "xl/_rels/workbook.xml.rels",
                             "<Relationships><Relationship Id=\"rId1\" Type=\"x/worksheet\" "
                             "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"x/sharedStrings\" "
                             "Target=\"sharedStrings.xml\"/></Relationships>");
       }},
  };
  for (const Case& c : cases) {
    Parts parts = goodXlsx();
    c.damage(parts);
    if (std::string(c.what) == "no workbook") {
      parts.erase(std::remove_if(parts.begin(), parts.end(), [](const auto& e) { return e.first == "xl/workbook.xml"; }),
                  parts.end());
    }
    expectFailure(readZip("damaged.xlsx", parts), kNotOpened, c.what);
  }
  expectFailure(readText("garbage.xlsx", "PK\x03\x04 this is no zip file"), kNotOpened, "garbage");
  const std::string good = dir.file("good.xlsx");
  sheetfiles::writeZip(good, goodXlsx());
  const std::string bytes = testsupport::readFile(good);
  expectFailure(readText("truncated.xlsx", bytes.substr(0, bytes.size() / 2)), kNotOpened, "truncated");
}

TEST_F(BadSheetFilesTest, LargestSheetStillReads) {
  Parts parts = goodXlsx();
  sheetfiles::setPart(parts, "xl/worksheets/sheet1.xml",
                      sheetfiles::worksheetXml(xlsxRow(1, "6000", "First"), "A1:XFD1048576"));
  EXPECT_EQ(readZip("largest.xlsx", parts).names, std::vector<std::string>{"First"});
}

TEST_F(BadSheetFilesTest, EntryInflatingBeyondTheLimitIsRefused) {
  // The sheet declares 300 MiB; the reader refuses before inflating.
  const std::string path = dir.file("bomb.xlsx");
  sheetfiles::writeZip(path, goodXlsx());
  sheetfiles::patchDeclaredSize(path, "xl/worksheets/sheet1.xml", 300u * 1024 * 1024);
  expectFailure(read(path), kNotOpened, "declared");

  // A workbook that declares a huge shared string table fails to open.
  Parts parts = goodXlsx();
  sheetfiles::setPart(parts, "xl/sharedStrings.xml", "<sst><si><t>a</t></si></sst>");
  sheetfiles::setPart(parts, "xl/_rels/workbook.xml.rels",
                      "<Relationships><Relationship Id=\"rId1\" Type=\"x/worksheet\" "
                      "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"x/sharedStrings\" "
                      "Target=\"sharedStrings.xml\"/></Relationships>");
  sheetfiles::writeZip(path, parts);
  sheetfiles::patchDeclaredSize(path, "xl/sharedStrings.xml", 0xFFFFFFFFu);
  expectFailure(read(path), kNotOpened, "shared strings");
}

TEST_F(BadSheetFilesTest, UnusableCellsAreIgnored) {
  // Row 1: a shared string index past the table leaves the name empty.
  // Row 2: a number that is no number leaves the size empty.
  // Row 3: a cell below the last sheet row and one right of the last column
  //        are ignored. Row 4: rows out of order are ignored.
  const std::string rows =
      "<row r=\"1\"><c r=\"A1\"><v>6000</v></c><c r=\"B1\" t=\"s\"><v>99</v></c><c r=\"C1\"><v>32</v></c>"
      "<c r=\"D1\"><v>1</v></c><c r=\"E1\"><v>0</v></c><c r=\"F1\"><v>8</v></c><c r=\"H1\" t=\"s\"><v>0</v></c></row>"
      "<row r=\"2\"><c r=\"A2\"><v>6001</v></c><c r=\"B2\" t=\"s\"><v>1</v></c><c r=\"C2\"><v>3x2</v></c>"
      "<c r=\"D2\"><v>1</v></c><c r=\"E2\"><v>0</v></c><c r=\"F2\"><v>8</v></c><c r=\"H2\" t=\"s\"><v>0</v></c></row>"
      "<row r=\"3\"><c r=\"A3\"><v>6002</v></c><c r=\"B3\" t=\"s\"><v>1</v></c><c r=\"C3\"><v>32</v></c>"
      "<c r=\"D3\"><v>1</v></c><c r=\"E3\"><v>0</v></c><c r=\"F3\"><v>8</v></c><c r=\"H3\" t=\"s\"><v>0</v></c>"
      "<c r=\"XFE3\"><v>1</v></c><c r=\"AAAA3\"><v>1</v></c></row>"
      "<row r=\"1048577\"><c r=\"A1048577\"><v>1</v></c></row>"
      "<row r=\"2\"><c r=\"A2\"><v>7000</v></c></row>"
      "<row r=\"4\"><c><v>6003</v></c><c t=\"s\"><v>1</v></c><c><v>16</v></c><c><v>2</v></c><c><v>0</v></c>"
      "<c><v>4</v></c><c/><c t=\"s\"><v>0</v></c></row>";
  Parts parts = sheetfiles::xlsxParts({{"Signals", sheetfiles::worksheetXml(rows)}}, {"<t>x</t>", "<t>Name</t>"});
  const Outcome outcome = readZip("cells.xlsx", parts);
  EXPECT_TRUE(outcome.result);
  EXPECT_EQ(outcome.messages,
            "Object 0x6000sub1: no value specified for value \"signal name (description)\". "
            "Excel data row 1 is incomplete or errorneous\n"
            "Excel data row 2 is incomplete or errorneous\n");
  EXPECT_EQ(outcome.names, (std::vector<std::string>{"Name", "Name"}));
}

TEST_F(BadSheetFilesTest, NulBytesNeverReachACellText) {
  // A NUL character in a cell (raw, escaped as a character reference or as
  // an _x0000_ escape) either makes the part malformed or is left out.
  const std::vector<std::string> names = {std::string("Na\0me", 5), "Na&#0;me", "Na_x0000_me"};
  for (const std::string& name : names) {
    Parts parts = sheetfiles::xlsxParts({{"Signals", sheetfiles::worksheetXml(xlsxRow(1, "6000", name))}});
    const Outcome outcome = readZip("nul.xlsx", parts);
    if (outcome.result) {
      ASSERT_EQ(outcome.names.size(), 1u) << name;
      EXPECT_EQ(outcome.names[0].find('\0'), std::string::npos);
    } else {
      EXPECT_EQ(outcome.messages, kNotOpened);
    }
  }
  expectFailure(readText("nul.csv", std::string("6000,Na\0me,32,1,0,8,,x\n", 24)), kNotOpened, "csv");
}

TEST_F(BadSheetFilesTest, DamagedOdsCannotBeOpened) {
  const std::string table =
      "<table:table table:name=\"Signals\"><table:table-row><table:table-cell><text:p>6000</text:p>"
      "</table:table-cell></table:table-row></table:table>";
  Parts noContent = sheetfiles::odsParts(table);
  noContent.pop_back();
  expectFailure(readZip("nocontent.ods", noContent), kNotOpened, "no content");
  Parts malformed = sheetfiles::odsParts(table);
  malformed.back().second.resize(malformed.back().second.size() - 20);
  expectFailure(readZip("malformed.ods", malformed), kNotOpened, "malformed");
  expectFailure(readText("garbage.ods", "no zip at all"), kNotOpened, "garbage");
  std::string otherTable = table;
  otherTable.replace(otherTable.find("Signals"), 7, "Other");
  expectFailure(readZip("othername.ods", sheetfiles::odsParts(otherTable)), kNoSheet, "sheet name");
}

std::string odsCell(const std::string& text, const std::string& attributes = "") {
  return "<table:table-cell" + attributes + "><text:p>" + text + "</text:p></table:table-cell>";
}

// A used signal row whose name and command flag cells hold the given
// paragraph contents, followed by a cell repeated a billion times.
std::string odsSignalRow(const std::string& name, const std::string& command) {
  return odsCell("6000") + odsCell(name) + odsCell("32") + odsCell("1") + odsCell("0") + odsCell("8") +
         "<table:table-cell/>" + odsCell("x") + odsCell(command) +
         odsCell("filler", " table:number-columns-repeated=\"1000000000\"");
}

TEST_F(BadSheetFilesTest, OdsRepeatsAreRunsNotCopies) {
  // A data row repeated three times, a billion blanks cut to the longest
  // cell text, empty rows repeated past the end of the sheet.
  const std::string table =
      "<table:table table:name=\"Signals\"><table:table-row table:number-rows-repeated=\"3\">" +
      odsSignalRow("Re<text:s text:c=\"1000000000\"/>peat", "") +
      "</table:table-row><table:table-row table:number-rows-repeated=\"4000000000\"/>"
      "<table:table-row>" + odsSignalRow("Never", "") + "</table:table-row></table:table>";
  sheetfiles::writeZip(dir.file("repeats.ods"), sheetfiles::odsParts(table));
  const Outcome outcome = read(dir.file("repeats.ods"));
  EXPECT_TRUE(outcome.result);
  EXPECT_EQ(outcome.messages, "");
  ASSERT_EQ(outcome.names.size(), 3u);
  EXPECT_EQ(outcome.names[0].size(), 32767u);
  EXPECT_EQ(outcome.names[0].substr(0, 4), "Re  ");
}

TEST_F(BadSheetFilesTest, TextThatExpandsWithoutBoundIsRefused) {
  // One small row repeated to the end of the sheet, each with a long cell:
  // the read stops once it has handed out more text than any sheet needs.
  const std::string table =
      "<table:table table:name=\"Signals\"><table:table-row table:number-rows-repeated=\"4000000000\">" +
      odsSignalRow("Row", "<text:s text:c=\"32767\"/>") + "</table:table-row></table:table>";
  sheetfiles::writeZip(dir.file("expanding.ods"), sheetfiles::odsParts(table));
  const Outcome outcome = read(dir.file("expanding.ods"));
  EXPECT_FALSE(outcome.result);
  EXPECT_EQ(outcome.messages, kNotOpened);
  EXPECT_GT(outcome.names.size(), 7000u);
  EXPECT_LT(outcome.names.size(), 9000u);
}

TEST_F(BadSheetFilesTest, DamagedXlsCannotBeOpened) {
  const std::string fixture = testsupport::readFile(testsupport::dataPath("input/Signals.xls"));
  expectFailure(readText("garbage.xls", std::string("not a compound file\0\x01", 21)), kNotOpened, "garbage");
  expectFailure(readText("truncated.xls", fixture.substr(0, 1536)), kNotOpened, "truncated");
  expectFailure(readText("header.xls", fixture.substr(0, 512)), kNotOpened, "header only");

  // Every sheet declares more rows than the format allows.
  std::string crafted = fixture;
  const std::string dimensions("\x00\x02\x0e\x00", 4);
  int patched = 0;
  for (std::size_t at = crafted.find(dimensions); at != std::string::npos; at = crafted.find(dimensions, at + 4)) {
    crafted.replace(at + 8, 4, std::string("\xff\xff\xff\x7f", 4));
    ++patched;
  }
  ASSERT_EQ(patched, 2);
  expectFailure(readText("crafted.xls", crafted), kNotOpened, "dimensions");

  // A broken allocation table: every entry points at itself.
  std::string looping = fixture;
  for (std::size_t at = 512; at < 1024; at += 4) looping.replace(at, 4, std::string("\x01\x00\x00\x00", 4));
  expectFailure(readText("looping.xls", looping), kNotOpened, "loop");
}

TEST_F(BadSheetFilesTest, EmptyAndOddCsvFiles) {
  EXPECT_TRUE(readText("empty.csv", "").result);
  const Outcome outcome = readText("odd.csv", "\xEF\xBB\xBF" "6000;\"Semi;colon \"\"quoted\"\"\";32;1;0;8;;x\r\n"
                                              "6001;\"Two\r\nlines\";32;1;0;8;;x\r\n");
  EXPECT_TRUE(outcome.result);
  EXPECT_EQ(outcome.names, (std::vector<std::string>{"Semi;colon \"quoted\"", "Two\nlines"}));
}

}  // namespace
