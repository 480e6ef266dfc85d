// A header for a very large table. Disabled by default because it writes
// some hundred megabytes; run it with
//   co447gen_tests --gtest_also_run_disabled_tests --gtest_filter='MacroScale.*'
// It prints how long the generation took and checks that nothing was lost.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "MacroTestSupport.h"
#include "TestSupport.h"
#include "core/RunSettings.h"
#include "framework/ZGenerator.h"
#include "macros/ZCANopenDS447MacrosFactory.h"

namespace {

std::size_t occurrences(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++count;
  return count;
}

TEST(MacroScale, DISABLED_HundredThousandSignals) {
  constexpr int kSignals = 100000;
  constexpr int kSignalsPerObject = 4;
  // 32-bit objects of four 8-bit signals. Every other object has two of
  // them crossing a byte boundary (unsigned-variable macros only); all other
  // signals are whole bytes and get all four macros.
  SignalTable table;
  std::size_t expectedMacros = 0;
  for (int i = 0; i < kSignals; ++i) {
    const int object = i / kSignalsPerObject;
    const int slot = i % kSignalsPerObject;
    const bool crossing = object % 2 == 1 && slot % 2 == 1;
    const int32_t offset = slot * 8 + (crossing ? 4 : 0);
    const ZListEntry record =
        macrotest::headerSignal("Signal " + std::to_string(i))
            .name("Signal number " + std::to_string(i))
            .objectName("Object " + std::to_string(object))
            .object(0x2000 + static_cast<uint32_t>(object / 200), static_cast<uint32_t>(object % 200 + 1), 32)
            .bits(offset, 8);
    expectedMacros += liesInOneByte(record) ? 4 : 2;
    table.add(record);
  }

  testsupport::TempDir dir;
  RunSettings settings;
  settings.setOutputPath(dir.file("large.h"));
  ScopedRunSettings scoped(settings);
  const auto start = std::chrono::steady_clock::now();
  const std::clock_t cpuStart = std::clock();
  {
    ZCANopenDS447MacrosFactory factory;
    ZCoMacro447InteractionLayer generator(table);
    ASSERT_TRUE(generator.createFunctions(&generator, &factory));
    ASSERT_TRUE(generator.writeFunctions(&generator, &factory));
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;

  const std::string header = testsupport::readFile(settings.outputPath());
  std::printf("%d signals: %zu bytes written in %.3f s (%.3f s processor time)\n", kSignals, header.size(),
              elapsed.count(), cpuSeconds);
  EXPECT_EQ(occurrences(header, "\r\n#define s"), expectedMacros);
  EXPECT_EQ(occurrences(header, "     OBJECT ["), static_cast<std::size_t>(kSignals / kSignalsPerObject));
  EXPECT_EQ(header.substr(header.size() - 8), "#endif\r\n");
}

}  // namespace
