// Reads the signal sheet through the column map: every used row becomes one
// ZListEntry of the signal table; rows it cannot use are reported in
// errorText().
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "input/ZExcelSheetReader.h"
#include "input/ZListEntry.h"

class ZIniMapExcelSheetReader : public ZExcelSheetReader {
 public:
  // columnSet 1 reads the nine columns of modes 1 and 3, columnSet 2 the
  // fifteen of mode 2.
  explicit ZIniMapExcelSheetReader(int columnSet);
  ZIniMapExcelSheetReader(int columnSet, CellSourceFactory factory);

  // Reads the column map at iniPath, then the sheet sheetName of the
  // spreadsheet at sheetPath. False when the map or the sheet cannot be
  // read; rejected rows do not make it false.
  bool read(const std::string& sheetPath, const std::string& iniPath, const std::string& sheetName);

  SignalTable& signalTable() { return signalTable_; }
  const SignalTable& signalTable() const { return signalTable_; }
  int columnSet() const { return columnSet_; }
  // True when the last read found a column map without any key of section
  // "XLSImport", so that every column was read as column A.
  bool columnMapIsEmpty() const { return columnMapIsEmpty_; }

 protected:
  bool processRow(const std::vector<std::string>& cells, std::size_t expectedCount) override;
  void reportBadRow(unsigned row) override;
  void expectRows(std::size_t rows) override { signalTable_.reserve(signalTable_.count() + rows); }

 private:
  SignalTable signalTable_;
  int columnSet_;
  bool columnMapIsEmpty_ = false;
};

// Cell conversions. Each reads a lower-cased copy of the cell text and
// accepts one number with nothing but blanks around it.
// Hexadecimal with an optional sign and 0x prefix ("0x6000", "6000").
bool readHexCell(const std::string& text, uint32_t& value);
// Decimal with an optional sign.
bool readDecimalCell(const std::string& text, int32_t& value);
// 1 when the text is "x" or "X", else 0.
int32_t readFlagCell(const std::string& text);
