#include "input/ZExcelSheetReader.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "input/sources/CellSourceFactory.h"
#include "util/FileRead.h"
#include "util/Paths.h"

namespace {

const char kNotStarted[] = "Excel automation object cannot be initiaized\n";
const char kNotOpened[] = "Specified Excel document cannot be opened\n";
const char kNoSheet[] = "Excel sheet with specified name or index cannot be activated\n";
const char kNoCell[] = "Cell value cannot be read\n";

// The last row a sheet can have; an address below it cannot be read.
const int64_t kLastSheetRow = 1048576;

}  // namespace

std::string columnLetters(int column) {
  if (column < 0 || column > 701) return std::string();
  std::string letters;
  if (column >= 26) letters += static_cast<char>('A' + column / 26 - 1);
  letters += static_cast<char>('A' + column % 26);
  return letters;
}

std::string cellAddressText(int column, int row) { return columnLetters(column) + std::to_string(row); }

ZExcelSheetReader::ZExcelSheetReader() : factory_(createCellSource) {}

ZExcelSheetReader::ZExcelSheetReader(CellSourceFactory factory) : factory_(std::move(factory)) {}

ZExcelSheetReader::~ZExcelSheetReader() = default;

bool ZExcelSheetReader::readSheet(const std::string& sheetPath, const std::vector<int>& columns, int skipRows,
                                  const std::string& sheetName) {
  const ReadAccess access = readAccessOf(sheetPath);
  if (access != ReadAccess::Readable) {
    errorText_ += access == ReadAccess::InUse ? kNotOpened + fileInUseText(sheetPath) + "\n"
                                               : "Specified Excel document doesn't exist\n";
    return false;
  }
  // A FIFO or a device would be read without end (or block): only regular
  // files are sheets.
  if (pathKindAt(sheetPath, true) != PathKind::RegularFile) {
    errorText_ += kNotOpened;
    return false;
  }
  if (columns.empty()) {
    errorText_ += "No columns to read was specified\n";
    return false;
  }

  // Appends the message that belongs to a failed operation; true when the
  // operation succeeded.
  auto succeeded = [this](CellSourceResult result, const char* message) {
    switch (result) {
      case CellSourceResult::ok:
        return true;
      case CellSourceResult::failed:
        errorText_ += message;
        return false;
      case CellSourceResult::failedSilently:
        return false;
      case CellSourceResult::documentUnreadable:
        errorText_ += kNotOpened;
        return false;
    }
    return false;
  };

  std::unique_ptr<CellSource> source = factory_ ? factory_(sheetPath) : nullptr;
  if (source == nullptr) {
    errorText_ += kNotStarted;
    return false;
  }
  source->keepOnlyColumns(columns);
  if (!succeeded(source->start(), kNotStarted)) return false;
  if (!succeeded(source->openDocument(sheetPath), kNotOpened)) return false;
  if (!succeeded(source->selectSheet(sheetName), kNoSheet)) return false;
  // About one record per row after the skipped ones.
  const std::size_t skipped = static_cast<std::size_t>(std::max(skipRows, 0));
  const std::size_t rows = source->rowCountHint();
  expectRows(rows > skipped ? rows - skipped : 0);

  std::vector<std::string> letters;
  for (int column : columns) letters.push_back(columnLetters(column));
  std::vector<std::string> cells;
  cells.reserve(columns.size());
  CellAddress address;
  for (int64_t row = static_cast<int64_t>(skipRows) + 1;; ++row) {
    cells.clear();
    const std::string rowText = std::to_string(row);
    for (std::size_t i = 0; i < columns.size(); ++i) {
      // A column the letters cannot name, or a row outside the sheet, has no
      // cell to read.
      if (letters[i].empty() || row < 1 || row > kLastSheetRow) {
        errorText_ += kNoCell;
        return false;
      }
      address.column = columns[i];
      address.row = static_cast<int>(row);
      address.text = letters[i] + rowText;
      std::string text;
      if (!succeeded(source->cellText(address, text), kNoCell)) return false;
      cells.push_back(std::move(text));
    }
    if (cells.front().empty()) break;
    if (!processRow(cells, columns.size())) reportBadRow(static_cast<unsigned>(row));
  }
  return source->finish() == CellSourceResult::ok;
}
