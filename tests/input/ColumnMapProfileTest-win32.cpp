// The column map reader against the profile reader of Windows itself:
// generated maps, each written to a file, every key asked of both with the
// program's default and with one that no map gives, so that a missing or
// empty value cannot pass for a 0. The maps are made from a fixed seed, so
// that a disagreement repeats; CO447GEN_COLUMN_MAP_SEED and
// CO447GEN_COLUMN_MAP_COUNT choose other maps.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "input/ColumnMapFile.h"
#include "util/WindowsText.h"

namespace {

const uint64_t kSeed = 19447;
const unsigned kMaps = 2000;
const int kDefaults[] = {0, -7777};

// The keys the sheet reader asks for.
const std::vector<std::string> kProgramKeys = {
    "SkipRows",      "ObjectIndex",     "SignalName",   "ObjectSize",    "ObjectSubIndex", "SignalOffset",
    "SignalSize",    "SignalReserved",  "SignalIsUsed", "CommandOrStatus", "IsUsedButNotImplemented",
    "IsUsedStatus",  "IsUsedCommand",   "ObjectName",   "SignalNameShort", "IsUsedPDO",
};
// Names the program does not ask for: look-alikes of its keys, and names
// beyond ASCII (UTF-8).
const std::vector<std::string> kOtherKeys = {
    "Skip Rows", "SkipRow", "SkipRowsX", "A", "Note", "Sheet", "Gr\xC3\xB6\xC3\x9F" "e", "\xD0\x98\xD0\xBC\xD1\x8F",
};

// SplitMix64: the same sequence with every compiler and library.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint32_t next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
  }
  unsigned below(std::size_t n) { return static_cast<unsigned>(next() % n); }
  bool percent(unsigned p) { return below(100) < p; }
  const std::string& pick(const std::vector<std::string>& items) { return items[below(items.size())]; }

 private:
  uint64_t state_;
};

struct Map {
  std::string bytes;
  // The key names its lines give (trimmed, as one asks for them); names
  // other than ASCII are left out of a UTF-16 map, whose names the reader
  // keeps as ASCII only.
  std::vector<std::string> names;
};

// Writes one map: a random layout of sections, keys, comments and junk in
// the many spellings users' editors and tools produce.
class MapMaker {
 public:
  explicit MapMaker(Random& random) : r_(random) {}

  Map make() {
    text_.clear();
    names_.clear();
    const unsigned lineEnd = r_.below(3);
    eol_ = lineEnd == 0 ? "\r\n" : lineEnd == 1 ? "\n" : "\r";
    const unsigned kind = r_.below(100);
    if (kind < 2) return whole(r_.pick({"", "   \n\t\n", "garbage"}));
    if (kind < 8) keyLines(r_.below(4));  // keys before any section
    for (unsigned i = r_.below(3); i > 0; --i) section(otherSection(), r_.below(4));
    if (r_.percent(92)) section("XLSImport", r_.below(24));
    if (r_.percent(30)) {
      if (r_.percent(50)) section(otherSection(), r_.below(3));
      section("XLSImport", 1 + r_.below(6));  // a repeated section
    }
    for (unsigned i = r_.below(3); i > 0; --i) section(otherSection(), r_.below(4));
    if (r_.percent(15)) {
      while (!text_.empty() && (text_.back() == '\n' || text_.back() == '\r')) text_.pop_back();  // no last line end
    }
    return encoded();
  }

 private:
  Map whole(const std::string& text) {
    text_ = text;
    return encoded();
  }

  // A byte order mark or two, or the map as UTF-16.
  Map encoded() {
    Map map;
    const unsigned kind = r_.below(100);
    if (kind < 6) {
      const bool bigEndian = kind < 3;
      const bool mark = kind != 0 && kind != 3;  // UTF-16 without a mark is not UTF-16 to anyone
      std::string bytes = mark ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
      for (wchar_t c : wideText(text_)) {
        const char high = static_cast<char>(c >> 8);
        const char low = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
      }
      map.bytes = bytes;
      for (const std::string& name : names_) {
        bool ascii = true;
        for (char c : name) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        if (ascii) map.names.push_back(name);
      }
      return map;
    }
    map.bytes = kind < 20 ? "\xEF\xBB\xBF" + text_ : kind < 23 ? "\xEF\xBB\xBF\xEF\xBB\xBF" + text_ : text_;
    map.names = names_;
    return map;
  }

  std::string otherSection() {
    return r_.pick({"Other", "XLS Import", "XLSImport2", "xlsimport ]", "", "XLSImport=1", "[XLSImport",
                    std::string("XLS\0Import", 10), std::string("XLSImport\0junk", 14), "Export"});
  }

  void line(const std::string& text) {
    text_ += text;
    // Now and then a line of another ending, as when maps are pasted together.
    text_ += r_.percent(8) ? r_.pick({"\r\n", "\n", "\r", "\r\r\n", "\n\r"}) : eol_;
  }

