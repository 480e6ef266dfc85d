// The sheet check warns about layouts that would read the wrong bits.
#include "app/SheetCheck.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

ZListEntry signal(uint32_t index, uint32_t subIndex, int32_t objectSize, int32_t offset, int32_t size,
                  const std::string& name, int32_t reserved = 0) {
  ZListEntry record;
  record.objectIndex = index;
  record.objectSubIndex = subIndex;
  record.objectSize = objectSize;
  record.signalOffset = offset;
  record.signalSize = size;
  record.signalName = name;
  record.signalReserved = reserved;
  return record;
}

std::vector<std::string> check(const std::vector<ZListEntry>& records) {
  SignalTable table;
  for (const ZListEntry& record : records) table.add(record);
  return checkSignalSheet(table);
}

const std::string kWidths = "is not the width of a CANopen data type (1, 8, 16, 24, 32, 40, 48, 56 or 64 bits)";

TEST(SheetCheck, EachWarning) {
  struct Case {
    const char* what;
    std::vector<ZListEntry> records;
    std::vector<std::string> warnings;
  };
  const std::vector<Case> cases = {
      {"a clean object", {signal(0x6001, 1, 16, 0, 8, "A"), signal(0x6001, 1, 16, 8, 8, "B")}, {}},
      {"every data type width is fine",
       {signal(1, 0, 1, 0, 1, "a"), signal(2, 0, 8, 0, 8, "b"), signal(3, 0, 24, 0, 24, "c"),
        signal(4, 0, 40, 0, 40, "d"), signal(5, 0, 56, 0, 56, "e"), signal(6, 0, 64, 0, 64, "f")},
       {}},
      {"object size of no data type", {signal(0x6002, 0, 12, 0, 4, "Low")},
       {"Warning: object 0x6002sub0: object size 12 " + kWidths}},
      {"object size 0", {signal(0x6002, 0, 0, 0, 0, "Nothing")},
       {"Warning: object 0x6002sub0: object size 0 " + kWidths,
        "Warning: object 0x6002sub0: signal \"Nothing\" has no bits (size 0)"}},
      {"object size 72", {signal(0x6002, 0, 72, 0, 8, "Huge")},
       {"Warning: object 0x6002sub0: object size 72 " + kWidths}},
      {"differing object sizes, in order of first occurrence",
       {signal(0x6002, 0, 16, 0, 4, "a"), signal(0x6002, 0, 12, 4, 4, "b"), signal(0x6002, 0, 16, 8, 4, "c"),
        signal(0x6002, 0, 32, 12, 4, "d")},
       {"Warning: object 0x6002sub0: its signals give different object sizes (16, 12, 32)"}},
      {"no bits: nothing more for that record", {signal(0x6002, 0, 8, -3, -2, "Empty"), signal(0x6002, 0, 8, -3, 1, "x")},
       {"Warning: object 0x6002sub0: signal \"Empty\" has no bits (size -2)",
        "Warning: object 0x6002sub0: signal \"x\" (bits -3--3) does not lie inside the object of 8 bits"}},
      {"past the end of its own record's object size",
       {signal(0x6002, 0, 16, 0, 8, "fits"), signal(0x6002, 0, 12, 12, 4, "Past end")},
       {"Warning: object 0x6002sub0: its signals give different object sizes (16, 12)",
        "Warning: object 0x6002sub0: signal \"Past end\" (bits 12-15) does not lie inside the object of 12 bits"}},
      {"an offset and size whose end does not fit in 32 bits", {signal(0x6002, 0, 32, 2147483647, 8, "far")},
       {"Warning: object 0x6002sub0: signal \"far\" (bits 2147483647-2147483654) does not lie inside the object of "
        "32 bits"}},
      {"overlap names the first earlier record that shares bits",
       {signal(0x6001, 1, 16, 0, 12, "Speed"), signal(0x6001, 1, 16, 12, 4, "Flags"),
        signal(0x6001, 1, 16, 8, 8, "Speed high")},
       {"Warning: object 0x6001sub1: signals \"Speed\" (bits 0-11) and \"Speed high\" (bits 8-15) overlap"}},
      {"an earlier record inside the later one",
       {signal(0x6001, 1, 16, 9, 2, "inner"), signal(0x6001, 1, 16, 0, 16, "whole")},
       {"Warning: object 0x6001sub1: signals \"inner\" (bits 9-10) and \"whole\" (bits 0-15) overlap"}},
      {"the later record inside an earlier one",
       {signal(0x6001, 1, 16, 12, 4, "top"), signal(0x6001, 1, 16, 0, 16, "whole"), signal(0x6001, 1, 16, 3, 1, "bit")},
       {"Warning: object 0x6001sub1: signals \"top\" (bits 12-15) and \"whole\" (bits 0-15) overlap",
        "Warning: object 0x6001sub1: signals \"whole\" (bits 0-15) and \"bit\" (bits 3-3) overlap"}},
      {"neighbours do not overlap", {signal(0x6001, 1, 16, 0, 8, "a"), signal(0x6001, 1, 16, 8, 8, "b")}, {}},
      {"reserved records count",
       {signal(0x6001, 1, 8, 0, 8, "Spare", 1), signal(0x6001, 1, 8, 2, 1, "Bit")},
       {"Warning: object 0x6001sub1: signals \"Spare\" (bits 0-7) and \"Bit\" (bits 2-2) overlap"}},
      {"records without bits overlap nothing",
       {signal(0x6001, 1, 8, 0, 0, "none"), signal(0x6001, 1, 8, 0, 8, "all")},
       {"Warning: object 0x6001sub1: signal \"none\" has no bits (size 0)"}},
      {"other objects never overlap",
       {signal(0x6001, 1, 8, 0, 8, "a"), signal(0x6001, 2, 8, 0, 8, "b"), signal(0x6002, 1, 8, 0, 8, "c")}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(check(c.records), c.warnings) << c.what;
}

// Objects in the order they first occur; within one, its size, its sizes,
// then each record in table order with its own warnings in that order.
TEST(SheetCheck, WarningsComeObjectByObjectInTheirOrder) {
  const std::vector<ZListEntry> records = {
      signal(0x6003, 0, 8, 0, 8, "Clean"),        signal(0x6002, 0, 12, 0, 4, "A"),
      signal(0x6001, 1, 16, 0, 12, "Speed"),      signal(0x6002, 0, 16, 2, 16, "B"),
      signal(0x6001, 1, 16, 8, 8, "Speed high"),  signal(0x6002, 0, 12, 4, 0, "Empty"),
  };
  EXPECT_EQ(check(records),
            (std::vector<std::string>{
                "Warning: object 0x6002sub0: object size 12 " + kWidths,
                "Warning: object 0x6002sub0: its signals give different object sizes (12, 16)",
                "Warning: object 0x6002sub0: signal \"B\" (bits 2-17) does not lie inside the object of 16 bits",
                "Warning: object 0x6002sub0: signals \"A\" (bits 0-3) and \"B\" (bits 2-17) overlap",
                "Warning: object 0x6002sub0: signal \"Empty\" has no bits (size 0)",
                "Warning: object 0x6001sub1: signals \"Speed\" (bits 0-11) and \"Speed high\" (bits 8-15) overlap",
            }));
}

// The overlap search against every pair, on many small random objects.
TEST(SheetCheck, OverlapsAgreeWithComparingEveryPair) {
  uint32_t state = 12345;
  const auto next = [&state](uint32_t range) {
    state = state * 1103515245u + 12345u;
    return (state >> 8) % range;
  };
  for (int round = 0; round < 2000; ++round) {
    std::vector<ZListEntry> records;
    const uint32_t count = 1 + next(8);
    for (uint32_t i = 0; i < count; ++i) {
      records.push_back(signal(0x6000, 0, 64, static_cast<int32_t>(next(20)), static_cast<int32_t>(next(7)),
                               "s" + std::to_string(i)));
    }
    std::vector<std::string> expected;
    for (std::size_t j = 0; j < records.size(); ++j) {
      const ZListEntry& later = records[j];
      if (later.signalSize <= 0) {
        expected.push_back("Warning: object 0x6000sub0: signal \"" + later.signalName + "\" has no bits (size 0)");
        continue;
      }
      for (std::size_t i = 0; i < j; ++i) {
        const ZListEntry& earlier = records[i];
        if (earlier.signalSize <= 0) continue;
        if (earlier.signalOffset < later.signalOffset + later.signalSize &&
            later.signalOffset < earlier.signalOffset + earlier.signalSize) {
          const auto bits = [](const ZListEntry& r) {
            return "(bits " + std::to_string(r.signalOffset) + "-" + std::to_string(r.signalOffset + r.signalSize - 1) +
                   ")";
          };
          expected.push_back("Warning: object 0x6000sub0: signals \"" + earlier.signalName + "\" " + bits(earlier) +
                             " and \"" + later.signalName + "\" " + bits(later) + " overlap");
          break;
        }
      }
    }
    ASSERT_EQ(check(records), expected) << "round " << round;
  }
}

// 100 000 signals in one object, each overlapping the one before: the check
// must not compare every pair (5 billion comparisons would run into the
// test's time-out). Prints how long it took.
TEST(SheetCheck, HundredThousandSignalsInOneObject) {
  SignalTable table;
  for (int i = 0; i < 100000; ++i) table.add(signal(0x6000, 0, 64, i % 60, 5, "s" + std::to_string(i)));
  const auto start = std::chrono::steady_clock::now();
  const std::vector<std::string> warnings = checkSignalSheet(table);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  // Every signal but the first overlaps one before it, and nothing else.
  EXPECT_EQ(warnings.size(), 99999u);
  std::printf("sheet check of 100 000 signals in one object: %.3f s\n", seconds);
}

}  // namespace
