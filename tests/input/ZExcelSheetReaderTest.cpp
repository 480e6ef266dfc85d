#include "input/ZExcelSheetReader.h"

#include <gtest/gtest.h>

#include "MemoryCellSource.h"
#include "TestSupport.h"

namespace {

using testsupport::TempDir;

// Keeps every row it is given and rejects rows whose second cell is "bad".
class RecordingReader : public ZExcelSheetReader {
 public:
  using ZExcelSheetReader::ZExcelSheetReader;
  std::vector<std::vector<std::string>> rows;
  std::vector<std::size_t> expectedCounts;
  std::vector<unsigned> badRows;

 protected:
  bool processRow(const std::vector<std::string>& cells, std::size_t expectedCount) override {
    rows.push_back(cells);
    expectedCounts.push_back(expectedCount);
    return cells.size() < 2 || cells[1] != "bad";
  }
  void reportBadRow(unsigned row) override { badRows.push_back(row); }
};

class ExcelSheetReaderTest : public ::testing::Test {
 protected:
  ExcelSheetReaderTest() : reader(memorySourceFactory(script)) { testsupport::writeFile(sheet, "x"); }
  TempDir dir;
  const std::string sheet = dir.file("sheet.xlsx");
  MemoryCellSource::Script script;
  RecordingReader reader;
};

TEST(ColumnLetters, NamesColumnsUpToZZ) {
  const std::vector<std::pair<int, std::string>> cases = {
      {0, "A"}, {1, "B"}, {25, "Z"}, {26, "AA"}, {27, "AB"}, {51, "AZ"}, {52, "BA"}, {701, "ZZ"},
      {702, ""}, {-1, ""},
  };
  for (const auto& [column, letters] : cases) EXPECT_EQ(columnLetters(column), letters) << column;
  EXPECT_EQ(cellAddressText(2, 7), "C7");
  EXPECT_EQ(cellAddressText(52, 1048576), "BA1048576");
}

TEST_F(ExcelSheetReaderTest, ReadsUpToTheFirstRowWithAnEmptyFirstCell) {
  script.cells = {{"B3", "1"}, {"AA3", "a"}, {"B4", "2"}, {"AA4", "bad"}, {"B5", "3"},
                  {"AA6", "orphan"}, {"B7", "after the end"}};
  EXPECT_TRUE(reader.readSheet(sheet, {1, 26}, 2, "Signals"));
  EXPECT_EQ(reader.rows, (std::vector<std::vector<std::string>>{{"1", "a"}, {"2", "bad"}, {"3", ""}}));
  EXPECT_EQ(reader.expectedCounts, (std::vector<std::size_t>{2, 2, 2}));
  EXPECT_EQ(reader.badRows, std::vector<unsigned>{4});
  EXPECT_EQ(reader.errorText(), "");
  EXPECT_EQ(script.log, (std::vector<std::string>{"start", "open " + sheet, "select Signals", "cell B3", "cell AA3",
                                                  "cell B4", "cell AA4", "cell B5", "cell AA5", "cell B6",
                                                  "cell AA6", "finish"}));
}

TEST_F(ExcelSheetReaderTest, EmptyFirstDataRowYieldsNoRowsAndFinishes) {
  script.cells = {{"A1", "title"}, {"A3", "data below the gap"}};
  EXPECT_TRUE(reader.readSheet(sheet, {0}, 1, ""));
  EXPECT_TRUE(reader.rows.empty());
  EXPECT_EQ(script.log, (std::vector<std::string>{"start", "open " + sheet, "select ", "cell A2", "finish"}));
}

TEST_F(ExcelSheetReaderTest, ChecksTheFileAndTheColumnsBeforeStartingTheSource) {
  EXPECT_FALSE(reader.readSheet(dir.file("missing.xlsx"), {0}, 0, "Signals"));
  EXPECT_FALSE(reader.readSheet(sheet, {}, 0, "Signals"));
  EXPECT_EQ(reader.errorText(), "Specified Excel document doesn't exist\nNo columns to read was specified\n");
  EXPECT_TRUE(script.log.empty());
}

TEST_F(ExcelSheetReaderTest, EachFailingOperationAddsItsMessageAndStops) {
  using R = CellSourceResult;
  struct Case {
    const char* name;
    R start, open, select, finish;
    std::string message;
    std::size_t calls;  // operations that ran
  };
  const std::vector<Case> cases = {
      {"start", R::failed, R::ok, R::ok, R::ok, "Excel automation object cannot be initiaized\n", 1},
      {"open", R::ok, R::failed, R::ok, R::ok, "Specified Excel document cannot be opened\n", 2},
      {"open quietly", R::ok, R::failedSilently, R::ok, R::ok, "", 2},
      {"select", R::ok, R::ok, R::failed, R::ok,
       "Excel sheet with specified name or index cannot be activated\n", 3},
      {"select on a damaged document", R::ok, R::ok, R::documentUnreadable, R::ok,
       "Specified Excel document cannot be opened\n", 3},
      {"finish", R::ok, R::ok, R::ok, R::failed, "", 5},
  };
  for (const Case& c : cases) {
    MemoryCellSource::Script s;
    s.start = c.start;
    s.open = c.open;
    s.select = c.select;
    s.finish = c.finish;
    RecordingReader r(memorySourceFactory(s));
    EXPECT_FALSE(r.readSheet(sheet, {0}, 0, "Signals")) << c.name;
    EXPECT_EQ(r.errorText(), c.message) << c.name;
    EXPECT_EQ(s.log.size(), c.calls) << c.name;
  }
}

TEST_F(ExcelSheetReaderTest, NoSourceMeansTheSourceCannotStart) {
  RecordingReader r([](const std::string&) { return std::unique_ptr<CellSource>(); });
  EXPECT_FALSE(r.readSheet(sheet, {0}, 0, "Signals"));
  EXPECT_EQ(r.errorText(), "Excel automation object cannot be initiaized\n");
}

TEST_F(ExcelSheetReaderTest, FailedCellKeepsEarlierRowsAndDropsTheCurrentOne) {
  script.cells = {{"A1", "1"}, {"B1", "a"}, {"A2", "2"}, {"B2", "b"}};
  script.failingCell = "B2";
  EXPECT_FALSE(reader.readSheet(sheet, {0, 1}, 0, "Signals"));
  EXPECT_EQ(reader.rows, (std::vector<std::vector<std::string>>{{"1", "a"}}));
  EXPECT_EQ(reader.errorText(), "Cell value cannot be read\n");
  EXPECT_EQ(script.log.back(), "cell B2");  // not finished after a failure

  MemoryCellSource::Script quiet;
  quiet.cells = script.cells;
  quiet.failingCell = "A1";
  quiet.cellFailure = CellSourceResult::failedSilently;
  RecordingReader r(memorySourceFactory(quiet));
  EXPECT_FALSE(r.readSheet(sheet, {0, 1}, 0, "Signals"));
  EXPECT_EQ(r.errorText(), "");
}

TEST_F(ExcelSheetReaderTest, CellsOutsideTheAddressableSheetCannotBeRead) {
  // Columns beyond ZZ and rows outside 1..1048576 have no address.
  struct Case {
    std::vector<int> columns;
    int skipRows;
  };
  const std::vector<Case> cases = {{{0, 702}, 0}, {{-1}, 0}, {{0}, -1}, {{0}, 1048576}, {{0}, 2147483647}};
  for (const Case& c : cases) {
    MemoryCellSource::Script s;
    RecordingReader r(memorySourceFactory(s));
    EXPECT_FALSE(r.readSheet(sheet, c.columns, c.skipRows, "Signals")) << c.skipRows;
    EXPECT_EQ(r.errorText(), "Cell value cannot be read\n");
  }
  // The last sheet row is still read; data that runs to it has no end.
  script.cells = {{"A1048576", "last"}};
  EXPECT_FALSE(reader.readSheet(sheet, {0}, 1048575, "Signals"));
  EXPECT_EQ(reader.rows.size(), 1u);
  EXPECT_EQ(reader.errorText(), "Cell value cannot be read\n");
}

TEST_F(ExcelSheetReaderTest, MessagesAccumulateOverReads) {
  script.select = CellSourceResult::failed;
  EXPECT_FALSE(reader.readSheet(sheet, {0}, 0, "Signals"));
  EXPECT_FALSE(reader.readSheet(sheet, {0}, 0, "Signals"));
  EXPECT_EQ(reader.errorText(),
            "Excel sheet with specified name or index cannot be activated\n"
            "Excel sheet with specified name or index cannot be activated\n");
}

}  // namespace
