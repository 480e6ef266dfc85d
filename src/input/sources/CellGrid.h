// The cells of one sheet, indexed by row and column, filled once while a
// sheet part is parsed and then asked for single cells. Runs of repeated
// rows or cells are kept as one entry, so a sheet that repeats a row a
// million times costs one row. Rows and columns count from 0.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

// The size of the largest sheet; cells outside it are ignored.
constexpr uint64_t kSheetRowLimit = 1048576;
constexpr uint64_t kSheetColumnLimit = 16384;

template <typename Value>
class CellGrid {
 public:
  // Starts the run of `count` equal rows from `row` on. Rows must come in
  // ascending order: a row at or above the end of the previous run, or
  // outside the sheet, is ignored with all its cells (false).
  bool beginRow(uint64_t row, uint64_t count = 1) {
    dropEmptyLastRow();
    rowOpen_ = false;
    if (row >= kSheetRowLimit || count == 0) return false;
    if (!rows_.empty() && row < rows_.back().first + rows_.back().count) return false;
    count = std::min(count, kSheetRowLimit - row);
    rows_.push_back(RowRun{static_cast<uint32_t>(row), static_cast<uint32_t>(count), cellCount_, cellCount_});
    rowOpen_ = true;
    rowColumnEnd_ = 0;
    return true;
  }

  // Keeps only cells of these columns from now on (all columns when the
  // list is empty): a reader that asks for a few columns need not hold the
  // rest of a wide sheet. The choice outlasts clear().
  void keepColumns(std::vector<int> columns) {
    const auto outside = [](int column) { return column < 0 || static_cast<uint64_t>(column) >= kSheetColumnLimit; };
    columns.erase(std::remove_if(columns.begin(), columns.end(), outside), columns.end());
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    keptColumns_.assign(columns.begin(), columns.end());
    keepAll_ = columns.empty();
  }

  // Whether cells of the column are kept.
  bool keepsColumn(uint64_t column) const {
    return keepAll_ || std::binary_search(keptColumns_.begin(), keptColumns_.end(), column);
  }

  // Adds `count` equal cells from `column` on to the current row. Columns
  // must ascend within the row; other cells, and cells of no kept column,
  // are ignored (false).
  bool addCell(uint64_t column, uint64_t count, Value value) {
    if (!rowOpen_ || column >= kSheetColumnLimit || count == 0 || column < rowColumnEnd_) return false;
    RowRun& row = rows_.back();
    count = std::min(count, kSheetColumnLimit - column);
    rowColumnEnd_ = column + count;
    if (!keepAll_) {
      const auto kept = std::lower_bound(keptColumns_.begin(), keptColumns_.end(), column);
      if (kept == keptColumns_.end() || *kept >= column + count) return false;
    }
    if (chunks_.empty() || chunks_.back().size() == kChunkCells) {
      chunks_.emplace_back();
      chunks_.back().reserve(chunks_.size() == 1 ? 64 : kChunkCells);
    }
    chunks_.back().push_back(CellRun{static_cast<uint32_t>(column), static_cast<uint32_t>(count), std::move(value)});
    row.cellEnd = ++cellCount_;
    return true;
  }

  // The value of the cell, null for an empty cell.
  const Value* find(uint64_t row, uint64_t column) const {
    // Readers ask row after row: the run found last, or the one after it,
    // usually holds the row.
    // (Indexes, not iterators: stepping an iterator past the end, or one of
    // an empty vector, is undefined.)
    std::size_t run = lastRun_;
    if (!(run < rows_.size() && holds(rows_[run], row))) {
      ++run;
      if (!(run < rows_.size() && holds(rows_[run], row))) {
        const auto found = std::upper_bound(rows_.begin(), rows_.end(), row,
                                            [](uint64_t r, const RowRun& runs) { return r < runs.first; });
        if (found == rows_.begin()) return nullptr;
        run = static_cast<std::size_t>(found - rows_.begin()) - 1;
        if (!holds(rows_[run], row)) return nullptr;
      }
    }
    lastRun_ = run;
    // The last cell run of the row that starts at or before the column.
    std::size_t low = rows_[run].cellBegin;
    std::size_t high = rows_[run].cellEnd;
    while (low < high) {
      const std::size_t middle = low + (high - low) / 2;
      if (column < cell(middle).first) {
        high = middle;
      } else {
        low = middle + 1;
      }
    }
    if (low == rows_[run].cellBegin) return nullptr;
    const CellRun& found = cell(low - 1);
    if (column >= static_cast<uint64_t>(found.first) + found.count) return nullptr;
    return &found.value;
  }

  // How many rows (runs of equal rows counted once) have cells: about how
  // many rows a reader will find.
  std::size_t rowRunCount() const { return rows_.size(); }

  void clear() {
    rows_.clear();
    chunks_.clear();
    cellCount_ = 0;
    rowOpen_ = false;
    lastRun_ = 0;
  }

 private:
  struct RowRun {
    uint32_t first;
    uint32_t count;
    std::size_t cellBegin;
    std::size_t cellEnd;
  };
  struct CellRun {
    uint32_t first;
    uint32_t count;
    Value value;
  };

  static bool holds(const RowRun& run, uint64_t row) {
    return row >= run.first && row < static_cast<uint64_t>(run.first) + run.count;
  }

  // A row without cells answers nothing; dropping it keeps long runs of
  // empty rows out of the index.
  void dropEmptyLastRow() {
    if (!rows_.empty() && rows_.back().cellBegin == rows_.back().cellEnd) rows_.pop_back();
  }

  // Cells are kept in chunks of kChunkCells: a large sheet never needs one
  // huge block, which the C library would map fresh from the system (and
  // fill page by page) instead of taking from its heap, and growing never
  // copies the cells read so far.
  static constexpr std::size_t kChunkShift = 16;
  static constexpr std::size_t kChunkCells = std::size_t{1} << kChunkShift;

  const CellRun& cell(std::size_t index) const { return chunks_[index >> kChunkShift][index & (kChunkCells - 1)]; }

  std::vector<RowRun> rows_;
  std::vector<std::vector<CellRun>> chunks_;
  std::size_t cellCount_ = 0;
  bool rowOpen_ = false;
  uint64_t rowColumnEnd_ = 0;  // past the last cell given to the current row, kept or not
  std::vector<uint64_t> keptColumns_;  // ascending
  bool keepAll_ = true;
  mutable std::size_t lastRun_ = 0;
};
