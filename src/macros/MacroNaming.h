// The identifiers the signals of the C header carry in their macro names.
//
// A macro name is made of the prefix, the signal's short name as an
// identifier (lower-cased, every other byte "_") and the object label. Two
// header signals of one object whose short names give the same identifier
// would get the same macro names: the header would define each macro twice
// and the later signal's bits would silently replace the earlier one's. So
// when two or more header signals of one object share an identifier, each
// of them gets "_pos" + its offset appended; one that still shares it (the
// same offset too, or a short name that reads like the renamed one) gets a
// further "_2", "_3", ... in table order. Renaming all of them, not only
// the later ones, makes code written against the ambiguous name fail to
// compile instead of quietly changing its meaning.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "input/ZListEntry.h"

// One signal that carries another identifier than its short name gives.
struct MacroRename {
  const ZListEntry* record;
  std::string sharedIdentifier;  // what the short name gives
  std::string identifier;        // what the macro names use
};

class MacroNaming {
 public:
  MacroNaming() = default;
  // Looks at the header signals of the table; the table outlives the naming.
  explicit MacroNaming(const SignalTable& table);

  // The identifier of a renamed signal; null when the short name's own
  // identifier is used.
  const std::string* renamedIdentifier(const ZListEntry& record) const;
  // The renamed signals in table order.
  const std::vector<MacroRename>& renames() const { return renames_; }

 private:
  std::vector<MacroRename> renames_;
  std::unordered_map<const ZListEntry*, std::size_t> renameOf_;
};

// The identifier the short name gives: lower-cased, then the identifier rule.
std::string shortNameIdentifier(const ZListEntry& record);

// "Warning: signals of object <label> share the macro name "<shared>";
// signal "<name>" gets "<identifier>"", without a line end.
std::string macroRenameWarning(const MacroRename& rename);
