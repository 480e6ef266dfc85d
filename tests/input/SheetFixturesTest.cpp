// Reads the committed fixtures (one sheet saved by a spreadsheet
// application as .xlsx, .xls, .ods and .csv) end to end and checks that
// every format yields the same records and messages.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "input/ZIniMapExcelSheetReader.h"
#include "input/sources/CellSourceFactory.h"
#include "util/StringFormat.h"

namespace {

using testsupport::dataPath;

const char* const kFormats[] = {"xlsx", "xls", "ods", "csv"};

std::string sheetPath(const char* format) { return dataPath(std::string("input/Signals.") + format); }

// Every field of a record, for readable comparisons.
std::string describe(const ZListEntry& r) {
  return strFormat("%s|%s|%s|nni%d|cmd%d|0x%x|%d|0x%x|%d|%d|res%d|st%d|pdo%d|cos%d", r.signalName.c_str(),
                   r.objectName.c_str(), r.signalNameShort.c_str(), r.isUsedButNotImplemented, r.isUsedCommand,
                   r.objectIndex, r.objectSize, r.objectSubIndex, r.signalOffset, r.signalSize, r.signalReserved,
                   r.isUsedStatus, r.isUsedPDO, r.commandOrStatus);
}

std::vector<std::string> describeTable(const SignalTable& table) {
  std::vector<std::string> lines;
  for (const ZListEntry& record : table) lines.push_back(describe(record));
  return lines;
}

TEST(SheetFixtures, AllFormatsYieldTheSameRecordsWithColumnSetTwo) {
  // Row 6 shows its object size 1024 as "1,024"; row 7 computes size and
  // offset by formulas; row 8 shows 16.4 as "16", 1234567.891 as
  // "1,234,567.89" and 2.5 as "2.50"; row 9 holds #N/A, FALSE and TRUE.
  const std::vector<std::string> expected = {
      "Taxi State|Taxameter Größe|TaxiSt|nni1|cmd0|0x6000|32|0x1|0|8|res0|st1|pdo1|cos0",
      "Taxi Tariff| Taximeter |Tariff|nni0|cmd1|0x6000|32|0x1|8|8|res0|st0|pdo0|cos1",
      "Reserved Bits|Taximeter|Res|nni0|cmd0|0x6001|32|0x1|16|16|res1|st0|pdo0|cos0",
      "Trip Count|Trip|Trips|nni0|cmd0|0x6020|32|0x1|8|16|res0|st1|pdo1|cos1",
      "Fare|1,234,567.89|2.50|nni0|cmd1|0x6021|16|0x1|0|8|res0|st0|pdo0|cos0",
      "Flag Texts|#N/A|FALSE|nni0|cmd0|0x6023|8|0x1|0|1|res0|st1|pdo0|cos0",
      "Hex Sub|0.25|12345.00|nni0|cmd0|0x6080|64|0xa|0|8|res0|st1|pdo0|cos0",
  };
  const std::string messages =
      "Excel data row 6 is incomplete or errorneous\n"
      "Object 0x6040sub3: no value specified for value \"signal name (description)\". "
      "Excel data row 11 is incomplete or errorneous\n"
      "Excel data row 12 is incomplete or errorneous\n"
      "Object 0x6060sub1: no value specified for value \"signal name (short name)\". "
      "Excel data row 13 is incomplete or errorneous\n";
  for (const char* format : kFormats) {
    ZIniMapExcelSheetReader reader(2);
    EXPECT_TRUE(reader.read(sheetPath(format), dataPath("input/Signals.ini"), "Signals")) << format;
    EXPECT_EQ(describeTable(reader.signalTable()), expected) << format;
    EXPECT_EQ(reader.errorText(), messages) << format;
  }
}

TEST(SheetFixtures, AllFormatsYieldTheSameRecordsWithColumnSetOne) {
  const std::vector<std::string> expected = {
      "Taxi State|||nni0|cmd0|0x6000|32|0x1|0|8|res0|st0|pdo0|cos0",
      "Taxi Tariff|||nni0|cmd0|0x6000|32|0x1|8|8|res0|st0|pdo0|cos1",
      "Reserved Bits|||nni0|cmd0|0x6001|32|0x1|16|16|res1|st0|pdo0|cos0",
      "Trip Count|||nni0|cmd0|0x6020|32|0x1|8|16|res0|st0|pdo0|cos1",
      "Fare|||nni0|cmd0|0x6021|16|0x1|0|8|res0|st0|pdo0|cos0",
      "Flag Texts|||nni0|cmd0|0x6023|8|0x1|0|1|res0|st0|pdo0|cos0",
      "Short Missing|||nni0|cmd0|0x6060|16|0x1|0|4|res0|st0|pdo0|cos0",
      "Hex Sub|||nni0|cmd0|0x6080|64|0xa|0|8|res0|st0|pdo0|cos0",
  };
  for (const char* format : kFormats) {
    ZIniMapExcelSheetReader reader(1);
    EXPECT_TRUE(reader.read(sheetPath(format), dataPath("input/Signals.ini"), "Signals")) << format;
    EXPECT_EQ(describeTable(reader.signalTable()), expected) << format;
    EXPECT_EQ(reader.errorText(),
              "Excel data row 6 is incomplete or errorneous\n"
              "Object 0x6040sub3: no value specified for value \"signal name (description)\". "
              "Excel data row 11 is incomplete or errorneous\n"
              "Excel data row 12 is incomplete or errorneous\n")
        << format;
  }
}

TEST(SheetFixtures, SheetsAreSelectedByNameOrAsTheFirstSheet) {
  for (const char* format : kFormats) {
    std::unique_ptr<CellSource> source = createCellSource(sheetPath(format));
    ASSERT_EQ(source->start(), CellSourceResult::ok) << format;
    ASSERT_EQ(source->openDocument(sheetPath(format)), CellSourceResult::ok) << format;
    std::string text;
    const CellAddress a1{0, 1, "A1"};
    const bool csv = std::string(format) == "csv";  // one sheet, any name selects it
    EXPECT_EQ(source->selectSheet(""), CellSourceResult::ok) << format;
    EXPECT_EQ(source->cellText(a1, text), CellSourceResult::ok);
    EXPECT_EQ(text, csv ? "Signal list of the test device" : "Not the signal sheet") << format;
    EXPECT_EQ(source->selectSheet("signals"), CellSourceResult::ok) << format;
    EXPECT_EQ(source->cellText(a1, text), CellSourceResult::ok);
    EXPECT_EQ(text, "Signal list of the test device") << format;
    EXPECT_EQ(source->selectSheet("Missing"), csv ? CellSourceResult::ok : CellSourceResult::failed) << format;
    EXPECT_EQ(source->finish(), CellSourceResult::ok);
  }
}

TEST(SheetFixtures, MissingSheetIsReported) {
  for (const char* format : {"xlsx", "xls", "ods"}) {
    ZIniMapExcelSheetReader reader(1);
    EXPECT_FALSE(reader.read(sheetPath(format), dataPath("input/Signals.ini"), "Signal")) << format;
    EXPECT_EQ(reader.errorText(), "Excel sheet with specified name or index cannot be activated\n") << format;
  }
}

TEST(SheetFixtures, SourceIsChosenByContentBeforeExtension) {
  testsupport::TempDir dir;
  const std::vector<std::pair<std::string, SheetFileKind>> copies = {
      {"xlsx", SheetFileKind::xlsx}, {"xls", SheetFileKind::xls}, {"ods", SheetFileKind::ods},
      {"csv", SheetFileKind::csv}};
  for (const auto& [format, kind] : copies) {
    const std::string misnamed = dir.file("sheet-" + format + ".dat");
    testsupport::writeFile(misnamed, testsupport::readFile(sheetPath(format.c_str())));
    EXPECT_EQ(sheetFileKind(misnamed), kind) << format;
    ZIniMapExcelSheetReader reader(1);
    EXPECT_TRUE(reader.read(misnamed, dataPath("input/Signals.ini"), "Signals")) << format;
    EXPECT_EQ(reader.signalTable().count(), 8u) << format;
  }
  // Without a known signature the extension decides.
  testsupport::writeFile(dir.file("broken.xlsx"), "not a zip");
  testsupport::writeFile(dir.file("text.xls"), "6000\tTaxi State\t32\t1\t0\t8\t\tx\n");
  testsupport::writeFile(dir.file("broken.ods"), "not a zip");
  EXPECT_EQ(sheetFileKind(dir.file("broken.xlsx")), SheetFileKind::xlsx);
  EXPECT_EQ(sheetFileKind(dir.file("text.xls")), SheetFileKind::csv);
  EXPECT_EQ(sheetFileKind(dir.file("broken.ods")), SheetFileKind::ods);
  EXPECT_EQ(sheetFileKind(dir.file("sheet.txt")), SheetFileKind::csv);
  // A tab-separated export named .xls reads as the application opens it.
  testsupport::writeFile(dir.file("text.ini"), "[XLSImport]\nObjectIndex=0\nSignalName=1\nObjectSize=2\nObjectSubIndex=3\nSignalOffset=4\nSignalSize=5\n"
                         "SignalReserved=6\nSignalIsUsed=7\nCommandOrStatus=8\n");
  ZIniMapExcelSheetReader reader(1);
  ASSERT_TRUE(reader.read(dir.file("text.xls"), dir.file("text.ini"), "Signals"));
  ASSERT_EQ(reader.signalTable().count(), 1u);
  EXPECT_EQ(reader.signalTable().at(0).signalName, "Taxi State");
  EXPECT_EQ(reader.signalTable().at(0).objectIndex, 0x6000u);
}

}  // namespace
