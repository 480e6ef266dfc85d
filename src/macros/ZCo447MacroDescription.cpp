#include "macros/ZCo447MacroDescription.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "macros/MacroText.h"
#include "macros/ZCo447MacroDefinition.h"
#include "macros/ZCo447MacroDefinitionCharacter.h"
#include "macros/ZCo447MacroDefinitionInteger.h"

namespace {

const char* const kBlockHead[] = {
    "  /**********************************************************************************************************************",
    "   * DESCRIPTION",
    "   **********************************************************************************************************************",
    "",
};
const char* const kObjectRule =
    "     ******************************************************************************************************************";
const char* const kGroupTitles[] = {
    "     - macros to get signal values using a character array",
    "     - macros to set signal values using a character array",
    "     - macros to get signal values using an unsigned value",
    "     - macros to set signal values using an unsigned value",
};
const std::string kNotAvailable = "NOT AVAILABLE, SIGNAL IS PAASING BYTE BOUNDARY";
constexpr std::size_t kGroupCount = sizeof kGroupTitles / sizeof kGroupTitles[0];

struct ObjectRecords {
  std::string label;
  std::vector<const ZListEntry*> records;
};

// The unreserved records grouped by object label, objects in order of
// first occurrence, records in table order.
std::vector<ObjectRecords> groupByObject(const SignalTable& table) {
  std::vector<ObjectRecords> objects;
  std::unordered_map<std::string, std::size_t> positionOfLabel;
  for (const ZListEntry& record : table) {
    if (record.signalReserved != 0) continue;
    std::string label = objectLabel(record);
    auto found = positionOfLabel.find(label);
    if (found == positionOfLabel.end()) {
      found = positionOfLabel.emplace(label, objects.size()).first;
      objects.push_back({std::move(label), {}});
    }
    objects[found->second].records.push_back(&record);
  }
  return objects;
}

// Appends "        - signal "<name>" : " and the rest of the entry line.
void appendEntry(std::string& group, std::string_view signalName, const std::string& rest) {
  group += "        - signal \"";
  group += signalName;
  group += "\" : ";
  group += rest;
  group += "\n";
}

}  // namespace

bool ZCo447MacroDescription::writeBody(TextStream& stream, ZGeneratorInterface&) {
  stream.lines(kBlockHead);
  for (const ObjectRecords& object : groupByObject(table_)) {
    stream.line(kObjectRule);
    stream.line("     OBJECT [", object.label, "]");
    stream.line(kObjectRule);

    std::string groups[kGroupCount];
    for (const ZListEntry* record : object.records) {
      if (!isHeaderSignal(*record)) continue;
      const CommentSafeText signalName(record->signalName);
      const std::string* identifier = naming_ != nullptr ? naming_->renamedIdentifier(*record) : nullptr;
      if (liesInOneByte(*record)) {
        appendEntry(groups[0], signalName, ZCo447MacroExtractCharacter(*record, identifier).macroName());
        appendEntry(groups[1], signalName, ZCo447MacroInsertCharacter(*record, identifier).macroName());
      } else {
        appendEntry(groups[0], signalName, kNotAvailable);
        appendEntry(groups[1], signalName, kNotAvailable);
      }
      appendEntry(groups[2], signalName, ZCo447MacroExtractInteger(*record, identifier).macroName());
      appendEntry(groups[3], signalName, ZCo447MacroInsertInteger(*record, identifier).macroName());
    }

    bool anyGroup = false;
    for (std::size_t group = 0; group < kGroupCount; ++group) {
      if (groups[group].empty()) continue;
      stream.line(kGroupTitles[group]);
      stream.write(groups[group]);
      stream.line();
      anyGroup = true;
    }
    if (!anyGroup) {
      stream.line("     - no macros available for this object");
      stream.line();
    }
    stream.line();
  }
  stream.line("*/");
  return true;
}
