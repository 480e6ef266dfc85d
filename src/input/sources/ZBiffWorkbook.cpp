#include "input/sources/ZBiffWorkbook.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "input/sources/CodePage.h"
#include "input/sources/XmlPart.h"

namespace {

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

// Sheets are counted in 16 bits: a workbook with more is damaged.
const std::size_t kMaxSheets = 65535;
// A sheet's dimensions record comes before its rows and cells, among its
// first few hundred records; it is looked for no further than this.
const int kDimensionsWithin = 4096;

// The substream types a BOF record names that hold no cells.
const uint16_t kChartSubstream = 0x0020;
const uint16_t kModuleSubstream = 0x0006;
// The sheet types of a BOUNDSHEET record that hold cells: worksheet (or
// dialog sheet) and macro sheet.
const uint8_t kWorksheetSheet = 0;
const uint8_t kMacroSheet = 1;

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
  bool skip(uint64_t count) {
    while (count > 0) {
      if (!skipEndedSegments()) return false;
      const std::size_t step = static_cast<std::size_t>(std::min<uint64_t>(count, segments_[segment_].second - offset_));
      offset_ += step;
      count -= step;
    }
    return true;
  }

  // Appends count characters as UTF-8 (NUL left out). False when the data
  // end before the last character; what was read stays appended.
  bool chars(std::size_t count, bool wide, std::string& out) {
    uint32_t high = 0;  // first half of a surrogate pair
    while (count > 0) {
      if (segment_ >= segments_.size()) return false;
      const std::size_t width = wide ? 2 : 1;
      const std::size_t left = segments_[segment_].second - offset_;
      if (left < width) {
        // The characters go on in the next record (an odd byte left over
        // cannot be a character).
        ++segment_;
        offset_ = 0;
        if (segment_ >= segments_.size()) return false;
        if (biff8_) {
          uint8_t flags = 0;
          if (!byte(flags)) return false;
          wide = (flags & 1) != 0;
        }
        continue;
      }
      const std::size_t n = std::min(count, left / width);
      const char* p = segments_[segment_].first + offset_;
      if (wide) {
        for (std::size_t i = 0; i < n; ++i) {
          const uint32_t unit = ::u16(p + 2 * i);
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
      } else if (biff8_) {
        for (std::size_t i = 0; i < n; ++i) {
          const auto c = static_cast<uint8_t>(p[i]);
          if (c >= 0x80) {
            appendUtf8(out, c);
          } else if (c != 0) {
            out += static_cast<char>(c);
          }
        }
        high = 0;
      } else {
        appendCodePageText(out, p, n, codePage_);
      }
      offset_ += n * width;
      count -= n;
    }
    return true;
  }

  // A string whose character count takes countBytes bytes (1 or 2); in
  // BIFF8 a flags byte follows: bit 0 marks UTF-16 characters, bits 2 and
  // 3 announce phonetic data and formatting runs, whose sizes come before
  // the characters and whose data after them.
  bool string(int countBytes, std::string& out) {
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

 private:
  // Moves past segments read to their end; false when no byte is left.
  bool skipEndedSegments() {
    while (segment_ < segments_.size() && offset_ == segments_[segment_].second) {
      ++segment_;
      offset_ = 0;
    }
    return segment_ < segments_.size();
  }

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
    id_ = u16(stream_.data() + next_);
    length_ = u16(stream_.data() + next_ + 2);
    if (stream_.size() - next_ - 4 < length_) return false;
    data_ = stream_.data() + next_ + 4;
    next_ += 4 + length_;
    return true;
  }
  // Adds the data of the CONTINUE records that follow to data and moves
  // past them.
  void addContinues(RecordData& data) {
    while (next_ <= stream_.size() && stream_.size() - next_ >= 4 && u16(stream_.data() + next_) == kContinue) {
      const uint16_t length = u16(stream_.data() + next_ + 2);
      if (stream_.size() - next_ - 4 < length) return;
      data.add(stream_.data() + next_ + 4, length);
      next_ += 4 + length;
    }
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

bool cellBefore(const ZBiffCell& a, const ZBiffCell& b) {
  return a.row != b.row ? a.row < b.row : a.column < b.column;
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

const ZBiffCell* ZBiffSheetCells::find(uint32_t row, uint32_t column) const {
  const auto found = std::lower_bound(cells.begin(), cells.end(), std::make_pair(row, column),
                                      [](const ZBiffCell& cell, const std::pair<uint32_t, uint32_t>& key) {
                                        return cell.row != key.first ? cell.row < key.first
                                                                     : cell.column < key.second;
                                      });
  if (found == cells.end() || found->row != row || found->column != column) return nullptr;
  return &*found;
}

std::size_t ZBiffSheetCells::rowCount() const {
  std::size_t rows = 0;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i == 0 || cells[i].row != cells[i - 1].row) ++rows;
  }
  return rows;
}

void ZBiffSheetCells::clear() {
  cells.clear();
  texts.clear();
}

bool ZBiffWorkbook::load(std::string stream) {
  stream_ = std::move(stream);
  codePage_ = 1252;
  styleFormats_.clear();
  sheets_.clear();
  sharedTexts_.clear();
  sharedStrings_.clear();
  RecordReader records(stream_, 0);
  if (!records.next() || records.id() != kBof || records.length() < 2) return false;
  const uint16_t version = u16(records.data());
  if (version != 0x0600 && version != 0x0500) return false;
  biff8_ = version == 0x0600;

  // The globals end with their EOF; substreams embedded in them are
  // skipped. Strings are read once the code page is known.
  using Data = std::pair<const char*, uint16_t>;
  std::vector<Data> formatRecords;
  std::vector<Data> sheetRecords;
  std::vector<uint16_t> styleFormatIds;
  RecordData sst(biff8_, 0);
  int depth = 1;
  while (records.next()) {
    const uint16_t id = records.id();
    if (id == kBof) ++depth;
    if (id == kEof && --depth == 0) break;
    if (depth > 1) continue;
    const char* data = records.data();
    const uint16_t length = records.length();
    switch (id) {
      case kFilePass:
        return false;  // encrypted
      case kCodePage:
        if (length >= 2) codePage_ = u16(data);
        break;
      case kFormat:
        if (length >= 3) formatRecords.emplace_back(data, length);
        break;
      case kXf:
        if (length >= 4) styleFormatIds.push_back(u16(data + 2));
        break;
      case kBoundSheet:
        if (length >= 7) sheetRecords.emplace_back(data, length);
        if (sheetRecords.size() > kMaxSheets) return false;
        break;
      case kSst:
        if (biff8_) {
          sst.reset();
          sst.add(data, length);
          records.addContinues(sst);
        }
        break;
      default:
        break;
    }
  }
  if (biff8_) codePage_ = 1200;

  // Formats may follow the styles that use them: styles are matched to
  // formats once all globals are read.
  std::map<uint16_t, ZNumberFormat> formats;
  for (const Data& record : formatRecords) {
    RecordData code(biff8_, codePage_);
    code.add(record.first + 2, record.second - 2u);
    std::string text;
    code.string(biff8_ ? 2 : 1, text);
    formats[u16(record.first)] = numberFormatOfCode(text);
  }
  for (uint16_t id : styleFormatIds) {
    const auto code = formats.find(id);
    styleFormats_.push_back(code != formats.end() ? code->second : numberFormatOfBuiltInId(id));
  }

  for (const Data& record : sheetRecords) {
    ZBiffSheet sheet;
    sheet.offset = u32(record.first);
    const auto type = static_cast<uint8_t>(record.first[5]);
    sheet.hasCells = type == kWorksheetSheet || type == kMacroSheet;
    RecordData name(biff8_, codePage_);
    name.add(record.first + 6, record.second - 6u);
    name.string(1, sheet.name);
    sheets_.push_back(sheet);
  }

  // The shared strings: a count of all uses, a count of the strings, then
  // the strings. A table cut short keeps the strings read up to there.
  uint32_t uses = 0;
  uint32_t count = 0;
  if (sst.u32(uses) && sst.u32(count)) {
    sharedStrings_.reserve(std::min<std::size_t>(count, sst.size() / 3));  // 3 bytes at least each
    for (uint32_t i = 0; i < count && sharedTexts_.size() < 0xFFFFFFFFu - 0x30000u; ++i) {
      const auto start = static_cast<uint32_t>(sharedTexts_.size());
      const bool complete = sst.string(2, sharedTexts_);
      if (sharedTexts_.size() == start && !complete) break;
      sharedStrings_.emplace_back(start, static_cast<uint32_t>(sharedTexts_.size()) - start);
      if (!complete) break;
    }
  }

  // Each sheet's type and dimensions, from the top level of its substream,
  // where the dimensions come among its first records.
  for (ZBiffSheet& sheet : sheets_) {
    RecordReader sheetRecords(stream_, sheet.offset);
    if (!sheetRecords.next() || sheetRecords.id() != kBof || sheetRecords.length() < 4) continue;
    const uint16_t type = u16(sheetRecords.data() + 2);
    if (type == kChartSubstream || type == kModuleSubstream) sheet.hasCells = false;
    int sheetDepth = 1;
    for (int records = 0; records < kDimensionsWithin && sheetRecords.next(); ++records) {
      const uint16_t id = sheetRecords.id();
      if (id == kBof) ++sheetDepth;
      if (id == kEof && --sheetDepth == 0) break;
      if (id != kDimensions || sheetDepth > 1) continue;
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

bool ZBiffWorkbook::readCells(std::size_t sheetIndex, ZBiffSheetCells& sheet) const {
  sheet.clear();
  if (sheetIndex >= sheets_.size()) return false;
  RecordReader records(stream_, sheets_[sheetIndex].offset);
  if (!records.next() || records.id() != kBof) return false;
  const bool hasCells = sheets_[sheetIndex].hasCells;
  std::vector<ZBiffCell>& cells = sheet.cells;

  // A formula with a text result is followed by a STRING record with the
  // text (after its shared formula or array, if any); this is the
  // formula's cell until the next cell comes.
  std::size_t formulaWaitingForText = SIZE_MAX;
  auto add = [&cells, &formulaWaitingForText](uint16_t row, uint16_t column, uint16_t style,
                                              ZBiffCell::Kind kind) -> ZBiffCell* {
    formulaWaitingForText = SIZE_MAX;
    if (column >= kColumnLimit) return nullptr;
    ZBiffCell cell;
    cell.row = row;
    cell.column = column;
    cell.style = style;
    cell.kind = kind;
    cells.push_back(cell);
    return &cells.back();
  };
  // Reads a string into the sheet's texts and makes the cell show it.
  RecordData text(biff8_, codePage_);
  auto readText = [&text, &records, &sheet](ZBiffCell& cell, const char* data, std::size_t length, int skipBytes) {
    text.reset();
    text.add(data + skipBytes, length - static_cast<std::size_t>(skipBytes));
    records.addContinues(text);
    const std::size_t start = sheet.texts.size();
    text.string(2, sheet.texts);
    cell.kind = ZBiffCell::Kind::text;
    cell.index = static_cast<uint32_t>(start);
    cell.length = static_cast<uint32_t>(sheet.texts.size() - start);
  };

  // Charts and drawings embedded in the sheet bring their own BOF ... EOF.
  int depth = 1;
  while (records.next()) {
    const uint16_t id = records.id();
    if (id == kBof) ++depth;
    if (id == kEof) --depth;
    if (depth == 0) break;
    if (depth > 1 || !hasCells) continue;
    const char* data = records.data();
    const uint16_t length = records.length();
    if (sheet.texts.size() >= 0xFFFFFFFFu - 0x30000u) return false;
    switch (id) {
      case kNumber:
        if (length >= 14) {
          if (ZBiffCell* cell = add(u16(data), u16(data + 2), u16(data + 4), ZBiffCell::Kind::number)) {
            cell->number = f64(data + 6);
          }
        }
        break;
      case kRk:
        if (length >= 10) {
          if (ZBiffCell* cell = add(u16(data), u16(data + 2), u16(data + 4), ZBiffCell::Kind::number)) {
            cell->number = biffRkValue(u32(data + 6));
          }
        }
        break;
      case kMulRk:
        if (length >= 6) {
          const uint16_t row = u16(data);
          const uint16_t first = u16(data + 2);
          for (std::size_t i = 0; 4 + 6 * (i + 1) <= length - 2u && first + i < kColumnLimit; ++i) {
            const char* item = data + 4 + 6 * i;
            if (ZBiffCell* cell = add(row, static_cast<uint16_t>(first + i), u16(item), ZBiffCell::Kind::number)) {
              cell->number = biffRkValue(u32(item + 2));
            }
          }
        }
        break;
      case kLabelSst:
        if (biff8_ && length >= 10) {
          if (ZBiffCell* cell = add(u16(data), u16(data + 2), u16(data + 4), ZBiffCell::Kind::sharedString)) {
            cell->index = u32(data + 6);
          }
        }
        break;
      case kLabel:
      case kRString:
        // RSTRING (rich text) carries its formatting runs after the text.
        if (length >= 8) {
          if (ZBiffCell* cell = add(u16(data), u16(data + 2), u16(data + 4), ZBiffCell::Kind::text)) {
            readText(*cell, data, length, 6);
          }
        }
        break;
      case kFormula:
      case kFormulaOld:
        if (length >= 20) {
          const char* result = data + 6;
          ZBiffCell* cell = add(u16(data), u16(data + 2), u16(data + 4), ZBiffCell::Kind::number);
          if (cell == nullptr) break;
          if (static_cast<uint8_t>(result[6]) != 0xFF || static_cast<uint8_t>(result[7]) != 0xFF) {
            cell->number = f64(result);
          } else if (result[0] == 0) {
            cell->kind = ZBiffCell::Kind::text;
            cell->index = static_cast<uint32_t>(sheet.texts.size());
            formulaWaitingForText = cells.size() - 1;
          } else if (result[0] == 1) {
            cell->kind = ZBiffCell::Kind::boolean;
            cell->code = result[2] != 0 ? 1 : 0;
          } else if (result[0] == 2) {
            cell->kind = ZBiffCell::Kind::error;
            cell->code = static_cast<uint8_t>(result[2]);
          } else {
            cell->kind = ZBiffCell::Kind::text;  // an empty text
            cell->index = static_cast<uint32_t>(sheet.texts.size());
          }
        }
        break;
      case kString:
        if (formulaWaitingForText < cells.size()) {
          readText(cells[formulaWaitingForText], data, length, 0);
          formulaWaitingForText = SIZE_MAX;
        }
        break;
      case kBoolErr:
        if (length >= 8) {
          const bool error = data[7] != 0;
          if (ZBiffCell* cell = add(u16(data), u16(data + 2), u16(data + 4),
                                    error ? ZBiffCell::Kind::error : ZBiffCell::Kind::boolean)) {
            cell->code = error ? static_cast<uint8_t>(data[6]) : (data[6] != 0 ? 1 : 0);
          }
        }
        break;
      default:
        break;
    }
  }
  if (depth != 0) return false;

  // Records normally come in order; of two records for one cell the later
  // one counts.
  if (!std::is_sorted(cells.begin(), cells.end(), cellBefore)) {
    std::stable_sort(cells.begin(), cells.end(), cellBefore);
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (kept > 0 && !cellBefore(cells[kept - 1], cells[i])) --kept;
    cells[kept++] = cells[i];
  }
  cells.resize(kept);
  return true;
}

std::string ZBiffWorkbook::displayText(const ZBiffCell& cell, const ZBiffSheetCells& sheet) const {
  switch (cell.kind) {
    case ZBiffCell::Kind::number:
      return displayNumber(cell.number, formatOfStyle(cell.style));
    case ZBiffCell::Kind::sharedString:
      if (cell.index >= sharedStrings_.size()) return std::string();
      return sharedTexts_.substr(sharedStrings_[cell.index].first, sharedStrings_[cell.index].second);
    case ZBiffCell::Kind::text:
      if (cell.index > sheet.texts.size()) return std::string();
      return sheet.texts.substr(cell.index, cell.length);
    case ZBiffCell::Kind::boolean:
      return displayBoolean(cell.code != 0);
    case ZBiffCell::Kind::error:
      return errorText(cell.code);
  }
  return std::string();
}
