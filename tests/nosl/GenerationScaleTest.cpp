// Generation time of large tables. Disabled by default (no timing belongs in
// the regular suite); run with
//   co447gen_tests --gtest_also_run_disabled_tests --gtest_filter='GenerationScale.*'
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <iostream>
#include <random>
#include <sstream>

#include "TestSupport.h"
#include "core/RunSettings.h"
#include "framework/ZGenerator.h"
#include "nosl/ZCANopenDS447InteractionLayerFactory.h"
#include "util/Console.h"

namespace {

// 4 to 8 signals per object, about 10 % command objects, 5 % objects of 64
// bits and 3 % reserved records, as in a real device description.
SignalTable largeTable(std::size_t count) {
  std::mt19937 random(447);
  auto chance = [&random](double p) { return std::uniform_real_distribution<double>(0, 1)(random) < p; };
  SignalTable table;
  uint32_t index = 0x6000;
  uint32_t sub = 1;
  while (table.count() < count) {
    const bool wide = chance(0.05);
    const int32_t command = chance(0.10) ? 1 : 0;
    const int32_t objectSize = wide ? 64 : 32;
    const int signals = std::uniform_int_distribution<int>(4, 8)(random);
    int32_t offset = 0;
    for (int n = 0; n < signals && table.count() < count && offset < objectSize; ++n) {
      ZListEntry entry;
      entry.signalName = "sig_" + std::to_string(index) + "_" + std::to_string(sub) + "_" + std::to_string(n);
      entry.objectIndex = index;
      entry.objectSubIndex = sub;
      entry.objectSize = objectSize;
      entry.signalOffset = offset;
      entry.signalSize = wide ? 8 : 4;
      entry.signalReserved = chance(0.03) ? 1 : 0;
      entry.commandOrStatus = command;
      table.add(entry);
      offset += entry.signalSize;
    }
    if (++sub > 0x20) {
      sub = 1;
      ++index;
    }
  }
  return table;
}

void measure(ZCANopenDS447InteractionLayerFactory& factory, const char* mode, const SignalTable& table) {
  testsupport::TempDir dir;
  RunSettings settings;
  settings.setTesterNodeId(1);
  settings.setOutputPath(dir.file(std::string("large.") + mode));
  ScopedRunSettings scoped(settings);
  std::ostringstream console;
  ConsoleCapture capture(console);

  const std::clock_t cpuStart = std::clock();
  const auto start = std::chrono::steady_clock::now();
  ZCoNosl447InteractionLayer generator(table);
  ASSERT_TRUE(generator.createFunctions(&generator, &factory));
  const std::size_t pieces = generator.functionList().size();
  const auto created = std::chrono::steady_clock::now();
  ASSERT_TRUE(generator.writeFunctions(&generator, &factory));
  const auto end = std::chrono::steady_clock::now();
  const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;

  const std::string written = testsupport::readFile(settings.outputPath());
  EXPECT_GT(pieces, table.count());
  EXPECT_NE(written.find("/*@@envVar:stval_0x6000_0x1:*/"), std::string::npos);
  const auto ms = [](auto duration) { return std::chrono::duration<double, std::milli>(duration).count(); };
  std::cout << table.count() << " signals, " << mode << ": " << pieces << " pieces, " << written.size()
            << " bytes in " << ms(end - start) << " ms, " << cpuMs << " ms processor time (creating "
            << ms(created - start) << " ms)\n";
}

TEST(GenerationScale, DISABLED_HundredThousandSignals) {
  const SignalTable table = largeTable(100000);
  ZCANopenDS447InteractionLayerMode1Factory mode1;
  measure(mode1, "can", table);
  ZCANopenDS447InteractionLayerMode3Factory mode3;
  measure(mode3, "cin", table);
}

}  // namespace
