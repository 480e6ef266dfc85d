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

using nosltest::signal;

// Two status signals and a command signal of 16-bit objects, a reserved
// status signal sharing a 32-bit object with a status and a command signal,
// a 64-bit status object and a 40-bit command object.
SignalTable smallTable() {
  SignalTable table;
  table.add(signal("lamp_state", 0x6001, 0x1, 16, 0, 8, 0));
  table.add(signal("lamp_level", 0x6001, 0x1, 16, 8, 8, 0));
  table.add(signal("lamp_set", 0x6002, 0x1, 16, 0, 16, 1));
  table.add(signal("spare", 0x6004, 0x1, 32, 0, 8, 0, 1));
  table.add(signal("door_open", 0x6004, 0x1, 32, 8, 1, 0));
  table.add(signal("door_lock", 0x6004, 0x1, 32, 9, 1, 1));
  table.add(signal("meter_text", 0x6003, 0x2, 64, 0, 64, 0));
  table.add(signal("tariff_text", 0x6005, 0x1, 40, 0, 40, 1));
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
  // With -wide the 64-bit status object and the 40-bit command object are
  // split and packed signal by signal.
  for (const auto& [splitWideObjects, goldenName] : {std::pair<bool, const char*>{false, "small_mode3.cin"},
                                                     std::pair<bool, const char*>{true, "small_mode3_wide.cin"}}) {
    SCOPED_TRACE(goldenName);
    RunSettings settings;
    settings.setGenerationMode(3);
    settings.setTesterNodeId(5);
    settings.setVirtualDevice(VirtualDevice::taxm, true);
    settings.setSplitWideObjects(splitWideObjects);
    ScopedRunSettings scoped(settings);
    std::ostringstream console;
    ConsoleCapture capture(console);
    const SignalTable table = smallTable();
    ZCANopenDS447InteractionLayerMode3Factory factory;
    compareWithGolden(generate(factory, table), goldenName);
    EXPECT_EQ(console.str(), "");
  }
}

}  // namespace
