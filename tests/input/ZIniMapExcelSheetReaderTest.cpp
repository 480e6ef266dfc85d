#include "input/ZIniMapExcelSheetReader.h"

#include <gtest/gtest.h>

#include "MemoryCellSource.h"
#include "TestSupport.h"

namespace {

using testsupport::TempDir;
using testsupport::writeFile;

// Column map that puts cell index i in column i (A..O) below two title rows.
const char kIdentityMap[] =
    "[XLSImport]\n"
    "SkipRows=2\n"
    "ObjectIndex=0\nSignalName=1\nObjectSize=2\nObjectSubIndex=3\nSignalOffset=4\nSignalSize=5\n"
    "SignalReserved=6\nSignalIsUsed=7\nCommandOrStatus=8\nIsUsedButNotImplemented=9\nIsUsedStatus=10\n"
    "IsUsedCommand=11\nObjectName=12\nSignalNameShort=13\nIsUsedPDO=14\n";

// Sheet rows from row 3 on, cells in cell-index order.
std::map<std::string, std::string> sheetCells(const std::vector<std::vector<std::string>>& rows) {
  std::map<std::string, std::string> cells;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      cells[cellAddressText(static_cast<int>(c), static_cast<int>(r) + 3)] = rows[r][c];
    }
  }
  return cells;
}

class IniMapReaderTest : public ::testing::Test {
 protected:
  IniMapReaderTest() {
    writeFile(sheet, "x");
    writeFile(ini, kIdentityMap);
  }
  TempDir dir;
  const std::string sheet = dir.file("Signals.xlsx");
  const std::string ini = dir.file("Signals.ini");
  MemoryCellSource::Script script;
};

TEST(CellConversions, NumbersNeedOneValueWithOnlyBlanksAround) {
  struct Case {
    std::string text;
    bool hexOk;
    uint32_t hex;
    bool decimalOk;
    int32_t decimal;
  };
  const std::vector<Case> cases = {
      {"6000", true, 0x6000, true, 6000},
      {"0x6000", true, 0x6000, false, 0},
      {"0X6000", true, 0x6000, false, 0},
      {"6000 ", true, 0x6000, true, 6000},
      {" \t6000\t ", true, 0x6000, true, 6000},
      {"abc", true, 0xabc, false, 0},
      {"-1", true, 0xFFFFFFFF, true, -1},
      {"+12", true, 0x12, true, 12},
      {"6000h", false, 0, false, 0},
      {"12 bits", false, 0, false, 0},
      {"1,024", false, 0, false, 0},
      {"12.5", false, 0, false, 0},
      {"0x", false, 0, false, 0},
      {"", false, 0, false, 0},
      {"   ", false, 0, false, 0},
      {"-", false, 0, false, 0},
      {"x", false, 0, false, 0},
      {"2147483648", true, 0xFFFFFFFF, true, 2147483647},
      {"-2147483649", true, 0xFFFFFFFF, true, INT32_MIN},
      {"1ffffffff", true, 0xFFFFFFFF, false, 0},
  };
  for (const Case& c : cases) {
    uint32_t hex = 0;
    int32_t decimal = 0;
    EXPECT_EQ(readHexCell(c.text, hex), c.hexOk) << "[" << c.text << "]";
    if (c.hexOk) {
      EXPECT_EQ(hex, c.hex) << c.text;
    }
    EXPECT_EQ(readDecimalCell(c.text, decimal), c.decimalOk) << "[" << c.text << "]";
    if (c.decimalOk) {
      EXPECT_EQ(decimal, c.decimal) << c.text;
    }
  }
}

TEST(CellConversions, FlagIsExactlyAnX) {
  const std::vector<std::pair<std::string, int32_t>> cases = {
      {"x", 1}, {"X", 1}, {"x ", 0}, {" x", 0}, {"yes", 0}, {"", 0}, {"xx", 0}, {"-", 0},
  };
  for (const auto& [text, flag] : cases) EXPECT_EQ(readFlagCell(text), flag) << "[" << text << "]";
}

TEST_F(IniMapReaderTest, MissingColumnMapFailsAndKeepsTheTable) {
  script.cells = sheetCells({{"6000", "Taxi State", "32", "1", "0", "8", "", "x", ""}});
  ZIniMapExcelSheetReader reader(1, memorySourceFactory(script));
  ASSERT_TRUE(reader.read(sheet, ini, "Signals"));
  ASSERT_EQ(reader.signalTable().count(), 1u);
  EXPECT_FALSE(reader.read(sheet, dir.file("none.ini"), "Signals"));
  EXPECT_EQ(reader.errorText(), "ini file \"" + dir.file("none.ini") + "\" does not exist");
  EXPECT_EQ(reader.signalTable().count(), 1u);
}

