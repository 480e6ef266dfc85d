// Inputs the fuzz targets found faults with (tests/data/fuzz/<source>/),
// replayed through the same reading; the sanitizer build of the suite
// catches a fault that comes back.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "database/DatabaseText.h"
#include "database/EnvVarDatabaseWriter.h"
#include "database/VariableAttributes.h"
#include "input/SheetFiles.h"
#include "input/ZIniMapExcelSheetReader.h"
#include "input/sources/CellGrid.h"
#include "input/sources/CsvCellSource.h"
#include "input/sources/OdsCellSource.h"
#include "input/sources/XlsCellSource.h"
#include "input/sources/XlsxCellSource.h"

namespace {

using testsupport::dataPath;

std::unique_ptr<CellSource> sourceFor(const std::string& kind) {
  if (kind == "xlsx") return std::make_unique<XlsxCellSource>();
  if (kind == "ods") return std::make_unique<OdsCellSource>();
  if (kind == "xls") return std::make_unique<XlsCellSource>();
  return std::make_unique<CsvCellSource>();
}

std::vector<std::filesystem::path> foundInputs(const std::string& kind) {
  std::vector<std::filesystem::path> inputs;
  const std::filesystem::path directory = dataPath("fuzz/" + kind);
  if (!std::filesystem::exists(directory)) return inputs;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) inputs.push_back(entry.path());
  return inputs;
}

TEST(FuzzFindings, EveryFoundSheetReadsWithoutFault) {
  int replayed = 0;
  for (const std::string kind : {"xlsx", "ods", "xls", "csv"}) {
    for (const auto& input : foundInputs(kind)) {
      for (int columnSet = 1; columnSet <= 2; ++columnSet) {
        ZIniMapExcelSheetReader reader(columnSet, [&kind](const std::string&) { return sourceFor(kind); });
        reader.read(input.string(), dataPath("input/Signals.ini"), "Signals");
        for (const ZListEntry& record : reader.signalTable()) {
          EXPECT_FALSE(record.signalName.empty()) << input;
        }
      }
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 0);
}

// Found by checking that the fast row scanner of .xlsx sheets reads a sheet
// as the general XML reader does: an end tag broken off ("</c<v>") was
// taken as a probe that failed, and the scanner read on behind it.
TEST(FuzzFindings, FoundXlsxSheetsReadTheSameWithTheRowScanner) {
  int replayed = 0;
  for (const auto& input : foundInputs("xlsx")) {
    std::string texts[2];
    for (int scanner = 0; scanner <= 1; ++scanner) {
      setXlsxRowScannerEnabled(scanner == 1);
      texts[scanner] = sheetfiles::xlsxCellTexts(input.string(), std::string(), 40, 20);
    }
    EXPECT_NE(texts[0], "not opened") << input;
    setXlsxRowScannerEnabled(true);
    EXPECT_EQ(texts[1], texts[0]) << input;
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}

// The first finding: an empty .csv file asked the empty cell index for a
// row, which stepped an iterator past the end of an empty vector.
TEST(FuzzFindings, EmptyCommaSeparatedSheetHasNoRows) {
  ZIniMapExcelSheetReader reader(1);
  EXPECT_TRUE(reader.read(dataPath("fuzz/csv/empty-sheet.csv"), dataPath("input/Signals.ini"), "Signals"));
  EXPECT_EQ(reader.signalTable().count(), 0u);
  EXPECT_EQ(reader.errorText(), "");
}

// Every found database that opens takes a new variable and reads back with
// all of its old variables and the new one.
TEST(FuzzFindings, EveryFoundDatabaseStaysReadableAfterSaving) {
  int replayed = 0;
  for (const auto& input : foundInputs("dbc")) {
    testsupport::TempDir dir;
    const std::string path = dir.file("node.dbc");
    const std::string old = testsupport::readFile(input.string());
    testsupport::writeFile(path, old);
    DatabaseText before;
    std::string error;
    const bool readable = before.read(old, error);
    EnvVarDatabaseWriter writer("FuzzNode");
    const bool opened = writer.openOrCreateDatabase(path) == EnvVarDatabaseWriter::OpenResult::Opened;
    EXPECT_EQ(opened, readable) << input;
    if (!opened) continue;
    ASSERT_TRUE(writer.addVariable("gs_new", kVariableCodeReadWrite, kTypeCodeNumeric, 0, 1, 0)) << input;
    ASSERT_TRUE(writer.saveAndClose()) << input;
    DatabaseText after;
    ASSERT_TRUE(after.read(testsupport::readFile(path), error)) << input << ": " << error;
    EXPECT_EQ(after.variables().size(), before.variables().size() + 1) << input;
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}

// A database whose last line ends in a bare carriage return got the line
// end of the new statements after it, so that its last statement ended in
// "\r" and the saved file no longer read.
TEST(FuzzFindings, LastLineEndingInACarriageReturnIsCompleted) {
  testsupport::TempDir dir;
  const std::string path = dir.file("node.dbc");
  testsupport::writeFile(path, "BU_: Tester\r\nEV_ a: 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR3 Tester;\r");
  EnvVarDatabaseWriter writer("Tester");
  ASSERT_EQ(writer.openOrCreateDatabase(path), EnvVarDatabaseWriter::OpenResult::Opened);
  ASSERT_TRUE(writer.addVariable("b", kVariableCodeReadWrite, kTypeCodeNumeric, 0, 1, 0));
  ASSERT_TRUE(writer.saveAndClose());
  EXPECT_EQ(testsupport::readFile(path),
            "BU_: Tester\r\nEV_ a: 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR3 Tester;\r\n"
            "EV_ b: 0 [0|1] \"\" 0 2 DUMMY_NODE_VECTOR3 Tester;\r\n");
}

// A damaged workbook that the .xls library once used here read outside
// its buffers (the program died by a signal): a record of its sheet runs
// past the end of the workbook stream, so it is refused as a document
// that cannot be opened.
TEST(FuzzFindings, WorkbookWithASheetCutShortIsRefused) {
  ZIniMapExcelSheetReader reader(2);
  EXPECT_FALSE(reader.read(dataPath("fuzz/xls/library-reads-past-buffer.xls"), dataPath("input/Signals.ini"),
                           "Signals"));
  EXPECT_EQ(reader.errorText(), "Specified Excel document cannot be opened\n");
}

TEST(FuzzFindings, CellIndexAnswersRowsOutsideItsRuns) {
  CellGrid<int> empty;
  EXPECT_EQ(empty.find(0, 0), nullptr);
  EXPECT_EQ(empty.find(5, 3), nullptr);

  CellGrid<int> grid;
  ASSERT_TRUE(grid.beginRow(2));
  ASSERT_TRUE(grid.addCell(1, 1, 42));
  // Asked in the order readers ask: the row before, the row, the rows after
  // the last run (where the remembered run is the last one).
  EXPECT_EQ(grid.find(1, 1), nullptr);
  ASSERT_NE(grid.find(2, 1), nullptr);
  EXPECT_EQ(*grid.find(2, 1), 42);
  EXPECT_EQ(grid.find(3, 1), nullptr);
  EXPECT_EQ(grid.find(4, 1), nullptr);
  EXPECT_EQ(*grid.find(2, 1), 42);
}

}  // namespace
