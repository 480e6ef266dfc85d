#include "input/ZListEntry.h"

#include <gtest/gtest.h>

namespace {

ZListEntry record(uint32_t index, uint32_t sub, int32_t offset, int32_t size, int32_t objectSize = 32) {
  ZListEntry r;
  r.objectIndex = index;
  r.objectSubIndex = sub;
  r.signalOffset = offset;
  r.signalSize = size;
  r.objectSize = objectSize;
  return r;
}

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
    EXPECT_EQ(liesInOneByte(record(0x6000, 1, offset, size)), expected) << offset << "/" << size;
  }
}

TEST(ZListEntry, WideObjectAndHeaderSignal) {
  EXPECT_FALSE(isWideObject(record(1, 1, 0, 1, 32)));
  EXPECT_TRUE(isWideObject(record(1, 1, 0, 1, 33)));

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
    ZListEntry r = record(1, 1, 0, 8, c.objectSize);
    r.signalReserved = c.reserved;
    r.isUsedCommand = c.command;
    r.isUsedButNotImplemented = c.notImplemented;
    r.isUsedPDO = c.pdo;
    r.isUsedStatus = c.status;
    EXPECT_EQ(isHeaderSignal(r), c.header);
  }
}

TEST(ZListEntry, ObjectKeyAndListLine) {
  ZListEntry r = record(0x6000, 1, 0, 8);
  r.signalName = "Taxi state";
  EXPECT_EQ(objectKey(r), "0x6000_0x1");
  EXPECT_EQ(listLine(r), "0x6000   0x1      0       8      Taxi state");
  ZListEntry wide = record(0x60AB, 0x1A, 12, 16);
  wide.signalName = "x";
  EXPECT_EQ(objectKey(wide), "0x60ab_0x1a");
  EXPECT_EQ(listLine(wide), "0x60ab   0x1a     12      16      x");
}

TEST(SignalTable, KeepsOrderAndDuplicates) {
  SignalTable table;
  EXPECT_EQ(table.add(record(0x6000, 1, 0, 8)), 0u);
  EXPECT_EQ(table.add(record(0x6000, 1, 8, 8)), 1u);
  ASSERT_EQ(table.count(), 2u);
  EXPECT_EQ(objectKey(table.at(0)), objectKey(table.at(1)));
  EXPECT_EQ(table.at(1).signalOffset, 8);
  table.clear();
  EXPECT_EQ(table.count(), 0u);
}

}  // namespace
