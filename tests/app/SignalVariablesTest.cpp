// Signal naming with duplicate detection, and the environment variables
// entered for each signal with their attributes.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/SignalVariables.h"

namespace {

// A status signal in bits 0-7 of object 0x6000 sub-index 1 (32 bits), until
// the test says otherwise.
testsupport::Signal row(const std::string& name) {
  return testsupport::Signal(name).object(0x6000, 1, 32).bits(0, 8);
}

TEST(SignalNaming, BaseNamesAndDuplicateSuffixesInTableOrder) {
  struct Step {
    ZListEntry record;
    std::string baseName;
    bool duplicate;
  };
  const std::vector<Step> steps = {
      {row("Taxi State"), "taxi_state", false},
      {row("Door").bits(8, 1), "door", false},
      // Compared after lower-casing: a duplicate, suffixed with hex index and
      // sub-index and decimal offset.
      {row("door").object(0x60ab, 0x1c, 32).bits(12, 1), "door_obj60ab_sub1c_pos12", true},
      // A command of the same name has another key.
      {row("Door").command().object(0x6001, 1, 32).bits(0, 1), "door", false},
      {row("Lamp").command().object(0x6002, 1, 32).bits(0, 1), "lamp", false},
      {row("Lamp").command().object(0x6002, 1, 32).bits(1, 1), "lamp_obj6002_sub1_pos1", true},
      {row("LAMP").command().object(0x6002, 1, 32).bits(2, 1), "lamp_obj6002_sub1_pos2", true},
      {row("  "), "__", false},
      {row("Tür-Öffner"), "t__r___ffner", false},
  };
  SignalNaming naming;
  for (const Step& step : steps) {
    bool duplicate = !step.duplicate;
    EXPECT_EQ(naming.uniqueBaseName(step.record, duplicate), step.baseName) << step.record.signalName;
    EXPECT_EQ(duplicate, step.duplicate) << step.record.signalName;
  }
}

// A final name that an earlier signal of the same kind carries already gets
// the smallest free counter; such a signal is reported like a duplicate.
TEST(SignalNaming, NamesGivenTwiceGetACounter) {
  struct Step {
    ZListEntry record;
    std::string baseName;
    bool reported;
  };
  const std::vector<Step> steps = {
      {row("Door").bits(0, 1), "door", false},
      {row("Door").bits(4, 1), "door_obj6000_sub1_pos4", true},
      // The same row once more: key and suffixed name were both given.
      {row("Door").bits(4, 1), "door_obj6000_sub1_pos4_2", true},
      {row("DOOR").bits(4, 1), "door_obj6000_sub1_pos4_3", true},
      // A sheet name that reads like a suffixed one: a new key, a taken name.
      {row("door_obj6000_sub1_pos4").object(0x6001, 1, 32).bits(0, 1), "door_obj6000_sub1_pos4_4", true},
      // Names of the other kind do not count.
      {row("door_obj6000_sub1_pos4").command().object(0x6001, 1, 32).bits(0, 1), "door_obj6000_sub1_pos4", false},
      // A name that a counter would give is skipped.
      {row("lamp_obj6002_sub1_pos0_2").command().object(0x6002, 1, 32).bits(0, 1), "lamp_obj6002_sub1_pos0_2", false},
      {row("lamp").command().object(0x6002, 1, 32).bits(0, 1), "lamp", false},
      {row("lamp").command().object(0x6002, 1, 32).bits(0, 1), "lamp_obj6002_sub1_pos0", true},
      {row("lamp").command().object(0x6002, 1, 32).bits(0, 1), "lamp_obj6002_sub1_pos0_3", true},
      {row("lamp").command().object(0x6002, 1, 32).bits(0, 1), "lamp_obj6002_sub1_pos0_4", true},
  };
  SignalNaming naming;
  for (const Step& step : steps) {
    bool reported = !step.reported;
    EXPECT_EQ(naming.uniqueBaseName(step.record, reported), step.baseName) << step.record.signalName;
    EXPECT_EQ(reported, step.reported) << step.record.signalName;
  }
}

// A signal must not take the name of an object variable ("stval_0x%x_0x%x"):
// its value variable would then be the object's, and the object handler
// would write into itself.
TEST(SignalNaming, ObjectVariableNamesAreTaken) {
  SignalTable table;
  table.add(row("0x6000_0x1"));
  table.add(row("0x6000_0x1").command().object(0x6001, 1, 32));
  table.add(row("0x6001_0x1").object(0x6002, 1, 32));
  SignalNaming naming(table);
  bool reported = false;
  EXPECT_EQ(naming.uniqueBaseName(table.at(0), reported), "0x6000_0x1_2");
  EXPECT_TRUE(reported);
  EXPECT_EQ(naming.uniqueBaseName(table.at(1), reported), "0x6000_0x1_2");
  EXPECT_TRUE(reported);
  // 0x6001 0x1 has only a command signal: no object variable.
  EXPECT_EQ(naming.uniqueBaseName(table.at(2), reported), "0x6001_0x1");
  EXPECT_FALSE(reported);
}

// The integer object handler writes "stval_" + name for every unreserved
// record of its object, so a command that shares such an object needs that
// variable; the string handler writes only its first status signal's.
TEST(SignalNaming, CommandsThatTheObjectHandlerSplits) {
  struct Case {
    const char* what;
    std::vector<ZListEntry> records;
    std::vector<bool> split;
  };
  const ZListEntry reservedStatus = row("r").reserved();
  const ZListEntry reservedCommand = row("rc").command().reserved();
  const std::vector<Case> cases = {
      {"status first", {row("s"), row("c").command().bits(8, 8)}, {false, true}},
      {"status later in the table", {row("c").command(), row("s").bits(8, 8)}, {true, false}},
      {"command only", {row("c").command(), row("d").command().bits(8, 8)}, {false, false}},
      {"other object", {row("s").object(0x6001, 1, 32), row("c").command()}, {false, false}},
      {"same index, other sub-index", {row("s").object(0x6000, 2, 32), row("c").command()}, {false, false}},
      {"wide first status signal", {row("s").object(0x6000, 1, 64), row("c").command()},
       {false, false}},
      // The handler's kind follows the first status signal, not the command.
      {"narrow first status, wide command", {row("s"), row("c").command().object(0x6000, 1, 64)},
       {false, true}},
      {"reserved status makes no handler", {reservedStatus, row("c").command()}, {false, false}},
      {"reserved status skipped for the first", {reservedStatus, row("s").object(0x6000, 1, 64),
                                                  row("c").command()}, {false, false, false}},
      {"reserved command is not split", {row("s"), reservedCommand}, {false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SignalTable table;
    for (const ZListEntry& record : c.records) table.add(record);
    const SignalNaming naming(table);
    for (std::size_t i = 0; i < table.count(); ++i) {
      EXPECT_EQ(naming.isSplitByObjectHandler(table.at(i)), c.split[i]) << i;
    }
  }
}

// A command that its object handler splits writes "stval_" + its name, as
// a status signal does: the two must not share a name, whichever comes
// first; the later one gets a counter and is reported.
TEST(SignalNaming, SplitCommandsAndStatusSignalsShareNoName) {
  struct Case {
    const char* what;
    std::vector<ZListEntry> records;
    std::vector<std::string> names;
    std::vector<bool> reported;
  };
  const ZListEntry other = row("s").object(0x6001, 0, 32).bits(0, 4);  // makes object 0x6001 a split one
  const std::vector<Case> cases = {
      {"split command first",
       {other, row("Light").command().object(0x6001, 0, 32).bits(4, 4), row("Light").object(0x6002, 0, 32)},
       {"s", "light", "light_2"}, {false, false, true}},
      {"status first",
       {row("Light").object(0x6002, 0, 32), other, row("Light").command().object(0x6001, 0, 32).bits(4, 4)},
       {"light", "s", "light_2"}, {false, false, true}},
      {"a command that is not split keeps its name",
       {row("Light").object(0x6002, 0, 32), row("Light").command().object(0x6003, 0, 32).bits(0, 4)},
       {"light", "light"}, {false, false}},
      {"a counted name free among both kinds",
       {row("Light").object(0x6002, 0, 32), row("light_2").command().object(0x6003, 0, 32).bits(0, 4), other,
        row("Light").command().object(0x6001, 0, 32).bits(4, 4), row("Light").object(0x6002, 0, 32).bits(8, 8)},
       {"light", "light_2", "s", "light_3", "light_obj6002_sub0_pos8"}, {false, false, false, true, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SignalTable table;
    for (const ZListEntry& record : c.records) table.add(record);
    SignalNaming naming(table);
    for (std::size_t i = 0; i < table.count(); ++i) {
      bool reported = !c.reported[i];
      EXPECT_EQ(naming.uniqueBaseName(table.at(i), reported), c.names[i]) << i;
      EXPECT_EQ(reported, c.reported[i]) << i;
    }
  }
}

TEST(SignalNaming, VariableNamesOfCommandAndStatusSignals) {
  const SignalVariableNames command = signalVariableNames(row("x").command(), "lamp");
  EXPECT_EQ(command.trigger, "sc_lamp");
  EXPECT_EQ(command.value, "coval_lamp");
  EXPECT_EQ(command.objectVariable, "");
  EXPECT_EQ(command.panelVariable, "sc_lamp");
  EXPECT_EQ(command.downloadVariable, "coval_lamp");

  const SignalVariableNames status = signalVariableNames(row("x").object(0x60a0, 0x1a, 32), "taxi_state");
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
      {row("lamp").command().object(0x6001, 1, 8).bits(0, 1), "sc_lamp 0 [0|1] 0\ncoval_lamp 0 [0|1] 1\n"},
      {row("speed").command().object(0x6001, 1, 32).bits(0, 32),
       "sc_speed 0 [0|1] 0\ncoval_speed 0 [0|4294967295] 4294967295\n"},
      // A 32-bit object is not wide: its object variable reaches 2^32-1.
      {row("taxi_state"),
       "gs_taxi_state 0 [0|1] 0\nstval_0x6000_0x1 0 [0|4294967295] 0 once\nstval_taxi_state 0 [0|255] 0\n"},
      // Values of objects wider than 32 bits are strings.
      {row("distance").object(0x6003, 1, 64).bits(0, 48),
       "gs_distance 0 [0|1] 0\nstval_0x6003_0x1 2 [0|18446744073709551615] 0 once\n"
       "stval_distance 2 [0|281474976710655] 0\n"},
      {row("preset").command().object(0x6004, 1, 33).bits(0, 40),
       "sc_preset 0 [0|1] 0\ncoval_preset 2 [0|1099511627775] 1099511627775\n"},
      // Sizes of 0 or less: maximum 0, the object variable's maximum 1.
      {row("empty").object(0x6005, 1, 0).bits(0, 0),
       "gs_empty 0 [0|1] 0\nstval_0x6005_0x1 0 [0|1] 0 once\nstval_empty 0 [0|0] 0\n"},
      {row("empty").command().object(0x6005, 1, 8).bits(0, -3), "sc_empty 0 [0|1] 0\ncoval_empty 0 [0|0] 0\n"},
  };
  for (const Case& c : cases) {
    const SignalVariableNames names = signalVariableNames(c.record, c.record.signalName);
    EXPECT_EQ(describe(signalVariableEntries(c.record, names)), c.expected) << c.record.signalName;
  }
}

// A command that its object handler splits also gets its "stval_" variable,
// right after its value: the command's own type code and range, initial 0.
TEST(SignalVariables, SplitCommandGetsItsStatusValue) {
  const ZListEntry lamp = row("lamp").command().object(0x6001, 1, 16).bits(4, 3);
  EXPECT_EQ(describe(signalVariableEntries(lamp, signalVariableNames(lamp, "lamp"), "stval_lamp")),
            "sc_lamp 0 [0|1] 0\ncoval_lamp 0 [0|7] 7\nstval_lamp 0 [0|7] 0 once\n");
  const ZListEntry wide = row("w").command().object(0x6001, 1, 48).bits(0, 40);
  EXPECT_EQ(describe(signalVariableEntries(wide, signalVariableNames(wide, "w"), "stval_w")),
            "sc_w 0 [0|1] 0\ncoval_w 2 [0|1099511627775] 1099511627775\nstval_w 2 [0|1099511627775] 0 once\n");
}

TEST(SignalVariables, NodeVariablesInOrder) {
  EXPECT_EQ(describe(nodeVariableEntries("Taxi_Meter", "Tester")),
            "ID_Taxi_Meter 0 [0|16] 0\nID_Dut 0 [0|16] 0\nID_Tester 0 [0|16] 0\nID_ActualClient 0 [0|16] 0\n");
  EXPECT_EQ(describe(nodeVariableEntries("", "")).substr(0, 16), "ID_ 0 [0|16] 0\nI");
}

// A name option that makes a node variable of another role: one warning
// per shared variable, its roles in the order the variables are entered.
TEST(SignalVariables, NodeVariablesSharedByTwoRoles) {
  const std::string dutName = "the device under test's name (-nme)";
  const std::string dutId = "the device under test's node id";
  const std::string testerName = "the tester's name (-tme)";
  const std::string clientId = "the active client's node id";
  const auto warning = [](const std::string& name, const std::string& roles) {
    return "Warning: environment variable \"" + name + "\" serves " + roles;
  };
  const struct {
    const char* dut;
    const char* tester;
    std::vector<std::string> warnings;
  } cases[] = {
      {"Taximeter", "Tester", {}},
      {"dut", "Tester", {}},  // names are case-sensitive
      {"Dut", "Tester", {warning("ID_Dut", "both " + dutName + " and " + dutId)}},
      {"X", "X", {warning("ID_X", "both " + dutName + " and " + testerName)}},
      {"Taxi", "Dut", {warning("ID_Dut", "both " + dutId + " and " + testerName)}},
      {"Taxi", "ActualClient", {warning("ID_ActualClient", "both " + testerName + " and " + clientId)}},
      {"Dut", "Dut", {warning("ID_Dut", dutName + ", " + dutId + " and " + testerName)}},
      {"ActualClient", "Dut",
       {warning("ID_ActualClient", "both " + dutName + " and " + clientId),
        warning("ID_Dut", "both " + dutId + " and " + testerName)}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(sharedNodeVariableWarnings(c.dut, c.tester), c.warnings) << c.dut << " " << c.tester;
  }
}

}  // namespace
