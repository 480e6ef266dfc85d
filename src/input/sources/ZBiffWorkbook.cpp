#include "input/sources/ZBiffWorkbook.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "input/sources/ZXmlPart.h"

namespace {

enum Record : uint16_t {
  kFormula = 0x0006,
  kEof = 0x000A,
  kBoundSheet = 0x0085,
  kMulRk = 0x00BD,
  kXf = 0x00E0,
  kDimensions = 0x0200,
  kNumber = 0x0203,
  kBoolErr = 0x0205,
  kString = 0x0207,
  kRk = 0x027E,
  kFormat = 0x041E,
  kBof = 0x0809,
};

uint16_t u16(const char* p) {
  return static_cast<uint16_t>(static_cast<uint8_t>(p[0]) | static_cast<uint8_t>(p[1]) << 8);
}
uint32_t u32(const char* p) { return u16(p) | static_cast<uint32_t>(u16(p + 2)) << 16; }
double f64(const char* p) {
  uint64_t bits = static_cast<uint64_t>(u32(p)) | static_cast<uint64_t>(u32(p + 4)) << 32;
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Walks the records of the stream from an offset on.
class RecordReader {
 public:
  RecordReader(const std::string& stream, std::size_t offset) : stream_(stream), next_(offset) {}
  // Moves to the next record; false at the end of the stream or at a record
  // that runs past it.
  bool next() {
    if (next_ + 4 > stream_.size()) return false;
    id_ = u16(stream_.data() + next_);
    length_ = u16(stream_.data() + next_ + 2);
    data_ = stream_.data() + next_ + 4;
    if (next_ + 4 + length_ > stream_.size()) return false;
    next_ += 4 + length_;
    return true;
  }
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

// Characters of a string in a record: 8-bit (taken as Latin-1) or UTF-16LE.
std::string biffChars(const char* p, const char* end, std::size_t count, bool wide) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    if (wide) {
      if (p + 2 > end) break;
      uint32_t c = u16(p);
      p += 2;
      if (c >= 0xD800 && c <= 0xDBFF && p + 2 <= end && u16(p) >= 0xDC00 && u16(p) <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (u16(p) - 0xDC00);
        p += 2;
        ++i;
      }
      appendUtf8(text, c);
    } else {
      if (p + 1 > end) break;
      appendUtf8(text, static_cast<uint8_t>(*p++));
    }
  }
  return text;
}

// A string with a character count of countBytes bytes; BIFF8 adds a flags
// byte whose lowest bit marks UTF-16.
std::string biffString(const char* p, const char* end, int countBytes, bool biff8) {
  if (p + countBytes > end) return std::string();
  const std::size_t count = countBytes == 1 ? static_cast<uint8_t>(*p) : u16(p);
  p += countBytes;
  bool wide = false;
  if (biff8) {
    if (p >= end) return std::string();
    wide = (*p & 1) != 0;
    ++p;
  }
  return biffChars(p, end, count, wide);
}

const char* errorText(uint8_t code) {
  switch (code) {
    case 0x00:
      return "#NULL!";
    case 0x07:
      return "#DIV/0!";
    case 0x0F:
      return "#VALUE!";
    case 0x17:
      return "#REF!";
    case 0x1D:
      return "#NAME?";
    case 0x24:
      return "#NUM!";
    case 0x2A:
      return "#N/A";
    default:
      return "#N/A";
  }
}

}  // namespace

double biffRkValue(uint32_t rk) {
  double value;
  if ((rk & 2) != 0) {
    value = static_cast<double>(static_cast<int32_t>(rk) >> 2);
  } else {
    const uint64_t bits = static_cast<uint64_t>(rk & 0xFFFFFFFCu) << 32;
    std::memcpy(&value, &bits, sizeof value);
  }
  return (rk & 1) != 0 ? value / 100 : value;
}

