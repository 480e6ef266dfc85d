// Cell source for OpenDocument spreadsheets (.ods): a zip whose part
// content.xml holds every sheet as a table. A cell shows the text of its
// paragraphs, which the writing application stores already formatted. The
// table is read once, as a stream, into an index of its rows and cells;
// repeated rows and cells stay runs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "input/CellSource.h"
#include "input/sources/CellGrid.h"
#include "input/sources/TextBudget.h"
#include "input/sources/ZipArchive.h"

class OdsCellSource : public CellSource {
 public:
  // The longest text a cell shows, in bytes; longer texts are cut.
  static constexpr std::size_t kMaxCellText = 32767;

  // Keeps only the cells of these columns.
  void keepOnlyColumns(const std::vector<int>& columns) override { grid_.keepColumns(columns); }
  CellSourceResult start() override;
  // Opens the zip and checks that it has content.xml.
  CellSourceResult openDocument(const std::string& path) override;
  // Finds the table by name (an exact match first, else one that differs
  // only in ASCII case) and indexes it.
  CellSourceResult selectSheet(const std::string& name) override;
  CellSourceResult cellText(const CellAddress& address, std::string& text) override;
  CellSourceResult finish() override;
  std::size_t rowCountHint() const override { return grid_.rowRunCount(); }

 private:
  // Where a cell's text is kept in texts_, blanks of <text:s> still packed.
  struct Cell {
    uint32_t offset = 0;
    uint32_t length = 0;
  };
  enum class TableResult { found, notFound, damaged };
  class TableWalk;

  TableResult readTable(const std::string& name, bool ignoreCase);

  ZipArchive zip_;
  CellGrid<Cell> grid_;
  std::string texts_;
  TextBudget budget_;
};

// The text of a cell as stored by the reader: a run of blanks is packed as
// a NUL byte and a four-byte count (NUL cannot occur in XML text).
void appendPackedBlanks(std::string& packed, uint64_t count);
// Unpacks a stored text, cut to at most limit bytes at a character boundary.
std::string unpackCellText(std::string_view packed, std::size_t limit);
