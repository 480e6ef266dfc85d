// Whole generated NOSL files for a small signal table, regenerated in memory
// and compared with the golden files in tests/data/nosl. Set
// CO447GEN_GOLDEN_OUT to a directory to get the generated text written there
// for inspection when they differ.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "GeneratedText.h"
#include "NoslRender.h"
#include "TestSupport.h"
#include "core/RunSettings.h"
#include "framework/ZGenerator.h"
#include "nosl/ZCANopenDS447InteractionLayerFactory.h"
#include "util/Console.h"

namespace {

using testsupport::Signal;

// Two status signals and a command signal of 16-bit objects, a reserved
// status signal sharing a 32-bit object with a status and a command signal,
// a 64-bit status object and a 40-bit command object.
SignalTable smallTable() {
  SignalTable table;
  table.add(Signal("lamp_state").object(0x6001, 0x1, 16).bits(0, 8));
  table.add(Signal("lamp_level").object(0x6001, 0x1, 16).bits(8, 8));
  table.add(Signal("lamp_set").object(0x6002, 0x1, 16).bits(0, 16).command());
  table.add(Signal("spare").object(0x6004, 0x1, 32).bits(0, 8).reserved());
  table.add(Signal("door_open").object(0x6004, 0x1, 32).bits(8, 1));
  table.add(Signal("door_lock").object(0x6004, 0x1, 32).bits(9, 1).command());
  table.add(Signal("meter_text").object(0x6003, 0x2, 64).bits(0, 64));
  table.add(Signal("tariff_text").object(0x6005, 0x1, 40).bits(0, 40).command());
  return table;
}

std::string generate(ZCANopenDS447InteractionLayerFactory& factory, const SignalTable& table) {
  ZCoNosl447InteractionLayer generator(table);
  generator.writeToMemory();
  EXPECT_TRUE(generator.createFunctions(&generator, &factory));
  EXPECT_TRUE(generator.writeFunctions(&generator, &factory));
  return generator.memoryOutput();
}

void compareWithGolden(const std::string& generated, const std::string& goldenName) {
  const std::string golden = testsupport::readFile(testsupport::dataPath("nosl/" + goldenName));
  if (generated != golden) {
    if (const char* out = std::getenv("CO447GEN_GOLDEN_OUT")) {
      testsupport::writeFile(std::string(out) + "/" + goldenName, generated);
    }
    const auto want = generatedtext::splitCrLf(golden);
    const auto got = generatedtext::splitCrLf(generated);
    for (std::size_t i = 0; i < want.size() && i < got.size(); ++i) {
      if (want[i] != got[i]) {
        ADD_FAILURE() << goldenName << " differs first in line " << i + 1 << "\n  golden:    " << want[i]
                      << "\n  generated: " << got[i];
        break;
      }
    }
  }
  EXPECT_EQ(generated.size(), golden.size());
  EXPECT_TRUE(generated == golden) << goldenName;
}

TEST(GoldenFiles, TesterNodeScript) {
  RunSettings settings;
  settings.setGenerationMode(1);
  settings.setTesterNodeId(5);
  settings.setDutNodeId(2);
  settings.setVirtualDevice(VirtualDevice::taxm, true);
  settings.setVirtualDevice(VirtualDevice::prnt, true);
  ScopedRunSettings scoped(settings);
  std::ostringstream console;
  ConsoleCapture capture(console);
  const SignalTable table = smallTable();
  ZCANopenDS447InteractionLayerMode1Factory factory;
  compareWithGolden(generate(factory, table), "small_mode1.can");
  EXPECT_EQ(console.str(), "The following virtual devices are supported by the tester:\n  - Printer\n  - Taximeter\n\n");
}

TEST(GoldenFiles, SimulatedNodeInclude) {
  RunSettings settings;
  settings.setGenerationMode(3);
  settings.setTesterNodeId(5);
  settings.setVirtualDevice(VirtualDevice::taxm, true);
  ScopedRunSettings scoped(settings);
  std::ostringstream console;
  ConsoleCapture capture(console);
  const SignalTable table = smallTable();
  ZCANopenDS447InteractionLayerMode3Factory factory;
  compareWithGolden(generate(factory, table), "small_mode3.cin");
  EXPECT_EQ(console.str(), "");
}

}  // namespace
