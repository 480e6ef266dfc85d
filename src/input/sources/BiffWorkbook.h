// Reads the workbook stream of an .xls file (BIFF5 or BIFF8 records): the
// workbook globals (code page, number formats, cell styles, the sheets and
// the shared string table) and, sheet by sheet, the cells with their
// values. Every length and index is checked against the stream, so a
// damaged stream gives fewer cells or a failure, never a read outside it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "input/sources/DisplayText.h"

struct BiffSheet {
  std::string name;     // UTF-8
  uint32_t offset = 0;  // of the sheet's BOF record in the stream
  bool hasCells = true;  // false for chart sheets and macro modules
  uint64_t rows = 0;     // as its dimensions record declares them
  uint64_t columns = 0;
};

// One cell as its record stores it.
struct BiffCell {
  enum class Kind : uint8_t { number, sharedString, text, boolean, error };
  uint16_t row = 0;  // 0-based
  uint16_t column = 0;
  Kind kind = Kind::number;
  uint8_t code = 0;    // boolean: 0 or 1; error: the error code
  uint16_t style = 0;  // the cell's XF record
  uint32_t index = 0;  // shared string: its index; text: its start in texts
  uint32_t length = 0;  // text: its length in bytes
  double number = 0;
};

// The cells of one sheet, ordered by row and column, one per address.
struct BiffSheetCells {
  std::vector<BiffCell> cells;
  std::string texts;  // the UTF-8 texts of the text cells, one after another

  // The cell at the address, null for an empty cell.
  const BiffCell* find(uint32_t row, uint32_t column) const;
  // How many rows hold cells.
  std::size_t rowCount() const;
  void clear();
};

class BiffWorkbook {
 public:
  // Cells beyond these limits of the file format are ignored.
  static constexpr uint32_t kRowLimit = 65536;
  static constexpr uint32_t kColumnLimit = 256;

  // Reads the workbook globals and every sheet's dimensions. False when the
  // stream is not a BIFF5 or BIFF8 workbook, is encrypted, or names more
  // sheets than the format counts (65535).
  bool load(std::string stream);
  const std::vector<BiffSheet>& sheets() const { return sheets_; }
  // The code page of the workbook's 8-bit strings (BIFF5); 1200 (UTF-16)
  // in BIFF8 workbooks.
  uint16_t codePage() const { return codePage_; }
  // The sheet's cells. Records inside embedded substreams (charts,
  // drawings) are skipped. False when the sheet's records are damaged.
  bool readCells(std::size_t sheet, BiffSheetCells& cells) const;
  // The number format of a cell style (general for an unknown style).
  NumberFormat formatOfStyle(uint32_t style) const;
  // The text the cell displays.
  std::string displayText(const BiffCell& cell, const BiffSheetCells& sheet) const;

 private:
  std::string stream_;
  bool biff8_ = true;
  uint16_t codePage_ = 1252;
  std::vector<NumberFormat> styleFormats_;
  std::vector<BiffSheet> sheets_;
  std::string sharedTexts_;  // the shared strings, one after another
  std::vector<std::pair<uint32_t, uint32_t>> sharedStrings_;  // start and length in sharedTexts_
};

// The number an RK value (the packed number of RK and MULRK records)
// stands for.
double biffRkValue(uint32_t rk);
