// The base of the spreadsheet readers: opens a spreadsheet through a cell
// source, reads the requested cells row by row and hands every row to the
// derived reader, up to the first row whose first requested cell is empty.
#pragma once

#include <string>
#include <vector>

#include "input/CellSource.h"

// Column letters of a 0-based column number: 0 "A" ... 25 "Z", 26 "AA" ...
// 701 "ZZ". Empty for a number outside 0..701.
std::string columnLetters(int column);

// Letters followed by the row number ("%s%d"): column 2 in row 7 is "C7".
std::string cellAddressText(int column, int row);

class ZExcelSheetReader {
 public:
  // Reads files through the source chosen for each file by its contents.
  ZExcelSheetReader();
  // Reads every file through sources made by factory (tests pass an
  // in-memory source here).
  explicit ZExcelSheetReader(CellSourceFactory factory);
  virtual ~ZExcelSheetReader();
  ZExcelSheetReader(const ZExcelSheetReader&) = delete;
  ZExcelSheetReader& operator=(const ZExcelSheetReader&) = delete;

  // The accumulated messages of the reads so far.
  const std::string& errorText() const { return errorText_; }

  // Reads the sheet sheetName (empty: the first sheet) of the spreadsheet at
  // sheetPath: the given columns of every row from row skipRows + 1 on, up to
  // the first row whose first requested cell is empty. True when the sheet
  // was read to that row and the source was finished.
  virtual bool readSheet(const std::string& sheetPath, const std::vector<int>& columns, int skipRows,
                         const std::string& sheetName);

 protected:
  // Checks one row's cells (in the order of the requested columns) and stores
  // what it takes from them. False rejects the row.
  virtual bool processRow(const std::vector<std::string>& cells, std::size_t expectedCount) = 0;
  // Reports a rejected row by its sheet row number.
  virtual void reportBadRow(unsigned row) = 0;
  // Told once the sheet is selected: about how many rows follow.
  virtual void expectRows(std::size_t rows) { (void)rows; }

  std::string errorText_;

 private:
  CellSourceFactory factory_;
};
