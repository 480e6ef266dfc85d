// Reads what a workbook stream of an .xls file (BIFF5 or BIFF8 records)
// says about number formats, sheets and the values of number, formula and
// boolean cells. Text cells are left to the .xls library, which reads the
// shared string table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "input/sources/ZDisplayText.h"

struct ZBiffSheet {
  std::string name;  // UTF-8
  uint32_t offset = 0;  // of the sheet's records in the stream
  uint64_t rows = 0;     // as its dimensions record declares them
  uint64_t columns = 0;
};

// One cell value the records carry directly.
struct ZBiffValue {
  uint32_t row = 0;  // 0-based
  uint32_t column = 0;
  std::string text;  // what the cell displays
};

class ZBiffWorkbook {
 public:
  // Reads the workbook globals and every sheet's dimensions. False when
  // the stream is not a BIFF5 or BIFF8 workbook.
  bool load(std::string stream);
  const std::vector<ZBiffSheet>& sheets() const { return sheets_; }
  // The display texts of the sheet's number, formula and boolean cells,
  // ordered by row and column. False when its records are damaged.
  bool readValues(std::size_t sheet, std::vector<ZBiffValue>& values) const;
  // The number format of a cell style (general for an unknown style).
  ZNumberFormat formatOfStyle(uint32_t style) const;

 private:
  std::string stream_;
  bool biff8_ = true;
  std::vector<ZNumberFormat> styleFormats_;
  std::vector<ZBiffSheet> sheets_;
};

// The number an RK value (the packed number of RK and MULRK records)
// stands for.
double biffRkValue(uint32_t rk);
