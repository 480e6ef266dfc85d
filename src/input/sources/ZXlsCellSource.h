// Cell source for binary .xls workbooks. The .xls library reads the file,
// the sheet names and the text cells; the workbook's own records supply
// what the library does not give: the number format of each number cell
// and the results of formulas and boolean cells.
#pragma once

#include <string>
#include <vector>

#include "input/ZCellSource.h"
#include "input/sources/ZBiffWorkbook.h"
#include "input/sources/ZTextBudget.h"

class ZXlsCellSource : public ZCellSource {
 public:
  // Largest sheet the file format can hold; a workbook that declares more
  // (or more cells over all its sheets than one such sheet has) is damaged.
  static constexpr uint64_t kMaxRows = 65536;
  static constexpr uint64_t kMaxColumns = 256;

  ~ZXlsCellSource() override;

  ZCellSourceResult start() override;
  ZCellSourceResult openDocument(const std::string& path) override;
  // Finds the sheet by name (ASCII case does not matter).
  ZCellSourceResult selectSheet(const std::string& name) override;
  ZCellSourceResult cellText(const ZCellAddress& address, std::string& text) override;
  ZCellSourceResult finish() override;

 private:
  void close();
  // The text of a cell as the library reads it.
  std::string libraryCellText(uint32_t row, uint32_t column) const;

  const void* handle_ = nullptr;
  ZBiffWorkbook workbook_;
  std::vector<ZBiffValue> values_;  // of the selected sheet, by row and column
  unsigned int rows_ = 0;
  unsigned short columns_ = 0;
  ZTextBudget budget_;
};
