// Signal naming with duplicate detection, and the environment variables
// entered for each signal with their attributes.
#include <gtest/gtest.h>

#include "app/SignalVariables.h"

namespace {

ZListEntry signal(const std::string& name, int32_t commandOrStatus, uint32_t index = 0x6000,
                  uint32_t subIndex = 1, int32_t offset = 0, int32_t size = 8, int32_t objectSize = 32) {
  ZListEntry entry;
  entry.signalName = name;
  entry.commandOrStatus = commandOrStatus;
  entry.objectIndex = index;
  entry.objectSubIndex = subIndex;
  entry.signalOffset = offset;
  entry.signalSize = size;
  entry.objectSize = objectSize;
  return entry;
}

constexpr int32_t kStatus = 0;
constexpr int32_t kCommand = 1;

TEST(SignalNaming, BaseNamesAndDuplicateSuffixesInTableOrder) {
  struct Step {
    ZListEntry record;
    std::string baseName;
    bool duplicate;
  };
  const std::vector<Step> steps = {
      {signal("Taxi State", kStatus), "taxi_state", false},
      {signal("Door", kStatus, 0x6000, 1, 8, 1), "door", false},
      // Compared after lower-casing: a duplicate, suffixed with hex index and
      // sub-index and decimal offset.
      {signal("door", kStatus, 0x60ab, 0x1c, 12, 1), "door_obj60ab_sub1c_pos12", true},
      // A command of the same name has another key.
      {signal("Door", kCommand, 0x6001, 1, 0, 1), "door", false},
      {signal("Lamp", kCommand, 0x6002, 1, 0, 1), "lamp", false},
      {signal("Lamp", kCommand, 0x6002, 1, 1, 1), "lamp_obj6002_sub1_pos1", true},
      {signal("LAMP", kCommand, 0x6002, 1, 2, 1), "lamp_obj6002_sub1_pos2", true},
      {signal("  ", kStatus), "__", false},
      {signal("Tür-Öffner", kStatus), "t__r___ffner", false},
  };
  ZSignalNaming naming;
  for (const Step& step : steps) {
    bool duplicate = !step.duplicate;
    EXPECT_EQ(naming.uniqueBaseName(step.record, duplicate), step.baseName) << step.record.signalName;
    EXPECT_EQ(duplicate, step.duplicate) << step.record.signalName;
  }
}

TEST(SignalNaming, VariableNamesOfCommandAndStatusSignals) {
  const SignalVariableNames command = signalVariableNames(signal("x", kCommand), "lamp");
  EXPECT_EQ(command.trigger, "sc_lamp");
  EXPECT_EQ(command.value, "coval_lamp");
  EXPECT_EQ(command.objectVariable, "");
  EXPECT_EQ(command.panelVariable, "sc_lamp");
  EXPECT_EQ(command.downloadVariable, "coval_lamp");

  const SignalVariableNames status = signalVariableNames(signal("x", kStatus, 0x60a0, 0x1a), "taxi_state");
  EXPECT_EQ(status.trigger, "gs_taxi_state");
  EXPECT_EQ(status.value, "stval_taxi_state");
  EXPECT_EQ(status.objectVariable, "stval_0x60a0_0x1a");
  EXPECT_EQ(status.panelVariable, "stval_taxi_state");
  EXPECT_EQ(status.downloadVariable, "gs_taxi_state");
}

std::string describe(const std::vector<EnvVarEntry>& entries) {
  std::string text;
  for (const EnvVarEntry& e : entries) {
    text += e.name + " " + std::to_string(e.typeCode) + " [" + std::to_string(e.minimum) + "|" +
            std::to_string(e.maximum) + "] " + std::to_string(e.initial) + (e.onlyWhenAbsent ? " once" : "") + "\n";
  }
  return text;
}

TEST(SignalVariables, AttributesOfEveryKind) {
  struct Case {
    ZListEntry record;
    std::string expected;
  };
  const std::vector<Case> cases = {
      // A 1-bit command starts at its maximum 1.
      {signal("lamp", kCommand, 0x6001, 1, 0, 1, 8), "sc_lamp 0 [0|1] 0\ncoval_lamp 0 [0|1] 1\n"},
      {signal("speed", kCommand, 0x6001, 1, 0, 32, 32),
       "sc_speed 0 [0|1] 0\ncoval_speed 0 [0|4294967295] 4294967295\n"},
      // A 32-bit object is not wide: its object variable reaches 2^32-1.
      {signal("taxi_state", kStatus, 0x6000, 1, 0, 8, 32),
       "gs_taxi_state 0 [0|1] 0\nstval_0x6000_0x1 0 [0|4294967295] 0 once\nstval_taxi_state 0 [0|255] 0\n"},
      // Values of objects wider than 32 bits are strings.
      {signal("distance", kStatus, 0x6003, 1, 0, 48, 64),
       "gs_distance 0 [0|1] 0\nstval_0x6003_0x1 2 [0|18446744073709551615] 0 once\n"
       "stval_distance 2 [0|281474976710655] 0\n"},
      {signal("preset", kCommand, 0x6004, 1, 0, 40, 33),
       "sc_preset 0 [0|1] 0\ncoval_preset 2 [0|1099511627775] 1099511627775\n"},
      // Sizes of 0 or less: maximum 0, the object variable's maximum 1.
      {signal("empty", kStatus, 0x6005, 1, 0, 0, 0),
       "gs_empty 0 [0|1] 0\nstval_0x6005_0x1 0 [0|1] 0 once\nstval_empty 0 [0|0] 0\n"},
      {signal("empty", kCommand, 0x6005, 1, 0, -3, 8), "sc_empty 0 [0|1] 0\ncoval_empty 0 [0|0] 0\n"},
  };
  for (const Case& c : cases) {
    const SignalVariableNames names = signalVariableNames(c.record, c.record.signalName);
    EXPECT_EQ(describe(signalVariableEntries(c.record, names)), c.expected) << c.record.signalName;
  }
}

TEST(SignalVariables, NodeVariablesInOrder) {
  EXPECT_EQ(describe(nodeVariableEntries("Taxi_Meter", "Tester")),
            "ID_Taxi_Meter 0 [0|16] 0\nID_Dut 0 [0|16] 0\nID_Tester 0 [0|16] 0\nID_ActualClient 0 [0|16] 0\n");
  EXPECT_EQ(describe(nodeVariableEntries("", "")).substr(0, 16), "ID_ 0 [0|16] 0\nI");
}

}  // namespace