TEST_F(IniMapReaderTest, MapWithoutTheSectionReadsEverythingFromColumnA) {
  writeFile(ini, "[Other]\nSkipRows=4\nSignalName=3\n");
  ZIniMapExcelSheetReader reader(1, memorySourceFactory(script));
  EXPECT_TRUE(reader.read(sheet, ini, "Signals"));
  EXPECT_EQ(script.log, (std::vector<std::string>{"start", "open " + sheet, "select Signals", "cell A1", "cell A1",
                                                  "cell A1", "cell A1", "cell A1", "cell A1", "cell A1", "cell A1",
                                                  "cell A1", "finish"}));
}

TEST_F(IniMapReaderTest, ColumnsBeyondZAreAddressedWithTwoLetters) {
  writeFile(ini, "[XLSImport]\nSkipRows=1\nObjectIndex=26\nSignalName=52\nSignalIsUsed=701\n");
  script.cells = {{"AA2", "6000"}, {"BA2", "Name"}, {"ZZ2", "x"}, {"A2", "8"}};
  ZIniMapExcelSheetReader reader(1, memorySourceFactory(script));
  EXPECT_TRUE(reader.read(sheet, ini, "Signals"));
  ASSERT_EQ(reader.signalTable().count(), 1u);
  EXPECT_EQ(reader.signalTable().at(0).signalName, "Name");
  EXPECT_EQ(reader.signalTable().at(0).objectSize, 8);
  EXPECT_EQ(script.log[3], "cell AA2");
  EXPECT_EQ(script.log[4], "cell BA2");
  EXPECT_EQ(script.log[10], "cell ZZ2");
}

// The same sheet read with both column sets. Rows start at sheet row 3.
const std::vector<std::vector<std::string>> kEdgeRows = {
    // index, name, size, sub, offset, len, reserved, used, command, notImpl, status, usedCmd, object, short, pdo
    {"6000", "Taxi State", "32", "1", "0", "8", "", "x", "", "x", "", "X", "Taximeter", "TS", "x"},  // 3
    {"6001", "", "zz", "?", "", "", "", "-", "", "", "", "", "", "", ""},                             // 4 dash
    {"6002", "", "", "", "", "", "", "no", "", "", "", "", "", "", ""},                               // 5 no
    {"6003", "", "", "", "", "", "", "", "", "", "", "", "", "", ""},                                 // 6 empty
    {"6000", "", "32", "1", "0", "8", "", "x", "", "", "", "", "", "S", ""},                          // 7 no name
    {"0X6004 ", "Upper", "16", "0x2", "8", "4", "x", "X", "x", "", "", "", "", "U", ""},              // 8
    {"6005", "No Size", "32", "1", "0", "", "", "x", "", "", "", "", "", "N", ""},                    // 9
    {"6006", "No Short", "32", "1", "0", "8", "", "x", "", "", "", "", "Obj", "", ""},                // 10
    {"6007", "Flags", "32", "1", "0", "8", "x ", "x", "X", "yes", "x", "", "", "F", "X"},             // 11
    {"6008", "Unit", "32", "1", "0", "12 bits", "", "x", "", "", "", "", "", "U", ""},                // 12
    {"6000h", "Suffix", "32", "1", "0", "8", "", "x", "", "", "", "", "", "S", ""},                   // 13
    {"6009", "Hex size", "0x10", "1", "0", "8", "", "x", "", "", "", "", "", "H", ""},                // 14
    {"", "After", "32", "1", "0", "8", "", "x", "", "", "", "", "", "A", ""},                         // 15 end
    {"600A", "Never", "32", "1", "0", "8", "", "x", "", "", "", "", "", "N", ""},                     // 16
};

