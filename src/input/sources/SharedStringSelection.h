// The shared strings of a workbook that the kept cells of a sheet name,
// and nothing more: a shared strings part may list millions of items that
// no cell a reader asks for uses. The indexes wanted are marked in a bit
// set while the sheet is read; then the part is read once and only the
// texts of marked items are kept, found again by counting the marks below
// an index (a running count per 64 indexes makes that one step).
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "input/sources/ZipArchive.h"

class SharedStringSelection {
 public:
  // No part can list more items: the shortest, "<si/>", takes five bytes
  // of a part, and no part is read beyond its cap. A cell naming a higher
  // index shows nothing.
  static constexpr uint64_t kMaxItems = ZipArchive::kMaxEntryBytes / 5;

  void clear() {
    marks_.clear();
    marksBelow_.clear();
    texts_.clear();
  }

  // Marks an index as used by a kept cell.
  void want(uint64_t index) {
    if (index >= kMaxItems) return;
    const std::size_t word = static_cast<std::size_t>(index / 64);
    if (word >= marks_.size()) marks_.resize(word + 1, 0);
    marks_[word] |= uint64_t{1} << (index % 64);
  }

  // Ends the marking: makes room for the text of every marked item.
  void seal() {
    marksBelow_.resize(marks_.size());
    uint32_t count = 0;
    for (std::size_t word = 0; word < marks_.size(); ++word) {
      marksBelow_[word] = count;
      count += static_cast<uint32_t>(std::bitset<64>(marks_[word]).count());
    }
    texts_.assign(count, std::string());
  }

  bool wanted(uint64_t index) const {
    const uint64_t word = index / 64;
    return word < marks_.size() && ((marks_[static_cast<std::size_t>(word)] >> (index % 64)) & 1) != 0;
  }

  // The text of a marked item (after seal); null for an index not marked.
  std::string* text(uint64_t index) { return wanted(index) ? &texts_[slot(index)] : nullptr; }
  const std::string* text(uint64_t index) const { return wanted(index) ? &texts_[slot(index)] : nullptr; }

 private:
  std::size_t slot(uint64_t index) const {
    const std::size_t word = static_cast<std::size_t>(index / 64);
    const uint64_t below = marks_[word] & ((uint64_t{1} << (index % 64)) - 1);
    return marksBelow_[word] + std::bitset<64>(below).count();
  }

  std::vector<uint64_t> marks_;       // bit i: index i is wanted
  std::vector<uint32_t> marksBelow_;  // marks in the words before each word
  std::vector<std::string> texts_;    // of the marked indexes, ascending
};
