// Cell source for Office Open XML workbooks (.xlsx, .xlsm): a zip of XML
// parts. The workbook names the sheets and, through its relationships,
// their parts; cell texts come from the shared strings, inline strings and
// cell values, numbers shown in the number format of the cell's style.
// The sheet part is read once, as a stream, into an index of its cells.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "input/CellSource.h"
#include "input/sources/CellGrid.h"
#include "input/sources/DisplayText.h"
#include "input/sources/SharedStringSelection.h"
#include "input/sources/SheetRowScanner.h"
#include "input/sources/TextBudget.h"
#include "input/sources/ZipArchive.h"

class XmlPullReader;

class XlsxCellSource : public CellSource {
 public:
  // Keeps only the cells of these columns.
  void keepOnlyColumns(const std::vector<int>& columns) override { grid_.keepColumns(columns); }
  CellSourceResult start() override;
  // Reads the workbook, its relationships and the styles. A missing or
  // damaged part fails (a shared strings part only needs to be there).
  CellSourceResult openDocument(const std::string& path) override;
  // Finds the sheet by name (ASCII case does not matter, as sheet names are
  // unique without it) and parses its part once, then the shared strings
  // its kept cells use.
  CellSourceResult selectSheet(const std::string& name) override;
  CellSourceResult cellText(const CellAddress& address, std::string& text) override;
  CellSourceResult finish() override;
  std::size_t rowCountHint() const override { return grid_.rowRunCount(); }

  // The number format of the cell's style (general for an empty cell):
  // tells which cells show as General, or as their plain text, in place of
  // a format the reader does not apply.
  NumberFormat numberFormat(const CellAddress& address) const;

 private:
  struct Sheet {
    std::string name;
    std::string part;  // zip entry of the sheet part
  };

  // One cell as the sheet part stores it. Its value (the value element's
  // text; for an inline string its text) is kept in values_.
  struct Cell {
    enum class Type : uint8_t { number, sharedString, inlineString, formulaString, boolean, error, date };
    Type type = Type::number;
    uint32_t style = 0;
    uint32_t offset = 0;
    uint32_t length = 0;
  };

  // Where parsing the sheet data stands; shared by the general event loop
  // and the fast row scanner, so both mean the same by each step.
  struct SheetState {
    bool inRow = false;
    bool inCell = false;
    bool cellUsable = false;
    int phoneticDepth = 0;
    uint64_t nextRow = 0;     // rows and cells without a reference follow
    uint64_t nextColumn = 0;  // the one before them
    uint64_t column = 0;
    Cell cell;
  };

  // Reads the shared strings parts, keeping the texts the kept cells use.
  bool readSharedStrings();
  bool readSharedStrings(const std::string& part, uint64_t& index);
  bool readStyles(const std::string& part);
  bool readSheet(const std::string& part);
  // The steps of the sheet data; a null view is an attribute not given.
  void startRow(SheetState& state, const std::string_view* r);
  void startCell(SheetState& state, const std::string_view* r, const std::string_view* s, const std::string_view* t);
  void endCell(SheetState& state);
  // Starts the cell of a <c> element from its attributes r, s and t.
  void startCellElement(const XmlPullReader& reader, SheetState& state);
  // Drops the blanks at both ends of the text from values_[from] on, as
  // the spreadsheet application shows an inline string's text that does
  // not ask to keep them (xml:space="preserve").
  void trimInlineText(std::size_t from);
  // Reads plain rows with the fast scanner for as long as it accepts them.
  void scanPlainRows(XmlPullReader& reader, SheetState& state);
  std::string displayText(const Cell& cell) const;
  NumberFormat formatOfStyle(uint32_t style) const;

  ZipArchive zip_;
  std::vector<Sheet> sheets_;
  std::vector<std::string> sharedStringParts_;
  SharedStringSelection sharedStrings_;
  std::vector<NumberFormat> cellFormats_;  // by cell style index
  CellGrid<Cell> grid_;
  std::string values_;  // the values of all cells of the sheet, one after another
  TextBudget budget_;
  std::vector<SheetRowStep> rowSteps_;
};

// Whether .xlsx sheets are read with the fast row scanner (the default);
// off, every row goes through the general XML reader. For tests that
// compare the two.
void setXlsxRowScannerEnabled(bool enabled);

// Parses a cell reference ("B7", "$B$7" is not accepted) into a 0-based
// column and a 1-based row. False for anything else.
bool parseCellReference(std::string_view reference, uint64_t& column, uint64_t& row);

// Replaces the _xHHHH_ escapes Office Open XML uses for characters XML
// cannot carry ("_x000D_" is a carriage return) by the characters.
std::string decodeOoxmlEscapes(const std::string& text);
