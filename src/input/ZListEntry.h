// One signal of the signal description sheet: a run of bits inside one
// CANopen object dictionary entry, and the table of all of them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct ZListEntry {
  std::string signalName;       // never empty in a stored record
  std::string objectName;       // column set 2 only
  std::string signalNameShort;  // column set 2 only
  int32_t isUsedButNotImplemented = 0;
  int32_t isUsedCommand = 0;
  uint32_t objectIndex = 0;
  int32_t objectSize = 0;       // bits
  uint32_t objectSubIndex = 0;
  int32_t signalOffset = 0;     // bit position inside the object value
  int32_t signalSize = 0;       // bits
  int32_t signalReserved = 0;
  int32_t isUsedStatus = 0;
  int32_t isUsedPDO = 0;
  int32_t commandOrStatus = 0;  // 1 command, 0 status
};

// The records in sheet order. Nothing sorts or de-duplicates it.
class SignalTable {
 public:
  // Appends a copy and returns its position.
  std::size_t add(const ZListEntry& record) {
    records_.push_back(record);
    return records_.size() - 1;
  }
  // Appends a record the caller no longer needs, without copying its texts.
  std::size_t add(ZListEntry&& record) {
    records_.push_back(std::move(record));
    return records_.size() - 1;
  }
  std::size_t count() const { return records_.size(); }
  void reserve(std::size_t count) { records_.reserve(count); }
  const ZListEntry& at(std::size_t position) const { return records_.at(position); }
  // Write access for the reader and for the run's renaming of signals.
  ZListEntry& at(std::size_t position) { return records_.at(position); }
  void clear() { records_.clear(); }

  std::vector<ZListEntry>::const_iterator begin() const { return records_.begin(); }
  std::vector<ZListEntry>::const_iterator end() const { return records_.end(); }

 private:
  std::vector<ZListEntry> records_;
};

// "0x%x_0x%x" from object index and sub-index.
std::string objectKey(const ZListEntry& record);
// The same object as one number: index in the high half, sub-index in the
// low half (for sets and maps of objects).
inline uint64_t objectNumber(const ZListEntry& record) {
  return (static_cast<uint64_t>(record.objectIndex) << 32) | record.objectSubIndex;
}
// The signal starts and ends in the same byte of the object value.
bool liesInOneByte(const ZListEntry& record);
// The object is wider than 32 bits.
bool isWideObject(const ZListEntry& record);
// The object has 33 to 64 bits: wide, but its value fits two 32-bit words,
// so its signals can be read and commanded as numbers (-wide).
bool isTwoWordObject(const ZListEntry& record);
// A signal of more than 32 bits in such an object: its value needs a
// floating variable (exact up to 53 bits).
bool hasFloatingValue(const ZListEntry& record);
// Mode 2: not reserved, at least one usage flag, object of at most 64 bits.
bool isHeaderSignal(const ZListEntry& record);
// "0x%x   0x%x     %2d      %2d      %s" for the run's signal lists.
std::string listLine(const ZListEntry& record);
