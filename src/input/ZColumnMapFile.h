// The column map: an ini file whose section "XLSImport" tells on which row
// the data of a sheet begins and in which column each value stands.
#pragma once

#include <map>
#include <string>

class ZColumnMapFile {
 public:
  // Reads the keys of section "XLSImport" (section and key names match
  // without regard to case; the first of repeated keys counts). A file that
  // cannot be read leaves every key missing.
  void load(const std::string& path);

  // The key's value read as a decimal integer; 0 for a missing key.
  int value(const std::string& key) const;

  // Whether the file gave any key of section "XLSImport". A file without
  // one (no section, or no ini text at all) maps every column to 0.
  bool hasEntries() const { return !values_.empty(); }

 private:
  std::map<std::string, std::string> values_;  // by lower-cased key
};

// Reads text like atoi: leading blanks, an optional sign, the digits up to
// the first other character; 0 without digits. Values beyond the int range
// are clamped to it.
int profileIntValue(const std::string& text);
