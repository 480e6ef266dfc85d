#include "app/SignalVariables.h"

#include "app/Identifier.h"
#include "database/VariableAttributes.h"
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

ZSignalNaming::ZSignalNaming(const ZSignalTable& table) {
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

std::string ZSignalNaming::uniqueBaseName(const ZListEntry& record, bool& reported) {
  const std::string baseName = signalBaseName(record.signalName);
  // A duplicate's key is remembered once; seeing it again only matters as
  // "seen before", so a set gives the same names as a list of every key.
  reported = !keys_.insertCopy(signalKey(record, baseName));
  std::string name = reported ? duplicateBaseName(record, baseName) : baseName;
  ZStringSet& given = isCommandSignal(record) ? commandNames_ : statusNames_;
  if (given.insertCopy(name)) return name;
  reported = true;
  unsigned& counter = lastCounter_.emplace(signalKey(record, name), 1).first->second;
  for (;;) {
    std::string counted = name + "_" + std::to_string(++counter);
    if (given.insertCopy(counted)) return counted;
  }
}

bool ZSignalNaming::isSplitByObjectHandler(const ZListEntry& record) const {
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

// Values of objects wider than 32 bits travel as strings in the scripts.
int32_t valueTypeCode(const ZListEntry& record) {
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
                                               const std::string& splitValue) {
  const uint64_t signalMaximum = maxValueOfBits(record.signalSize);
  std::vector<EnvVarEntry> entries;
  entries.push_back(numeric(names.trigger, 1));
  if (isCommandSignal(record)) {
    // A command value starts at its maximum.
    EnvVarEntry value = numeric(names.value, signalMaximum, signalMaximum);
    value.typeCode = valueTypeCode(record);
    entries.push_back(value);
    if (!splitValue.empty()) {
      EnvVarEntry split = numeric(splitValue, signalMaximum);
      split.typeCode = valueTypeCode(record);
      split.onlyWhenAbsent = true;
      entries.push_back(split);
    }
    return entries;
  }
  EnvVarEntry object = numeric(names.objectVariable,
                               record.objectSize <= 0 ? 1 : maxValueOfBits(record.objectSize));
  object.typeCode = valueTypeCode(record);
  object.onlyWhenAbsent = true;
  entries.push_back(object);
  EnvVarEntry value = numeric(names.value, signalMaximum);
  value.typeCode = valueTypeCode(record);
  entries.push_back(value);
  return entries;
}