  void section(const std::string& name, unsigned keys) {
    std::string header = indent() + "[" + blanks(20) + mixedCase(name) + blanks(20);
    const unsigned kind = r_.below(100);
    if (kind < 3) {
      line(header);  // unclosed
    } else {
      header += "]";
      if (kind < 20) header += r_.pick({" ; the map", " trailing text", "]", " x ] y", "\t# tool", "="});
      line(header);
    }
    keyLines(keys);
  }

  void keyLines(unsigned count) {
    for (unsigned i = 0; i < count; ++i) {
      const unsigned kind = r_.below(100);
      if (kind < 62) {
        keyLine();
      } else if (kind < 70) {
        commentLine();
      } else if (kind < 78) {
        line(r_.pick({"", "   ", "\t", "\x1a", " \x0b\x0c "}));
      } else if (kind < 86) {
        noEqualsLine();
      } else {
        junkLine();
      }
    }
  }

  std::string keyName() {
    return r_.percent(75) ? r_.pick(kProgramKeys) : r_.pick(kOtherKeys);
  }

  void keyLine() {
    const std::string name = mixedCase(keyName());
    names_.push_back(name);
    std::string text = indent() + name;
    if (r_.percent(3)) text += std::string(1, '\0') + "Junk";  // a NUL ends the name
    line(text + blanks(25) + "=" + blanks(25) + value() + (r_.percent(10) ? blanks(100) : ""));
  }

  void commentLine() {
    const std::string mark = r_.pick({";", "#", "; ", "# ", ";;"});
    if (r_.percent(60)) {
      const std::string name = mark + mixedCase(keyName());
      names_.push_back(name);
      line(indent() + name + "=" + value());
    } else {
      line(indent() + mark + r_.pick({"", " rows above the data", " columns: A=1", " [XLSImport]"}));
    }
  }

  // A key without "=", whose value must not count, and may hide a later
  // line of the same key.
  void noEqualsLine() {
    const std::string name = mixedCase(keyName());
    const unsigned kind = r_.below(3);
    if (kind == 0) {
      names_.push_back(name);
      line(indent() + name);
    } else if (kind == 1) {
      line(indent() + name + " " + value());
    } else {
      line(indent() + name + ":" + value());
    }
  }

  void junkLine() {
    const unsigned kind = r_.below(7);
    if (kind == 0) line(std::string(1 + r_.below(4), '\0'));
    if (kind == 1) line(std::string(5 + r_.below(5000), 'K') + "=1");
    if (kind == 2) line("=" + value());
    if (kind == 3) line(std::string("\x01\x02\x7f\x1b", 1 + r_.below(4)) + keyName() + "=" + value());
    if (kind == 4) line(std::string(300 + r_.below(3000), 'x'));
    if (kind == 5) line("[" + mixedCase(keyName()));
    if (kind == 6) line("\xC2\xA0" + keyName() + "=" + value());
  }

  std::string value() {
    const unsigned kind = r_.below(100);
    if (kind < 8) return r_.pick({"", "   ", "\t"});
    std::string text = r_.percent(5) ? r_.pick({"\x01\x02", "\x7f", "\xC2\xA0", "\x0b", std::string(1, '\0')}) : "";
    if (r_.percent(15)) text += r_.pick({"-", "+", "--", "+-", "- ", "-0", " "});
    text += number();
    if (r_.percent(25)) {
      text += r_.pick({"abc", " ; rows above", ";x", ".9", std::string(1, '\0') + "4", " x", "\xEF\xBC\x93", "]",
                       std::string(40, ' ') + "x", std::string(100 + r_.below(2000), 'x')});
    }
    return quoted(text);
  }

  std::string number() {
    const unsigned kind = r_.below(100);
    if (kind < 50) return std::to_string(r_.below(kind < 40 ? 30 : 100000));
    if (kind < 62) {
      // A base prefix in either case and its digits, now and then one that
      // is no digit of the base.
      const unsigned base = r_.below(3);
      const std::string digits = base == 0 ? "0123456789abcdefABCDEFg" : base == 1 ? "012" : "012345678";
      std::string text = mixedCase(std::string("0") + "xbo"[base]);
      for (unsigned i = r_.below(10); i > 0; --i) text += digits[r_.below(digits.size())];
      return text;
    }
    if (kind < 74) {
      // Large: near and beyond the 32-bit limits.
      return r_.pick({"2147483647", "2147483648", "4294967295", "4294967296", "4294967299", "99999999999",
                      "18446744073709551617", std::to_string(r_.next()) + std::to_string(r_.next())});
    }
    if (kind < 90) {
      // Leading zeros up to and beyond the profile reader's buffer.
      return std::string(20 + r_.below(14), '0') + std::to_string(1 + r_.below(99));
    }
    return r_.pick({"abc", "x", "", "=4", "[3]", "\xEF\xBC\x95"});
  }