bool ZBiffWorkbook::load(std::string stream) {
  stream_ = std::move(stream);
  styleFormats_.clear();
  sheets_.clear();
  RecordReader records(stream_, 0);
  if (!records.next() || records.id() != kBof || records.length() < 2) return false;
  const uint16_t version = u16(records.data());
  if (version != 0x0600 && version != 0x0500) return false;
  biff8_ = version == 0x0600;

  // Formats may follow the styles that use them: styles are matched to
  // formats once all globals are read.
  std::map<uint16_t, ZNumberFormat> formats;
  std::vector<uint16_t> styleFormatIds;
  while (records.next() && records.id() != kEof) {
    const char* data = records.data();
    const char* end = data + records.length();
    if (records.id() == kFormat && records.length() >= 3) {
      formats[u16(data)] = numberFormatOfCode(biffString(data + 2, end, biff8_ ? 2 : 1, biff8_));
    } else if (records.id() == kXf && records.length() >= 4) {
      styleFormatIds.push_back(u16(data + 2));
    } else if (records.id() == kBoundSheet && records.length() >= 7) {
      ZBiffSheet sheet;
      sheet.offset = u32(data);
      sheet.name = biffString(data + 6, end, 1, biff8_);
      sheets_.push_back(sheet);
    }
  }
  for (uint16_t id : styleFormatIds) {
    const auto code = formats.find(id);
    styleFormats_.push_back(code != formats.end() ? code->second : numberFormatOfBuiltInId(id));
  }

  for (ZBiffSheet& sheet : sheets_) {
    RecordReader sheetRecords(stream_, sheet.offset);
    while (sheetRecords.next() && sheetRecords.id() != kEof) {
      if (sheetRecords.id() != kDimensions) continue;
      const char* data = sheetRecords.data();
      if (biff8_ && sheetRecords.length() >= 12) {
        sheet.rows = u32(data + 4);
        sheet.columns = u16(data + 10);
      } else if (!biff8_ && sheetRecords.length() >= 8) {
        sheet.rows = u16(data + 2);
        sheet.columns = u16(data + 6);
      }
      break;
    }
  }
  return true;
}

ZNumberFormat ZBiffWorkbook::formatOfStyle(uint32_t style) const {
  return style < styleFormats_.size() ? styleFormats_[style] : ZNumberFormat::general;
}

bool ZBiffWorkbook::readValues(std::size_t sheetIndex, std::vector<ZBiffValue>& values) const {
  values.clear();
  if (sheetIndex >= sheets_.size()) return false;
  RecordReader records(stream_, sheets_[sheetIndex].offset);
  if (!records.next() || records.id() != kBof) return false;

  auto add = [&values](uint32_t row, uint32_t column, std::string text) {
    values.push_back(ZBiffValue{row, column, std::move(text)});
  };
  auto number = [this](double value, uint16_t style) { return displayNumber(value, formatOfStyle(style)); };

  // A formula with a text result is followed by a record with the text.
  bool stringPending = false;
  // Charts embedded in the sheet bring their own BOF ... EOF.
  int depth = 1;
  while (records.next()) {
    const char* data = records.data();
    const char* end = data + records.length();
    const uint16_t length = records.length();
    switch (records.id()) {
      case kBof:
        ++depth;
        break;
      case kEof:
        --depth;
        break;
      case kNumber:
        if (depth == 1 && length >= 14) add(u16(data), u16(data + 2), number(f64(data + 6), u16(data + 4)));
        break;
      case kRk:
        if (depth == 1 && length >= 10) add(u16(data), u16(data + 2), number(biffRkValue(u32(data + 6)), u16(data + 4)));
        break;
      case kMulRk:
        if (depth == 1 && length >= 6) {
          const uint16_t row = u16(data);
          const uint16_t first = u16(data + 2);
          for (uint16_t i = 0; 4 + 6 * (i + 1) <= length - 2; ++i) {
            const char* item = data + 4 + 6 * i;
            add(row, static_cast<uint32_t>(first) + i, number(biffRkValue(u32(item + 2)), u16(item)));
          }
        }
        break;
      case kFormula:
        if (depth == 1 && length >= 20) {
          const char* result = data + 6;
          const uint16_t row = u16(data);
          const uint16_t column = u16(data + 2);
          if (static_cast<uint8_t>(result[6]) != 0xFF || static_cast<uint8_t>(result[7]) != 0xFF) {
            add(row, column, number(f64(result), u16(data + 4)));
          } else if (result[0] == 0) {
            add(row, column, std::string());
            stringPending = true;
          } else if (result[0] == 1) {
            add(row, column, displayBoolean(result[2] != 0));
          } else if (result[0] == 2) {
            add(row, column, errorText(static_cast<uint8_t>(result[2])));
          } else {
            add(row, column, std::string());
          }
        }
        break;
      case kString:
        if (depth == 1 && stringPending && !values.empty()) {
          values.back().text = biffString(data, end, 2, biff8_);
          stringPending = false;
        }
        break;
      case kBoolErr:
        if (depth == 1 && length >= 8) {
          const uint8_t value = static_cast<uint8_t>(data[6]);
          add(u16(data), u16(data + 2), data[7] != 0 ? std::string(errorText(value)) : displayBoolean(value != 0));
        }
        break;
      default:
        break;
    }
    if (depth == 0) break;
  }
  std::stable_sort(values.begin(), values.end(), [](const ZBiffValue& a, const ZBiffValue& b) {
    return a.row != b.row ? a.row < b.row : a.column < b.column;
  });
  return depth == 0;
}
