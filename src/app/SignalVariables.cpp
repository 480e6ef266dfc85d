#include "app/SignalVariables.h"

#include "database/VariableAttributes.h"
#include "util/Identifier.h"
#include "util/StringFormat.h"

bool isCommandSignal(const ZListEntry& record) { return record.commandOrStatus == 1; }

std::string signalBaseName(const std::string& signalName) {
  return sanitizeIdentifier(toLowerAscii(signalName), "");
}

std::string signalKey(const ZListEntry& record, const std::string& baseName) {
  return (isCommandSignal(record) ? "co" : "st") + baseName;
}

std::string duplicateBaseName(const ZListEntry& record, const std::string& baseName) {
  return baseName + strFormat("_obj%x_sub%x_pos%i", record.objectIndex, record.objectSubIndex,
                              record.signalOffset);
}

namespace {

// The part of the object variable's name after "stval_".
std::string objectVariableSuffix(const ZListEntry& record) {
  return "0x" + hexText(record.objectIndex) + "_0x" + hexText(record.objectSubIndex);
}

}  // namespace

SignalNaming::SignalNaming(const SignalTable& table) {
  reserve(table.count());
  for (const ZListEntry& record : table) {
    if (isCommandSignal(record)) continue;
    // The object variable is entered for reserved status signals too.
    const std::string objectName = objectVariableSuffix(record);
    statusNames_.insertCopy(objectName);
    commandNames_.insertCopy(objectName);
    if (record.signalReserved != 1) firstStatusIsWide_.emplace(objectNumber(record), isWideObject(record));
  }
}

std::string SignalNaming::uniqueBaseName(const ZListEntry& record, bool& reported) {
  const std::string baseName = signalBaseName(record.signalName);
  // A duplicate's key is remembered once; seeing it again only matters as
  // "seen before", so a set gives the same names as a list of every key.
  reported = !keys_.insertCopy(signalKey(record, baseName));
  std::string name = reported ? duplicateBaseName(record, baseName) : baseName;
  // A command that its object handler splits writes "stval_" + its name as
  // status signals do: its name must be free among theirs as well.
  const bool split = isSplitByObjectHandler(record);
  StringSet& given = isCommandSignal(record) ? commandNames_ : statusNames_;
  const auto isFree = [&](const std::string& candidate) {
    return !given.contains(candidate) && !(split && statusNames_.contains(candidate));
  };
  const auto take = [&](const std::string& candidate) {
    given.insertCopy(candidate);
    if (split) statusNames_.insertCopy(candidate);
    return candidate;
  };
  if (isFree(name)) return take(name);
  reported = true;
  // Split commands look among two kinds of names, so their counters are
  // kept apart from those of the other commands.
  const std::string counterKey = (split ? "sp" : isCommandSignal(record) ? "co" : "st") + name;
  unsigned& counter = lastCounter_.emplace(counterKey, 1).first->second;
  for (;;) {
    std::string counted = name + "_" + std::to_string(++counter);
    if (isFree(counted)) return take(counted);
  }
}

bool SignalNaming::isSplitByObjectHandler(const ZListEntry& record) const {
  if (!isCommandSignal(record) || record.signalReserved == 1) return false;
  const auto found = firstStatusIsWide_.find(objectNumber(record));
  return found != firstStatusIsWide_.end() && !found->second;
}

SignalVariableNames signalVariableNames(const ZListEntry& record, const std::string& baseName) {
  SignalVariableNames names;
  if (isCommandSignal(record)) {
    names.trigger = "sc_" + baseName;
    names.value = "coval_" + baseName;
    names.panelVariable = names.trigger;
    names.downloadVariable = names.value;
  } else {
    names.trigger = "gs_" + baseName;
    names.value = "stval_" + baseName;
    names.objectVariable = "stval_" + objectVariableSuffix(record);
    names.panelVariable = names.value;
    names.downloadVariable = names.trigger;
  }
  return names;
}

