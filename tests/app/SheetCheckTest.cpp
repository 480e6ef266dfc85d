// The sheet check warns about layouts that would read the wrong bits.
#include "app/SheetCheck.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

using testsupport::Signal;

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
      {"a clean object",
       {Signal("A").object(0x6001, 1, 16).bits(0, 8), Signal("B").object(0x6001, 1, 16).bits(8, 8)},
       {}},
      {"every data type width is fine",
       {Signal("a").object(1, 0, 1).bits(0, 1), Signal("b").object(2, 0, 8).bits(0, 8),
        Signal("c").object(3, 0, 24).bits(0, 24), Signal("d").object(4, 0, 40).bits(0, 40),
        Signal("e").object(5, 0, 56).bits(0, 56), Signal("f").object(6, 0, 64).bits(0, 64)},
       {}},
      {"object size of no data type",
       {Signal("Low").object(0x6002, 0, 12).bits(0, 4)},
       {"Warning: object 0x6002sub0: object size 12 " + kWidths}},
      {"object size 0",
       {Signal("Nothing").object(0x6002, 0, 0).bits(0, 0)},
       {"Warning: object 0x6002sub0: object size 0 " + kWidths,
        "Warning: object 0x6002sub0: signal \"Nothing\" has no bits (size 0)"}},
      {"object size 72",
       {Signal("Huge").object(0x6002, 0, 72).bits(0, 8)},
       {"Warning: object 0x6002sub0: object size 72 " + kWidths}},
      {"differing object sizes, in order of first occurrence",
       {Signal("a").object(0x6002, 0, 16).bits(0, 4), Signal("b").object(0x6002, 0, 12).bits(4, 4),
        Signal("c").object(0x6002, 0, 16).bits(8, 4), Signal("d").object(0x6002, 0, 32).bits(12, 4)},
       {"Warning: object 0x6002sub0: its signals give different object sizes (16, 12, 32)"}},
      {"no bits: nothing more for that record",
       {Signal("Empty").object(0x6002, 0, 8).bits(-3, -2), Signal("x").object(0x6002, 0, 8).bits(-3, 1)},
       {"Warning: object 0x6002sub0: signal \"Empty\" has no bits (size -2)",
        "Warning: object 0x6002sub0: signal \"x\" (bits -3--3) does not lie inside the object of 8 bits"}},
      {"past the end of its own record's object size",
       {Signal("fits").object(0x6002, 0, 16).bits(0, 8), Signal("Past end").object(0x6002, 0, 12).bits(12, 4)},
       {"Warning: object 0x6002sub0: its signals give different object sizes (16, 12)",
        "Warning: object 0x6002sub0: signal \"Past end\" (bits 12-15) does not lie inside the object of 12 bits"}},
      {"an offset and size whose end does not fit in 32 bits",
       {Signal("far").object(0x6002, 0, 32).bits(2147483647, 8)},
       {"Warning: object 0x6002sub0: signal \"far\" (bits 2147483647-2147483654) does not lie inside the object of "
        "32 bits"}},
      {"overlap names the first earlier record that shares bits",
       {Signal("Speed").object(0x6001, 1, 16).bits(0, 12), Signal("Flags").object(0x6001, 1, 16).bits(12, 4),
        Signal("Speed high").object(0x6001, 1, 16).bits(8, 8)},
       {"Warning: object 0x6001sub1: signals \"Speed\" (bits 0-11) and \"Speed high\" (bits 8-15) overlap"}},
      {"an earlier record inside the later one",
       {Signal("inner").object(0x6001, 1, 16).bits(9, 2), Signal("whole").object(0x6001, 1, 16).bits(0, 16)},
       {"Warning: object 0x6001sub1: signals \"inner\" (bits 9-10) and \"whole\" (bits 0-15) overlap"}},
      {"the later record inside an earlier one",
       {Signal("top").object(0x6001, 1, 16).bits(12, 4), Signal("whole").object(0x6001, 1, 16).bits(0, 16),
        Signal("bit").object(0x6001, 1, 16).bits(3, 1)},
       {"Warning: object 0x6001sub1: signals \"top\" (bits 12-15) and \"whole\" (bits 0-15) overlap",
        "Warning: object 0x6001sub1: signals \"whole\" (bits 0-15) and \"bit\" (bits 3-3) overlap"}},
      {"neighbours do not overlap",
       {Signal("a").object(0x6001, 1, 16).bits(0, 8), Signal("b").object(0x6001, 1, 16).bits(8, 8)},
       {}},
      {"reserved records count",
       {Signal("Spare").object(0x6001, 1, 8).bits(0, 8).reserved(), Signal("Bit").object(0x6001, 1, 8).bits(2, 1)},
       {"Warning: object 0x6001sub1: signals \"Spare\" (bits 0-7) and \"Bit\" (bits 2-2) overlap"}},
      {"records without bits overlap nothing",
       {Signal("none").object(0x6001, 1, 8).bits(0, 0), Signal("all").object(0x6001, 1, 8).bits(0, 8)},
       {"Warning: object 0x6001sub1: signal \"none\" has no bits (size 0)"}},
      {"other objects never overlap",
       {Signal("a").object(0x6001, 1, 8).bits(0, 8), Signal("b").object(0x6001, 2, 8).bits(0, 8),
        Signal("c").object(0x6002, 1, 8).bits(0, 8)},
       {}},
  };
  for (const Case& c : cases) EXPECT_EQ(check(c.records), c.warnings) << c.what;
}

// Objects in the order they first occur; within one, its size, its sizes,
// then each record in table order with its own warnings in that order.
TEST(SheetCheck, WarningsComeObjectByObjectInTheirOrder) {
  const std::vector<ZListEntry> records = {
      Signal("Clean").object(0x6003, 0, 8).bits(0, 8),        Signal("A").object(0x6002, 0, 12).bits(0, 4),
      Signal("Speed").object(0x6001, 1, 16).bits(0, 12),      Signal("B").object(0x6002, 0, 16).bits(2, 16),
      Signal("Speed high").object(0x6001, 1, 16).bits(8, 8),  Signal("Empty").object(0x6002, 0, 12).bits(4, 0),
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
      records.push_back(Signal("s" + std::to_string(i))
                            .object(0x6000, 0, 64)
                            .bits(static_cast<int32_t>(next(20)), static_cast<int32_t>(next(7))));
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
  for (int i = 0; i < 100000; ++i) table.add(Signal("s" + std::to_string(i)).object(0x6000, 0, 64).bits(i % 60, 5));
  const auto start = std::chrono::steady_clock::now();
  const std::vector<std::string> warnings = checkSignalSheet(table);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  // Every signal but the first overlaps one before it, and nothing else.
  EXPECT_EQ(warnings.size(), 99999u);
  std::printf("sheet check of 100 000 signals in one object: %.3f s\n", seconds);
}

}  // namespace
