// A source of cell texts: what the row loop of ZExcelSheetReader reads a
// spreadsheet through. Each file format has its own source; tests use an
// in-memory one.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

// How an operation of a cell source ended. The row loop turns a failure into
// the message of the operation that failed.
enum class CellSourceResult {
  ok,
  // The operation failed: the loop appends the operation's own message.
  failed,
  // The operation failed in a way that has no message: the read ends quietly.
  failedSilently,
  // The document turned out to be unreadable (a damaged part found while
  // selecting the sheet or reading a cell): the loop reports it as a document
  // that cannot be opened.
  documentUnreadable,
};

// One cell: its column number (0-based), its sheet row (1-based) and its
// address as the sheet writes it (column letters and row number, "C7").
struct CellAddress {
  int column = 0;
  int row = 1;
  std::string text;
};

class CellSource {
 public:
  virtual ~CellSource() = default;

  // Told before the document is opened: the columns the reader will ask
  // for. A source may then keep the cells of these columns only, so that
  // its memory follows what the reader uses, not the size of the sheet.
  virtual void keepOnlyColumns(const std::vector<int>& columns) { (void)columns; }
  // Makes the source ready to open a document.
  virtual CellSourceResult start() = 0;
  // Opens the spreadsheet document at path.
  virtual CellSourceResult openDocument(const std::string& path) = 0;
  // Selects the sheet with this name; an empty name selects the first sheet.
  virtual CellSourceResult selectSheet(const std::string& name) = 0;
  // The text the cell displays, empty for an empty cell.
  virtual CellSourceResult cellText(const CellAddress& address, std::string& text) = 0;
  // Closes the document and shuts the source down.
  virtual CellSourceResult finish() = 0;
  // About how many rows of the selected sheet hold cells (0: unknown), so
  // that a reader can make room for its records at once.
  virtual std::size_t rowCountHint() const { return 0; }
};

// Creates the source for the spreadsheet at path; null when none can be made.
using CellSourceFactory = std::function<std::unique_ptr<CellSource>(const std::string& path)>;
