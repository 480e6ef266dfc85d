#include "input/sources/BiffRecords.h"

#include <algorithm>

#include "input/sources/CodePage.h"
#include "input/sources/XmlPart.h"

namespace biff {

namespace {

// Appends n UTF-16 units as UTF-8; high keeps the first half of a
// surrogate pair until its second half comes.
void appendWideChars(const char* p, std::size_t n, uint32_t& high, std::string& out) {
  for (std::size_t i = 0; i < n; ++i) {
    const uint32_t unit = littleendian::u16(p + 2 * i);
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      high = unit;
      continue;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
      if (high != 0) appendUtf8(out, 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
    } else {
      appendUtf8(out, unit);
    }
    high = 0;
  }
}

// Appends n 8-bit BIFF8 characters (the low bytes of UTF-16 units) as
// UTF-8, NUL left out.
void appendNarrowChars(const char* p, std::size_t n, std::string& out) {
  for (std::size_t i = 0; i < n; ++i) {
    const auto c = static_cast<uint8_t>(p[i]);
    if (c >= 0x80) {
      appendUtf8(out, c);
    } else if (c != 0) {
      out += static_cast<char>(c);
    }
  }
}

}  // namespace

bool RecordData::skip(uint64_t count) {
  while (count > 0) {
    if (!skipEndedSegments()) return false;
    const std::size_t step = static_cast<std::size_t>(std::min<uint64_t>(count, segments_[segment_].second - offset_));
    offset_ += step;
    count -= step;
  }
  return true;
}

bool RecordData::continueChars(bool& wide) {
  ++segment_;
  offset_ = 0;
  if (segment_ >= segments_.size()) return false;
  if (biff8_) {
    uint8_t flags = 0;
    if (!byte(flags)) return false;
    wide = (flags & 1) != 0;
  }
  return true;
}

bool RecordData::chars(std::size_t count, bool wide, std::string& out) {
  uint32_t high = 0;  // first half of a surrogate pair
  while (count > 0) {
    if (segment_ >= segments_.size()) return false;
    const std::size_t width = wide ? 2 : 1;
    const std::size_t left = segments_[segment_].second - offset_;
    if (left < width) {
      if (!continueChars(wide)) return false;
      continue;
    }
    const std::size_t n = std::min(count, left / width);
    const char* p = segments_[segment_].first + offset_;
    if (wide) {
      appendWideChars(p, n, high, out);
    } else if (biff8_) {
      appendNarrowChars(p, n, out);
      high = 0;
    } else {
      appendCodePageText(out, p, n, codePage_);
    }
    offset_ += n * width;
    count -= n;
  }
  return true;
}

bool RecordData::string(int countBytes, std::string& out) {
  uint16_t count = 0;
  if (countBytes == 1) {
    uint8_t shortCount = 0;
    if (!byte(shortCount)) return false;
    count = shortCount;
  } else if (!u16(count)) {
    return false;
  }
  if (!biff8_) return chars(count, false, out);
  uint8_t flags = 0;
  if (!byte(flags)) return false;
  uint16_t runs = 0;
  uint32_t phonetic = 0;
  if ((flags & 0x08) != 0 && !u16(runs)) return false;
  if ((flags & 0x04) != 0 && !u32(phonetic)) return false;
  return chars(count, (flags & 1) != 0, out) && skip(4ull * runs) && skip(phonetic);
}

void RecordReader::addContinues(RecordData& data) {
  while (next_ <= stream_.size() && stream_.size() - next_ >= 4 &&
         littleendian::u16(stream_.data() + next_) == kContinue) {
    const uint16_t length = littleendian::u16(stream_.data() + next_ + 2);
    if (stream_.size() - next_ - 4 < length) return;
    data.add(stream_.data() + next_ + 4, length);
    next_ += 4 + length;
  }
}

}  // namespace biff
