// Cell source for binary .xls workbooks: a compound file whose workbook
// stream ("Workbook", or "Book" for BIFF5; the case of the name does not
// matter) holds the BIFF5 or BIFF8 records of the sheets and their cells.
#pragma once

#include <string>
#include <vector>

#include "input/CellSource.h"
#include "input/sources/TextBudget.h"
#include "input/sources/BiffWorkbook.h"

class XlsCellSource : public CellSource {
 public:
  // Largest sheet the file format can hold; a sheet that declares more is
  // damaged.
  static constexpr uint64_t kMaxRows = BiffWorkbook::kRowLimit;
  static constexpr uint64_t kMaxColumns = BiffWorkbook::kColumnLimit;

  CellSourceResult start() override;
  CellSourceResult openDocument(const std::string& path) override;
  // Finds the sheet by name (ASCII case does not matter) and reads its
  // cells. A chart sheet has none.
  CellSourceResult selectSheet(const std::string& name) override;
  CellSourceResult cellText(const CellAddress& address, std::string& text) override;
  CellSourceResult finish() override;
  std::size_t rowCountHint() const override { return rowCount_; }

  // The number format of the cell's style (general for an empty cell):
  // tells which cells show as General, or as their plain text, in place of
  // a format the reader does not apply.
  NumberFormat numberFormat(const CellAddress& address) const;

 private:
  const BiffCell* find(const CellAddress& address) const;

  BiffWorkbook workbook_;
  BiffSheetCells cells_;  // of the selected sheet
  std::size_t rowCount_ = 0;
  TextBudget budget_;
};
