// The positions of the non-reserved records of a signal table, grouped by
// object (index and sub-index), built in one pass over the table.
//
// The object handlers that split an object value into its signals need "every
// record of this object" once per object; looking them up here instead of
// walking the whole table per object keeps a file's generation linear in the
// number of records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "input/ZListEntry.h"

class ObjectSignalIndex {
 public:
  explicit ObjectSignalIndex(const SignalTable& table);

  // The index of the table shared by everyone who asks while one of them
  // still holds it; built anew when none is alive or the table has grown or
  // shrunk since. The table must not change its objects or reserved flags
  // while an index of it is held (names may change: they are read from the
  // table, not from the index).
  static std::shared_ptr<const ObjectSignalIndex> shared(const SignalTable& table);

  // Positions, in table order, of the non-reserved records of the object;
  // empty when it has none.
  const std::vector<std::size_t>& positions(uint32_t objectIndex, uint32_t objectSubIndex) const;

  std::size_t recordCount() const { return recordCount_; }

  // One number per object: index in the high half, sub-index in the low half.
  static uint64_t key(uint32_t objectIndex, uint32_t objectSubIndex) {
    return (static_cast<uint64_t>(objectIndex) << 32) | objectSubIndex;
  }

 private:
  std::unordered_map<uint64_t, std::vector<std::size_t>> positions_;
  std::size_t recordCount_ = 0;
};
