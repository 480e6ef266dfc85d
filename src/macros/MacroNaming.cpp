#include "macros/MacroNaming.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <unordered_set>

#include "macros/ZCo447MacroDefinition.h"
#include "util/Identifier.h"
#include "util/StringSet.h"

std::string shortNameIdentifier(const ZListEntry& record) {
  std::string identifier;
  appendIdentifier(identifier, record.signalNameShort, true);
  return identifier;
}

namespace {

uint64_t mixed(uint64_t value) {
  value += 0x9e3779b97f4a7c15ULL;
  value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ULL;
  value = (value ^ (value >> 27)) * 0x94d049bb133111ebULL;
  return value ^ (value >> 31);
}

// The objects in which two header signals may share an identifier: those
// where two of them have the same hash of object and identifier. Nearly
// every sheet has none, and this costs no string per signal.
std::unordered_set<uint64_t> objectsThatMayShare(const SignalTable& table) {
  struct Entry {
    uint64_t hash;
    uint64_t object;
  };
  std::vector<Entry> entries;
  entries.reserve(table.count());
  std::string identifier;
  for (const ZListEntry& record : table) {
    if (!isHeaderSignal(record)) continue;
    identifier.clear();
    appendIdentifier(identifier, record.signalNameShort, true);
    const uint64_t object = objectNumber(record);
    entries.push_back({mixed(object) ^ std::hash<std::string>()(identifier), object});
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.hash < b.hash; });
  std::unordered_set<uint64_t> objects;
  for (std::size_t i = 1; i < entries.size(); ++i) {
    if (entries[i].hash != entries[i - 1].hash) continue;
    objects.insert(entries[i].object);
    objects.insert(entries[i - 1].object);
  }
  return objects;
}

}  // namespace

MacroNaming::MacroNaming(const SignalTable& table) {
  const std::unordered_set<uint64_t> objects = objectsThatMayShare(table);
  if (objects.empty()) return;

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
  for (const ZListEntry& record : table) {
    if (!isHeaderSignal(record) || objects.count(objectNumber(record)) == 0) continue;
    HeaderSignal signal{&record, objectLabel(record), shortNameIdentifier(record)};
    ++uses[signal.label + "/" + signal.identifier];
    signals.push_back(std::move(signal));
  }

  // The identifiers that stay as they are keep their names; the renamed
  // ones take theirs in table order.
  StringSet taken;
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

const std::string* MacroNaming::renamedIdentifier(const ZListEntry& record) const {
  if (renameOf_.empty()) return nullptr;
  const auto found = renameOf_.find(&record);
  return found == renameOf_.end() ? nullptr : &renames_[found->second].identifier;
}

std::string macroRenameWarning(const MacroRename& rename) {
  return "Warning: signals of object " + objectLabel(*rename.record) + " share the macro name \"" +
         rename.sharedIdentifier + "\"; signal \"" + rename.record->signalName + "\" gets \"" +
         rename.identifier + "\"";
}
