// The names a signal gets in the node scripts and in the signal database,
// and the environment variables entered for it, with their attributes.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "input/ZListEntry.h"
#include "util/StringSet.h"

bool isCommandSignal(const ZListEntry& record);

// sanitizeIdentifier of the lower-cased name (ASCII letters only).
std::string signalBaseName(const std::string& signalName);
// "co" + base name for a command signal, "st" + base name for a status signal.
std::string signalKey(const ZListEntry& record, const std::string& baseName);
// base name + "_obj<index>_sub<sub-index>_pos<offset>" (hex, hex, decimal).
std::string duplicateBaseName(const ZListEntry& record, const std::string& baseName);

// Hands out unique base names in table order. A signal whose key was seen
// before is a duplicate and gets the suffixed base name. A final name that
// an earlier signal of the same kind (status or command) already carries --
// the same row given twice, or a sheet name that looks like a suffixed one
// -- gets "_2", "_3", ... (the smallest that is free), so that no two
// signals of a kind share their variables and handlers. A command that its
// object handler splits also writes "stval_" + its name, so its name must
// be free among the status names too, and takes its place there.
class SignalNaming {
 public:
  SignalNaming() = default;
  // Learns what naming needs to know of the whole table before the first
  // name: the object variables ("stval_0x%x_0x%x" of every object with a
  // status signal), whose names no signal may take, and which command
  // signals the object handler of their object also writes into.
  explicit SignalNaming(const SignalTable& table);

  // The base name the record is to carry; reported tells whether it differs
  // from the plain base name (suffixed or counted), which the run reports.
  std::string uniqueBaseName(const ZListEntry& record, bool& reported);
  // Makes room for the keys of this many signals.
  void reserve(std::size_t signals) {
    keys_.reserve(signals);
    statusNames_.reserve(signals);
    commandNames_.reserve(signals);
  }

  // A command signal that is not reserved and whose object has an object
  // handler that splits the value into every signal of the object (its
  // first unreserved status signal is not a wide object): that handler
  // writes "stval_" + the command's name too.
  bool isSplitByObjectHandler(const ZListEntry& record) const;

 private:
  StringSet keys_;
  // The final names given so far, per kind.
  StringSet statusNames_;
  StringSet commandNames_;
  // Per name that needed a counter (per kind: "st", "co", and "sp" for
  // split commands, + the name): the last counter given, where the
  // search for a free one goes on (names are only ever added, so the
  // smallest free counter never goes down).
  std::unordered_map<std::string, unsigned> lastCounter_;
  // Per object with an unreserved status signal: whether the first such
  // signal is of a wide object.
  std::unordered_map<uint64_t, bool> firstStatusIsWide_;
};
// The variables of one signal, formed from its final base name.
struct SignalVariableNames {
  std::string trigger;         // "sc_" (command) or "gs_" (status)
  std::string value;           // "coval_" (command) or "stval_" (status)
  std::string objectVariable;  // status only: "stval_0x%x_0x%x"; empty for a command
  // What the duplicate report shows: the variable that displays the value on
  // a panel and the one whose change starts an SDO download.
  std::string panelVariable;
  std::string downloadVariable;
};
SignalVariableNames signalVariableNames(const ZListEntry& record, const std::string& baseName);

// One environment variable to enter into the signal database.
struct EnvVarEntry {
  std::string name;
  int32_t typeCode = 0;
  uint64_t minimum = 0;
  uint64_t maximum = 0;
  uint64_t initial = 0;
  // Shared by several signals (the object variable of one object, say):
  // the first of them enters it, the others find it in the database.
  bool onlyWhenAbsent = false;
};

// "ID_" + DUT name, "ID_Dut", "ID_" + tester name, "ID_ActualClient".
std::vector<EnvVarEntry> nodeVariableEntries(const std::string& dutName, const std::string& testerName);
// One warning per node variable that serves more than one of those roles
// (-nme Dut makes "ID_Dut" the DUT's name and its node id), the roles in
// the order above:
//   Warning: environment variable "ID_Dut" serves both the device under
//   test's name (-nme) and the device under test's node id
// (one line; three roles read "serves A, B and C").
std::vector<std::string> sharedNodeVariableWarnings(const std::string& dutName, const std::string& testerName);
// Command: trigger, value and, for a command signal that its object handler
// splits (splitValue not empty), that value variable ("stval_" + name),
// entered only when absent. Status: trigger, object variable, value.
// With splitTwoWordObjects (-wide) the values of an object of 33 to 64 bits
// are numbers, as those of narrower objects (floating above 32 bits), and
// such an object needs no object variable.
std::vector<EnvVarEntry> signalVariableEntries(const ZListEntry& record, const SignalVariableNames& names,
                                               const std::string& splitValue = std::string(),
                                               bool splitTwoWordObjects = false);
