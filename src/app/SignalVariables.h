// The names a signal gets in the node scripts and in the signal database,
// and the environment variables entered for it, with their attributes.
#pragma once

#include <cstdint>
#include <string>
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
// before is a duplicate and gets the suffixed base name.
class ZSignalNaming {
 public:
  // The base name the record is to carry; duplicate tells whether it was suffixed.
  std::string uniqueBaseName(const ZListEntry& record, bool& duplicate);
  // Makes room for the keys of this many signals.
  void reserve(std::size_t signals) { keys_.reserve(signals); }

 private:
  ZStringSet keys_;
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
  // Entered only when absent (the object variable, shared by the signals of
  // one object); the others are entered unconditionally.
  bool onlyWhenAbsent = false;
};

// "ID_" + DUT name, "ID_Dut", "ID_" + tester name, "ID_ActualClient".
std::vector<EnvVarEntry> nodeVariableEntries(const std::string& dutName, const std::string& testerName);
// Command: trigger, value. Status: trigger, object variable, value.
std::vector<EnvVarEntry> signalVariableEntries(const ZListEntry& record, const SignalVariableNames& names);
