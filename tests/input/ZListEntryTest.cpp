#include "input/ZListEntry.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

using testsupport::Signal;

TEST(ZListEntry, DefaultsAreEmptyAndZero) {
  const ZListEntry r;
  EXPECT_TRUE(r.signalName.empty() && r.objectName.empty() && r.signalNameShort.empty());
  EXPECT_EQ(r.isUsedButNotImplemented + r.isUsedCommand + r.isUsedStatus + r.isUsedPDO + r.signalReserved +
                r.commandOrStatus + r.objectSize + r.signalOffset + r.signalSize,
            0);
  EXPECT_EQ(r.objectIndex + r.objectSubIndex, 0u);
}

TEST(ZListEntry, LiesInOneByte) {
  const std::vector<std::tuple<int32_t, int32_t, bool>> cases = {
      {8, 8, true}, {7, 2, false}, {0, 1, true}, {0, 8, true}, {4, 8, false}, {12, 4, true},
      {0, 9, false}, {63, 1, true}, {2147483647, 2, false},
  };
  for (const auto& [offset, size, expected] : cases) {
    EXPECT_EQ(liesInOneByte(Signal().object(0x6000, 1, 32).bits(offset, size)), expected) << offset << "/" << size;
  }
}

TEST(ZListEntry, WideObjectAndHeaderSignal) {
  EXPECT_FALSE(isWideObject(Signal().object(1, 1, 32).bits(0, 1)));
  EXPECT_TRUE(isWideObject(Signal().object(1, 1, 33).bits(0, 1)));

  struct Case {
    int32_t objectSize, reserved, command, notImplemented, pdo, status;
    bool header;
  };
  const std::vector<Case> cases = {
      {64, 0, 1, 0, 0, 0, true},  {65, 0, 1, 0, 0, 0, false}, {32, 0, 0, 1, 0, 0, true},
      {32, 0, 0, 0, 1, 0, true},  {32, 0, 0, 0, 0, 1, true},  {32, 0, 0, 0, 0, 0, false},
      {32, 1, 1, 1, 1, 1, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(isHeaderSignal(Signal()
                                 .object(1, 1, c.objectSize)
                                 .bits(0, 8)
                                 .reserved(c.reserved)
                                 .usedCommand(c.command)
                                 .usedButNotImplemented(c.notImplemented)
                                 .usedPdo(c.pdo)
                                 .usedStatus(c.status)),
              c.header);
  }
}

TEST(ZListEntry, ObjectKeyAndListLine) {
  const ZListEntry r = Signal("Taxi state").object(0x6000, 1, 32).bits(0, 8);
  EXPECT_EQ(objectKey(r), "0x6000_0x1");
  EXPECT_EQ(listLine(r), "0x6000   0x1      0       8      Taxi state");
  const ZListEntry wide = Signal("x").object(0x60AB, 0x1A, 32).bits(12, 16);
  EXPECT_EQ(objectKey(wide), "0x60ab_0x1a");
  EXPECT_EQ(listLine(wide), "0x60ab   0x1a     12      16      x");
}

TEST(SignalTable, KeepsOrderAndDuplicates) {
  SignalTable table;
  EXPECT_EQ(table.add(Signal().object(0x6000, 1, 32).bits(0, 8)), 0u);
  EXPECT_EQ(table.add(Signal().object(0x6000, 1, 32).bits(8, 8)), 1u);
  ASSERT_EQ(table.count(), 2u);
  EXPECT_EQ(objectKey(table.at(0)), objectKey(table.at(1)));
  EXPECT_EQ(table.at(1).signalOffset, 8);
  table.clear();
  EXPECT_EQ(table.count(), 0u);
}

}  // namespace