namespace {

// The node ids are CANopen node ids of the tester setup, 0 to 16.
constexpr uint64_t kNodeIdMaximum = 16;

EnvVarEntry numeric(const std::string& name, uint64_t maximum, uint64_t initial = 0) {
  EnvVarEntry entry;
  entry.name = name;
  entry.typeCode = kTypeCodeNumeric;
  entry.maximum = maximum;
  entry.initial = initial;
  return entry;
}

// Values of objects wider than 32 bits travel as strings in the scripts,
// unless -wide splits an object of up to 64 bits into numbers.
int32_t valueTypeCode(const ZListEntry& record, bool splitTwoWordObjects) {
  if (splitTwoWordObjects && isTwoWordObject(record)) {
    return hasFloatingValue(record) ? kTypeCodeFloating : kTypeCodeNumeric;
  }
  return isWideObject(record) ? kTypeCodeString : kTypeCodeNumeric;
}

}  // namespace

std::vector<EnvVarEntry> nodeVariableEntries(const std::string& dutName, const std::string& testerName) {
  return {
      numeric(strFormat("ID_%s", sanitizeIdentifier(dutName, "").c_str()), kNodeIdMaximum),
      numeric("ID_Dut", kNodeIdMaximum),
      numeric(strFormat("ID_%s", sanitizeIdentifier(testerName, "").c_str()), kNodeIdMaximum),
      numeric("ID_ActualClient", kNodeIdMaximum),
  };
}

std::vector<EnvVarEntry> signalVariableEntries(const ZListEntry& record, const SignalVariableNames& names,
                                               const std::string& splitValue, bool splitTwoWordObjects) {
  const uint64_t signalMaximum = maxValueOfBits(record.signalSize);
  const int32_t typeCode = valueTypeCode(record, splitTwoWordObjects);
  std::vector<EnvVarEntry> entries;
  entries.push_back(numeric(names.trigger, 1));
  if (isCommandSignal(record)) {
    // A command value starts at its maximum.
    EnvVarEntry value = numeric(names.value, signalMaximum, signalMaximum);
    value.typeCode = typeCode;
    entries.push_back(value);
    if (!splitValue.empty()) {
      EnvVarEntry split = numeric(splitValue, signalMaximum);
      split.typeCode = typeCode;
      split.onlyWhenAbsent = true;
      entries.push_back(split);
    }
    return entries;
  }
  // The upload response splits such an object without it.
  if (!(splitTwoWordObjects && isTwoWordObject(record))) {
    EnvVarEntry object = numeric(names.objectVariable,
                                 record.objectSize <= 0 ? 1 : maxValueOfBits(record.objectSize));
    object.typeCode = typeCode;
    object.onlyWhenAbsent = true;
    entries.push_back(object);
  }
  EnvVarEntry value = numeric(names.value, signalMaximum);
  value.typeCode = typeCode;
  entries.push_back(value);
  return entries;
}

std::vector<std::string> sharedNodeVariableWarnings(const std::string& dutName, const std::string& testerName) {
  // The role of each node variable, in the order of nodeVariableEntries.
  static const char* const kRoles[] = {
      "the device under test's name (-nme)",
      "the device under test's node id",
      "the tester's name (-tme)",
      "the active client's node id",
  };
  const std::vector<EnvVarEntry> entries = nodeVariableEntries(dutName, testerName);
  std::vector<std::string> warnings;
  for (std::size_t first = 0; first < entries.size(); ++first) {
    std::vector<std::string> roles;
    bool reportedBefore = false;
    for (std::size_t other = 0; other < entries.size(); ++other) {
      if (entries[other].name != entries[first].name) continue;
      if (other < first) reportedBefore = true;
      roles.push_back(kRoles[other]);
    }
    if (reportedBefore || roles.size() < 2) continue;
    std::string listed = roles.size() == 2 ? "both " + roles[0] : roles[0];
    for (std::size_t i = 1; i + 1 < roles.size(); ++i) listed += ", " + roles[i];
    listed += " and " + roles.back();
    warnings.push_back("Warning: environment variable \"" + entries[first].name + "\" serves " + listed);
  }
  return warnings;
}
