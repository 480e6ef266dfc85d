#include "macros/MacroNaming.h"

#include "app/Identifier.h"
#include "macros/ZCo447MacroDefinition.h"
#include "util/StringSet.h"

std::string shortNameIdentifier(const ZListEntry& record) {
  std::string identifier;
  appendIdentifier(identifier, record.signalNameShort, true);
  return identifier;
}

ZMacroNaming::ZMacroNaming(const ZSignalTable& table) {
  // Macro names of different objects never meet: the object label follows
  // the last "_" of a name and holds none itself. So every identifier is
  // looked at together with its object label, as "<label>/<identifier>".
  struct HeaderSignal {
    const ZListEntry* record;
    std::string label;
    std::string identifier;
  };
  std::vector<HeaderSignal> signals;
  std::unordered_map<std::string, unsigned> uses;
  bool anyShared = false;
  for (const ZListEntry& record : table) {
    if (!isHeaderSignal(record)) continue;
    HeaderSignal signal{&record, objectLabel(record), shortNameIdentifier(record)};
    anyShared |= ++uses[signal.label + "/" + signal.identifier] > 1;
    signals.push_back(std::move(signal));
  }
  if (!anyShared) return;

  // The identifiers that stay as they are keep their names; the renamed
  // ones take theirs in table order.
  ZStringSet taken;
  for (const HeaderSignal& signal : signals) {
    const std::string key = signal.label + "/" + signal.identifier;
    if (uses[key] == 1) taken.insertCopy(key);
  }
  // Per renamed identifier that needed a counter, the last one given: the
  // search for a free counter goes on from there.
  std::unordered_map<std::string, unsigned> lastCounter;
  for (const HeaderSignal& signal : signals) {
    if (uses[signal.label + "/" + signal.identifier] == 1) continue;
    const std::string renamed = signal.identifier + "_pos" + std::to_string(signal.record->signalOffset);
    std::string identifier = renamed;
    if (!taken.insertCopy(signal.label + "/" + identifier)) {
      unsigned& counter = lastCounter.emplace(signal.label + "/" + renamed, 1).first->second;
      do {
        identifier = renamed + "_" + std::to_string(++counter);
      } while (!taken.insertCopy(signal.label + "/" + identifier));
    }
    renameOf_.emplace(signal.record, renames_.size());
    renames_.push_back({signal.record, signal.identifier, std::move(identifier)});
  }
}

const std::string* ZMacroNaming::renamedIdentifier(const ZListEntry& record) const {
  if (renameOf_.empty()) return nullptr;
  const auto found = renameOf_.find(&record);
  return found == renameOf_.end() ? nullptr : &renames_[found->second].identifier;
}

std::string macroRenameWarning(const ZMacroRename& rename) {
  return "Warning: signals of object " + objectLabel(*rename.record) + " share the macro name \"" +
         rename.sharedIdentifier + "\"; signal \"" + rename.record->signalName + "\" gets \"" +
         rename.identifier + "\"";
}