  std::string quoted(const std::string& text) {
    const unsigned kind = r_.below(100);
    if (kind < 70) return text;
    if (kind < 80) return "\"" + text + "\"";
    if (kind < 86) return "'" + text + "'";
    return r_.pick({"\"" + text + "'", "\"" + text, text + "\"", "\"\"" + text + "\"\"", "\"" + text + "\"x",
                    "'" + text + "'  ", " \"" + text + "\" "});
  }

  // Blanks around names and "=": spaces and tabs mostly, the other bytes
  // the profile reader trims now and then.
  std::string blanks(unsigned p) {
    if (!r_.percent(p)) return "";
    return r_.pick({" ", "  ", "\t", " \t ", "\x0b", "\x0c", "\x1a", "\t\t"});
  }
  std::string indent() { return blanks(10); }

  // ASCII letters in either case; other characters as they are.
  std::string mixedCase(const std::string& name) {
    const unsigned kind = r_.below(10);
    if (kind < 5) return name;
    std::string text = name;
    for (char& c : text) {
      const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
      if (!letter) continue;
      const bool upper = kind < 7 ? true : kind < 9 ? false : r_.percent(50);
      c = static_cast<char>(upper ? (c & ~0x20) : (c | 0x20));
    }
    return text;
  }

  Random& r_;
  std::string eol_;
  std::string text_;
  std::vector<std::string> names_;
};

// Bytes as C escapes, for the report of a disagreement; long runs of one
// byte are counted.
std::string escaped(const std::string& bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size();) {
    std::size_t run = 1;
    while (i + run < bytes.size() && bytes[i + run] == bytes[i]) ++run;
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    std::string one;
    if (c == '\n') {
      one = "\\n";
    } else if (c == '\r') {
      one = "\\r";
    } else if (c == '\t') {
      one = "\\t";
    } else if (c < 0x20 || c >= 0x7f || c == '\\') {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      one = hex;
    } else {
      one = std::string(1, static_cast<char>(c));
    }
    if (run > 8) {
      out += one + "{" + std::to_string(run) + "x}";
      i += run;
    } else {
      out += one;
      ++i;
    }
    if (c == '\n' || (c == '\r' && (i >= bytes.size() || bytes[i] != '\n'))) out += "\n    ";
  }
  return out;
}

uint64_t environmentNumber(const char* name, uint64_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

TEST(ColumnMapProfile, GeneratedMapsReadAsGetPrivateProfileIntAReadsThem) {
  const uint64_t seed = environmentNumber("CO447GEN_COLUMN_MAP_SEED", kSeed);
  const uint64_t maps = environmentNumber("CO447GEN_COLUMN_MAP_COUNT", kMaps);
  Random random(seed);
  MapMaker maker(random);
  testsupport::TempDir dir;
  uint64_t keys = 0;
  uint64_t keysWithValue = 0;  // by the profile reader
  uint64_t disagreements = 0;
  for (uint64_t index = 0; index < maps; ++index) {
    const Map map = maker.make();
    // A new file for every map: the profile reader keeps files it has read.
    const std::string path = dir.file("map-" + std::to_string(index) + ".ini");
    testsupport::writeFile(path, map.bytes);
    std::string windowsPath = path;
    for (char& c : windowsPath) {
      if (c == '/') c = '\\';
    }
    ColumnMapFile reader;
    reader.load(path);

    std::vector<std::string> asked = kProgramKeys;
    std::set<std::string> seen(asked.begin(), asked.end());
    for (const std::string& name : map.names) {
      if (!name.empty() && seen.insert(name).second) asked.push_back(name);
    }
    bool mapShown = false;
    for (const std::string& key : asked) {
      ++keys;
      std::string differences;
      for (int missing : kDefaults) {
        const int windows =
            static_cast<int>(GetPrivateProfileIntA("XLSImport", key.c_str(), missing, windowsPath.c_str()));
        const int ours = reader.value(key, missing);
        if (missing != 0 && windows != missing) ++keysWithValue;
        if (windows != ours) {
          differences += " default " + std::to_string(missing) + ": GetPrivateProfileIntA " + std::to_string(windows) +
                         ", reader " + std::to_string(ours) + ";";
        }
      }
      if (differences.empty()) continue;
      if (++disagreements > 20) continue;  // the first ones are shown
      if (!mapShown) {
        std::cout << "seed " << seed << ", map " << index << ":\n    " << escaped(map.bytes) << "\n";
        mapShown = true;
      }
      std::cout << "  key \"" << escaped(key) << "\":" << differences << "\n";
    }
  }
  std::cout << "maps " << maps << ", keys " << keys << ", disagreements " << disagreements << " (" << keysWithValue
            << " keys with a value; seed " << seed << ", code page " << GetACP() << ")\n";
  RecordProperty("maps", std::to_string(maps));
  RecordProperty("keys", std::to_string(keys));
  RecordProperty("keysWithValue", std::to_string(keysWithValue));
  RecordProperty("disagreements", std::to_string(disagreements));
  EXPECT_EQ(disagreements, 0u);
  // Maps that give hardly any key a value would compare nothing.
  EXPECT_GT(keysWithValue, keys / 5);
}

}  // namespace
