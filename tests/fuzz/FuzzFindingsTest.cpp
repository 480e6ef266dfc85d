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
#include "input/ZIniMapExcelSheetReader.h"
#include "input/sources/ZCellGrid.h"
#include "input/sources/ZCsvCellSource.h"
#include "input/sources/ZOdsCellSource.h"
#include "input/sources/ZXlsCellSource.h"
#include "input/sources/ZXlsxCellSource.h"

namespace {

using testsupport::dataPath;

std::unique_ptr<ZCellSource> sourceFor(const std::string& kind) {
  if (kind == "xlsx") return std::make_unique<ZXlsxCellSource>();
  if (kind == "ods") return std::make_unique<ZOdsCellSource>();
  if (kind == "xls") return std::make_unique<ZXlsCellSource>();
  return std::make_unique<ZCsvCellSource>();
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

// The first finding: an empty .csv file asked the empty cell index for a
// row, which stepped an iterator past the end of an empty vector.
TEST(FuzzFindings, EmptyCommaSeparatedSheetHasNoRows) {
  ZIniMapExcelSheetReader reader(1);
  EXPECT_TRUE(reader.read(dataPath("fuzz/csv/empty-sheet.csv"), dataPath("input/Signals.ini"), "Signals"));
  EXPECT_EQ(reader.signalTable().count(), 0u);
  EXPECT_EQ(reader.errorText(), "");
}

TEST(FuzzFindings, CellIndexAnswersRowsOutsideItsRuns) {
  ZCellGrid<int> empty;
  EXPECT_EQ(empty.find(0, 0), nullptr);
  EXPECT_EQ(empty.find(5, 3), nullptr);

  ZCellGrid<int> grid;
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
