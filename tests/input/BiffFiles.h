// Writes .xls workbooks for the reader tests: BIFF records, workbook
// streams of sheets and the compound file around them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace bifffiles {

std::string u16(uint16_t value);
std::string u32(uint32_t value);
std::string f64(double value);

// One record: its id, its length and its data.
std::string record(uint16_t id, const std::string& data);

// Characters as a BIFF8 string stores them: 8-bit (each char a code point
// below 256) or UTF-16LE (each char16_t a code unit).
std::string chars8(const std::string& latin1);
std::string chars16(const std::u16string& text);

// A BIFF8 string with a 16-bit character count: count, flags, characters.
std::string string8(const std::string& latin1);
std::string string16(const std::u16string& text);

// Cell records (row and column 0-based, style 15).
std::string number(uint16_t row, uint16_t column, double value, uint16_t style = 15);
std::string labelSst(uint16_t row, uint16_t column, uint32_t index);
// LABEL with the string as given (a BIFF8 or BIFF5 string).
std::string label(uint16_t row, uint16_t column, const std::string& string);
// A formula whose result is a text, shown by the STRING record after it.
std::string textFormula(uint16_t row, uint16_t column);

struct Sheet {
  std::string name;     // as the BOUNDSHEET record stores it (count, flags, characters)
  std::string records;  // between the sheet's BOF and EOF
  uint8_t type = 0;     // 0 worksheet, 2 chart
};

// A workbook stream: the globals BOF, the globals records, one BOUNDSHEET
// per sheet, EOF, then each sheet's substream. BIFF8 (0x0600) or BIFF5
// (0x0500).
std::string workbookStream(const std::string& globals, const std::vector<Sheet>& sheets, bool biff8 = true);

// A compound file (512-byte sectors) with the streams below the root;
// streams under 4096 bytes go into the mini stream, as writers store them.
std::string compoundFile(const std::vector<std::pair<std::string, std::string>>& streams);

}  // namespace bifffiles
