// The column map: an ini file whose section "XLSImport" tells on which row
// the data of a sheet begins and in which column each value stands. It is
// read the way the Windows profile functions read an ini file, since the
// maps in use were written for them:
//
// - lines end at LF or CR; a UTF-8 byte order mark is skipped, and a file
//   with a UTF-16 byte order mark is read as UTF-16;
// - a line is trimmed of blanks (space, tab, LF, VT, FF, CR, Ctrl-Z) at
//   both ends, so indented keys and sections count;
// - "[name]" starts a section: the name is what stands between "[" and the
//   last "]" of the line, trimmed; text after that "]" is ignored;
// - only the first section named "XLSImport" counts; a later one of the
//   same name is ignored whole;
// - only "=" separates a key from its value; a line without "=" is a key
//   without a value; ";" and "#" lines are keys no one asks for;
// - names match without regard to ASCII case, and of repeated keys the
//   first counts; a NUL byte ends a name or a value.
#pragma once

#include <map>
#include <string>

class ColumnMapFile {
 public:
  // Reads the keys of the first section "XLSImport". A file that cannot be
  // read leaves every key missing.
  void load(const std::string& path);
  // The same from the file's bytes.
  void parse(const std::string& bytes);

  // The key's value read as an integer (profileIntValue); missing (the
  // profile reader's default) for a missing key, a key without a value or a
  // value that is empty once its quotes are dropped.
  int value(const std::string& key, int missing = 0) const;

  // Whether section "XLSImport" gave any key with a value. A file without
  // one (no section, or no ini text at all) maps every column to 0.
  bool hasEntries() const { return hasEntries_; }

 private:
  struct Entry {
    bool hasValue = false;
    std::string value;
  };
  std::map<std::string, Entry> entries_;  // by lower-cased key
  bool hasEntries_ = false;
};

// The integer a profile reader makes of a key's value (blanks already
// trimmed): a value in one pair of matching quotes (" or ') loses them;
// only the first 29 characters are looked at (the profile reader's buffer);
// then control characters and blanks are skipped, a "+" or "-" read, a
// lower-case "0x", "0o" or "0b" prefix selects base 16, 8 or 2, and the
// digits are read up to the first other character. The value wraps around
// in 32 bits. No digits give 0.
int profileIntValue(const std::string& text);
