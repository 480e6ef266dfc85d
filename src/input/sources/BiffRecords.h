// The records of an .xls workbook stream: each a 16-bit id, a 16-bit
// length and its data; CONTINUE records carry on the data of a record
// that does not fit into one. Used by BiffWorkbook.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "input/sources/LittleEndian.h"

namespace biff {

// The ids of the records that are read.
enum Record : uint16_t {
  kFormula = 0x0006,
  kEof = 0x000A,
  kFilePass = 0x002F,
  kContinue = 0x003C,
  kCodePage = 0x0042,
  kBoundSheet = 0x0085,
  kMulRk = 0x00BD,
  kRString = 0x00D6,
  kXf = 0x00E0,
  kSst = 0x00FC,
  kLabelSst = 0x00FD,
  kDimensions = 0x0200,
  kNumber = 0x0203,
  kLabel = 0x0204,
  kBoolErr = 0x0205,
  kString = 0x0207,
  kRk = 0x027E,
  kFormulaOld = 0x0406,  // the id of earlier versions, still found in BIFF8 sheets
  kFormat = 0x041E,
  kBof = 0x0809,
};

// The data of one record and of the CONTINUE records that carry it on,
// read as one run of bytes. Strings are read in the workbook's encoding:
// BIFF8 characters are 8-bit (the low byte of UTF-16) or UTF-16 by the
// string's flags, and characters that go on in the next record start there
// with a flags byte of their own, so the width can change inside a string;
// BIFF5 characters are bytes in the workbook's code page.
class RecordData {
 public:
  RecordData(bool biff8, uint16_t codePage) : biff8_(biff8), codePage_(codePage) {}

  void reset() {
    segments_.clear();
    segment_ = 0;
    offset_ = 0;
    size_ = 0;
  }
  void add(const char* data, std::size_t length) {
    if (length > 0) segments_.emplace_back(data, length);
    size_ += length;
  }
  // All the bytes added.
  std::size_t size() const { return size_; }

  bool byte(uint8_t& value) {
    if (!skipEndedSegments()) return false;
    value = static_cast<uint8_t>(segments_[segment_].first[offset_++]);
    return true;
  }
  bool u16(uint16_t& value) {
    uint8_t low = 0;
    uint8_t high = 0;
    if (!byte(low) || !byte(high)) return false;
    value = static_cast<uint16_t>(low | high << 8);
    return true;
  }
  bool u32(uint32_t& value) {
    uint16_t low = 0;
    uint16_t high = 0;
    if (!u16(low) || !u16(high)) return false;
    value = low | static_cast<uint32_t>(high) << 16;
    return true;
  }
  bool skip(uint64_t count);

  // Appends count characters as UTF-8 (NUL left out). False when the data
  // end before the last character; what was read stays appended.
  bool chars(std::size_t count, bool wide, std::string& out);

  // A string whose character count takes countBytes bytes (1 or 2); in
  // BIFF8 a flags byte follows: bit 0 marks UTF-16 characters, bits 2 and
  // 3 announce phonetic data and formatting runs, whose sizes come before
  // the characters and whose data after them.
  bool string(int countBytes, std::string& out);

 private:
  // Moves past segments read to their end; false when no byte is left.
  bool skipEndedSegments() {
    while (segment_ < segments_.size() && offset_ == segments_[segment_].second) {
      ++segment_;
      offset_ = 0;
    }
    return segment_ < segments_.size();
  }
  // Moves on to the next segment, where the characters of a string go on
  // (an odd byte left over cannot be a character); its flags byte (BIFF8)
  // tells their width. False when there is none.
  bool continueChars(bool& wide);

  bool biff8_;
  uint16_t codePage_;
  std::vector<std::pair<const char*, std::size_t>> segments_;
  std::size_t segment_ = 0;
  std::size_t offset_ = 0;
  std::size_t size_ = 0;
};

// Walks the records of the stream from an offset on.
class RecordReader {
 public:
  RecordReader(const std::string& stream, std::size_t offset) : stream_(stream), next_(offset) {}
  // Moves to the next record; false at the end of the stream or at a record
  // that runs past it.
  bool next() {
    if (next_ > stream_.size() || stream_.size() - next_ < 4) return false;
    id_ = littleendian::u16(stream_.data() + next_);
    length_ = littleendian::u16(stream_.data() + next_ + 2);
    if (stream_.size() - next_ - 4 < length_) return false;
    data_ = stream_.data() + next_ + 4;
    next_ += 4 + length_;
    return true;
  }
  // Adds the data of the CONTINUE records that follow to data and moves
  // past them.
  void addContinues(RecordData& data);
  uint16_t id() const { return id_; }
  uint16_t length() const { return length_; }
  const char* data() const { return data_; }

 private:
  const std::string& stream_;
  std::size_t next_;
  uint16_t id_ = 0;
  uint16_t length_ = 0;
  const char* data_ = nullptr;
};

}  // namespace biff
