// A generated signal sheet of 100 000 rows read end to end. The time it
// takes is printed, not asserted.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <iostream>

#include "SheetFiles.h"
#include "TestSupport.h"
#include "input/ZIniMapExcelSheetReader.h"

namespace {

TEST(SheetScale, HundredThousandRowXlsxReadsEveryRow) {
  testsupport::TempDir dir;
  const std::string sheet = dir.file("Large.xlsx");
  const std::string ini = dir.file("Large.ini");
  const std::size_t rows = 100000;
  sheetfiles::writeLargeSignalXlsx(sheet, rows);
  testsupport::writeFile(ini,
                         "[XLSImport]\nSkipRows=1\nObjectIndex=0\nSignalName=1\nObjectSize=2\nObjectSubIndex=3\n"
                         "SignalOffset=4\nSignalSize=5\nSignalReserved=6\nSignalIsUsed=7\nCommandOrStatus=8\n"
                         "IsUsedButNotImplemented=9\nIsUsedStatus=10\nIsUsedCommand=11\nObjectName=12\n"
                         "SignalNameShort=13\nIsUsedPDO=14\n");

  ZIniMapExcelSheetReader reader(2);
  const auto start = std::chrono::steady_clock::now();
  const std::clock_t processorStart = std::clock();
  ASSERT_TRUE(reader.read(sheet, ini, "Signals"));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double processorSeconds = static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC;
  std::cout << "[ time     ] read " << rows << " rows x 15 columns in " << seconds << " s (processor time "
            << processorSeconds << " s)\n";

  EXPECT_EQ(reader.errorText(), "");
  ASSERT_EQ(reader.signalTable().count(), rows);
  const ZListEntry& last = reader.signalTable().at(rows - 1);
  EXPECT_EQ(last.signalName, "Signal 99999");
  EXPECT_EQ(last.signalNameShort, "Signal 99999");
  EXPECT_EQ(last.objectIndex, 0x9999u);  // 6000 + 99999 % 4000, read as hexadecimal
  EXPECT_EQ(last.objectSubIndex, 0x200u);
  EXPECT_EQ(last.signalOffset, 24);
  EXPECT_EQ(last.commandOrStatus, 0);
  EXPECT_EQ(reader.signalTable().at(rows - 2).commandOrStatus, 1);
  EXPECT_EQ(last.isUsedPDO + last.isUsedStatus + last.isUsedButNotImplemented, 3);
}

}  // namespace
