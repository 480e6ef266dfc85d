// What the bytes of an XML document are to its readers: the general pull
// reader and the fast sheet row scanner look them up in this one table, so
// that both take a blank, the end of a name or a byte needing decoding the
// same way.
#pragma once

#include <cstdint>
#include <string_view>

namespace xmlbytes {

enum : uint8_t {
  kBlank = 1,
  kNameEnd = 2,            // ends a name: a blank, "/", ">", "=", "<"
  kTextSpecial = 4,        // needs decoding in text: "&", CR
  kAttributeSpecial = 8,   // needs decoding in an attribute value: "&", CR, tab, LF
  kTextStop = 16,          // ends or spoils a plain text: "<", "&", CR
  kValueStop = 32,         // ends or spoils a plain attribute value: a quote, "<", "&", CR, tab, LF
};

struct Classes {
  uint8_t of[256] = {};
  Classes() {
    for (unsigned char c : std::string_view(" \t\n\r")) of[c] |= kBlank | kNameEnd;
    for (unsigned char c : std::string_view("/>=<")) of[c] |= kNameEnd;
    for (unsigned char c : std::string_view("&\r")) of[c] |= kTextSpecial | kAttributeSpecial;
    for (unsigned char c : std::string_view("\t\n")) of[c] |= kAttributeSpecial;
    for (unsigned char c : std::string_view("<&\r")) of[c] |= kTextStop;
    for (unsigned char c : std::string_view("\"'<&\r\t\n")) of[c] |= kValueStop;
  }
};
inline const Classes kClasses;

// Whether c is in any of the classes.
inline bool is(char c, uint8_t classes) { return (kClasses.of[static_cast<unsigned char>(c)] & classes) != 0; }

// The local name of a qualified name: what follows its last ":".
inline std::string_view localName(std::string_view qualified) {
  for (std::size_t i = qualified.size(); i > 0; --i) {
    if (qualified[i - 1] == ':') return qualified.substr(i);
  }
  return qualified;
}

}  // namespace xmlbytes
