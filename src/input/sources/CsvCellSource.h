// Cell source for delimited text (.csv, and text saved under .xls): one
// sheet, any sheet name selects it. Fields are quoted as RFC 4180
// describes; the delimiter is a tab, "," or ";", whichever the first line
// uses most (detectCsvDelimiter). A field is shown exactly as
// the file holds it (a file saved by a spreadsheet holds the displayed
// text). UTF-8, a byte order mark is skipped.
#pragma once

#include <string>
#include <vector>

#include "input/CellSource.h"
#include "input/sources/CellGrid.h"
#include "input/sources/TextBudget.h"

class CsvCellSource : public CellSource {
 public:
  // Keeps only the cells of these columns.
  void keepOnlyColumns(const std::vector<int>& columns) override { grid_.keepColumns(columns); }
  CellSourceResult start() override;
  // Reads and splits the whole file. A file with NUL bytes is not text and
  // fails.
  CellSourceResult openDocument(const std::string& path) override;
  CellSourceResult selectSheet(const std::string& name) override;
  CellSourceResult cellText(const CellAddress& address, std::string& text) override;
  CellSourceResult finish() override;
  std::size_t rowCountHint() const override { return grid_.rowRunCount(); }

  // Splits text into the grid as openDocument splits a file, handing it
  // over in pieces of pieceBytes (exposed for tests); false when it is not
  // text.
  bool parse(const std::string& text, std::size_t pieceBytes = std::string::npos);

 private:
  CellGrid<std::string> grid_;
  TextBudget budget_;
};

// The delimiter the first line uses: a tab when it has more tabs than
// commas and more than semicolons outside quotes, else ";" when it has more
// semicolons than commas, else ",".
char detectCsvDelimiter(const std::string& text);