TEST_F(IniMapReaderTest, ColumnSetOneAcceptsRowsWithoutShortNames) {
  script.cells = sheetCells(kEdgeRows);
  ZIniMapExcelSheetReader reader(1, memorySourceFactory(script));
  EXPECT_TRUE(reader.read(sheet, ini, "Signals"));
  EXPECT_EQ(reader.errorText(),
            "Object 0x6000sub1: no value specified for value \"signal name (description)\". "
            "Excel data row 7 is incomplete or errorneous\n"
            "Excel data row 9 is incomplete or errorneous\n"
            "Excel data row 12 is incomplete or errorneous\n"
            "Excel data row 13 is incomplete or errorneous\n"
            "Excel data row 14 is incomplete or errorneous\n");
  const SignalTable& table = reader.signalTable();
  ASSERT_EQ(table.count(), 4u);
  std::vector<std::string> names;
  for (const ZListEntry& r : table) names.push_back(r.signalName);
  EXPECT_EQ(names, (std::vector<std::string>{"Taxi State", "Upper", "No Short", "Flags"}));
  const ZListEntry& upper = table.at(1);
  EXPECT_EQ(upper.objectIndex, 0x6004u);
  EXPECT_EQ(upper.objectSubIndex, 2u);
  EXPECT_EQ(upper.objectSize, 16);
  EXPECT_EQ(upper.signalOffset, 8);
  EXPECT_EQ(upper.signalSize, 4);
  EXPECT_EQ(upper.signalReserved, 1);
  EXPECT_EQ(upper.commandOrStatus, 1);
  // Column set 1 leaves the fields of column set 2 empty.
  const ZListEntry& first = table.at(0);
  EXPECT_EQ(first.objectName + first.signalNameShort, "");
  EXPECT_EQ(first.isUsedButNotImplemented + first.isUsedStatus + first.isUsedCommand + first.isUsedPDO, 0);
  const ZListEntry& flags = table.at(3);
  EXPECT_EQ(flags.signalReserved, 0);  // "x " is not a flag
  EXPECT_EQ(flags.commandOrStatus, 1);
}

TEST_F(IniMapReaderTest, ColumnSetTwoNeedsShortNamesAndReadsAllFlags) {
  script.cells = sheetCells(kEdgeRows);
  ZIniMapExcelSheetReader reader(2, memorySourceFactory(script));
  EXPECT_TRUE(reader.read(sheet, ini, "Signals"));
  EXPECT_EQ(reader.errorText(),
            "Object 0x6000sub1: no value specified for value \"signal name (description)\". "
            "Excel data row 7 is incomplete or errorneous\n"
            "Excel data row 9 is incomplete or errorneous\n"
            "Object 0x6006sub1: no value specified for value \"signal name (short name)\". "
            "Excel data row 10 is incomplete or errorneous\n"
            "Excel data row 12 is incomplete or errorneous\n"
            "Excel data row 13 is incomplete or errorneous\n"
            "Excel data row 14 is incomplete or errorneous\n");
  const SignalTable& table = reader.signalTable();
  ASSERT_EQ(table.count(), 3u);
  const ZListEntry& taxi = table.at(0);
  EXPECT_EQ(taxi.objectName, "Taximeter");
  EXPECT_EQ(taxi.signalNameShort, "TS");
  EXPECT_EQ(taxi.isUsedButNotImplemented, 1);
  EXPECT_EQ(taxi.isUsedStatus, 0);
  EXPECT_EQ(taxi.isUsedCommand, 1);
  EXPECT_EQ(taxi.isUsedPDO, 1);
  const ZListEntry& flags = table.at(2);
  EXPECT_EQ(flags.signalName, "Flags");
  EXPECT_EQ(flags.isUsedButNotImplemented, 0);  // "yes"
  EXPECT_EQ(flags.isUsedStatus, 1);
  EXPECT_EQ(flags.isUsedPDO, 1);
}

TEST_F(IniMapReaderTest, EveryReadStartsWithEmptyMessagesAndAnEmptyTable) {
  script.cells = sheetCells(kEdgeRows);
  ZIniMapExcelSheetReader reader(1, memorySourceFactory(script));
  EXPECT_TRUE(reader.read(sheet, ini, "Signals"));
  EXPECT_TRUE(reader.read(sheet, ini, "Signals"));
  EXPECT_EQ(reader.signalTable().count(), 4u);
  EXPECT_EQ(reader.errorText().find("row 14"), reader.errorText().rfind("row 14"));

  // A failing sheet keeps the records read before the failure.
  script.failingCell = "A8";
  EXPECT_FALSE(reader.read(sheet, ini, "Signals"));
  EXPECT_EQ(reader.signalTable().count(), 1u);
  EXPECT_EQ(reader.errorText(),
            "Object 0x6000sub1: no value specified for value \"signal name (description)\". "
            "Excel data row 7 is incomplete or errorneous\n"
            "Cell value cannot be read\n");
}

}  // namespace
