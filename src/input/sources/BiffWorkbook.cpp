#include "input/sources/BiffWorkbook.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "input/sources/BiffRecords.h"
#include "input/sources/LittleEndian.h"

namespace {

using namespace biff;
using littleendian::f64;
using littleendian::u16;
using littleendian::u32;

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

bool cellBefore(const BiffCell& a, const BiffCell& b) {
  return a.row != b.row ? a.row < b.row : a.column < b.column;
}

// The data of a record that is read once all globals are known.
using RecordBytes = std::pair<const char*, uint16_t>;

// What the records of the workbook globals hold, gathered in one pass:
// their strings are read once the code page is known.
struct Globals {
  explicit Globals(bool biff8) : sst(biff8, 0) {}
  uint16_t codePage = 1252;
  std::vector<RecordBytes> formats;
  std::vector<RecordBytes> sheets;
  std::vector<uint16_t> styleFormatIds;
  RecordData sst;
};

// Takes one record of the globals' top level. False for a workbook that is
// not read: encrypted, or naming more sheets than the format counts.
bool takeGlobalRecord(RecordReader& records, bool biff8, Globals& globals) {
  const char* data = records.data();
  const uint16_t length = records.length();
  switch (records.id()) {
    case kFilePass:
      return false;  // encrypted
    case kCodePage:
      if (length >= 2) globals.codePage = u16(data);
      break;
    case kFormat:
      if (length >= 3) globals.formats.emplace_back(data, length);
      break;
    case kXf:
      if (length >= 4) globals.styleFormatIds.push_back(u16(data + 2));
      break;
    case kBoundSheet:
      if (length >= 7) globals.sheets.emplace_back(data, length);
      return globals.sheets.size() <= kMaxSheets;
    case kSst:
      if (biff8) {
        globals.sst.reset();
        globals.sst.add(data, length);
        records.addContinues(globals.sst);
      }
      break;
    default:
      break;
  }
  return true;
}

// The globals end with their EOF; substreams embedded in them are skipped.
bool readGlobals(RecordReader& records, bool biff8, Globals& globals) {
  int depth = 1;
  while (records.next()) {
    const uint16_t id = records.id();
    if (id == kBof) ++depth;
    if (id == kEof && --depth == 0) break;
    if (depth > 1) continue;
    if (!takeGlobalRecord(records, biff8, globals)) return false;
  }
  return true;
}

// The number format of every cell style. Formats may follow the styles
// that use them: styles are matched to formats once all globals are read.
std::vector<NumberFormat> styleFormatsOf(const Globals& globals, bool biff8, uint16_t codePage) {
  std::map<uint16_t, NumberFormat> formats;
  for (const RecordBytes& record : globals.formats) {
    RecordData code(biff8, codePage);
    code.add(record.first + 2, record.second - 2u);
    std::string text;
    code.string(biff8 ? 2 : 1, text);
    formats[u16(record.first)] = numberFormatOfCode(text);
  }
  std::vector<NumberFormat> styleFormats;
  for (uint16_t id : globals.styleFormatIds) {
    const auto code = formats.find(id);
    styleFormats.push_back(code != formats.end() ? code->second : numberFormatOfBuiltInId(id));
  }
  return styleFormats;
}

// A sheet as its BOUNDSHEET record names it.
BiffSheet sheetOf(const RecordBytes& record, bool biff8, uint16_t codePage) {
  BiffSheet sheet;
  sheet.offset = u32(record.first);
  const auto type = static_cast<uint8_t>(record.first[5]);
  sheet.hasCells = type == kWorksheetSheet || type == kMacroSheet;
  RecordData name(biff8, codePage);
  name.add(record.first + 6, record.second - 6u);
  name.string(1, sheet.name);
  return sheet;
}

// The shared strings: a count of all uses, a count of the strings, then
// the strings. A table cut short keeps the strings read up to there.
void readSharedStrings(RecordData& sst, std::string& texts, std::vector<std::pair<uint32_t, uint32_t>>& strings) {
  uint32_t uses = 0;
  uint32_t count = 0;
  if (!sst.u32(uses) || !sst.u32(count)) return;
  strings.reserve(std::min<std::size_t>(count, sst.size() / 3));  // 3 bytes at least each
  for (uint32_t i = 0; i < count && texts.size() < 0xFFFFFFFFu - 0x30000u; ++i) {
    const auto start = static_cast<uint32_t>(texts.size());
    const bool complete = sst.string(2, texts);
    if (texts.size() == start && !complete) break;
    strings.emplace_back(start, static_cast<uint32_t>(texts.size()) - start);
    if (!complete) break;
  }
}

// The sheet's type and dimensions, from the top level of its substream,
// where the dimensions come among its first records.
void readSheetDimensions(const std::string& stream, bool biff8, BiffSheet& sheet) {
  RecordReader records(stream, sheet.offset);
  if (!records.next() || records.id() != kBof || records.length() < 4) return;
  const uint16_t type = u16(records.data() + 2);
  if (type == kChartSubstream || type == kModuleSubstream) sheet.hasCells = false;
  int depth = 1;
  for (int read = 0; read < kDimensionsWithin && records.next(); ++read) {
    const uint16_t id = records.id();
    if (id == kBof) ++depth;
    if (id == kEof && --depth == 0) break;
    if (id != kDimensions || depth > 1) continue;
    const char* data = records.data();
    if (biff8 && records.length() >= 12) {
      sheet.rows = u32(data + 4);
      sheet.columns = u16(data + 10);
    } else if (!biff8 && records.length() >= 8) {
      sheet.rows = u16(data + 2);
      sheet.columns = u16(data + 6);
    }
    return;
  }
}

// Reads the cell records of one sheet into its cells, one record at a time.
class CellRecords {
 public:
  CellRecords(RecordReader& records, bool biff8, uint16_t codePage, BiffSheetCells& sheet)
      : records_(records), biff8_(biff8), text_(biff8, codePage), sheet_(sheet) {}

  // Takes one record of the sheet's top level.
  void take(uint16_t id, const char* data, uint16_t length) {
    switch (id) {
      case kNumber:
        if (length >= 14) number(data);
        break;
      case kRk:
        if (length >= 10) rk(data);
        break;
      case kMulRk:
        if (length >= 6) mulRk(data, length);
        break;
      case kLabelSst:
        if (biff8_ && length >= 10) labelSst(data);
        break;
      case kLabel:
      case kRString:  // RSTRING (rich text) carries its formatting runs after the text
        if (length >= 8) label(data, length);
        break;
      case kFormula:
      case kFormulaOld:
        if (length >= 20) formula(data);
        break;
      case kString:
        formulaText(data, length);
        break;
      case kBoolErr:
        if (length >= 8) boolErr(data);
        break;
      default:
        break;
    }
  }

 private:
  // A new cell at row, column (null beyond the column limit); the formula
  // waiting for its text waits no longer.
  BiffCell* add(uint16_t row, uint16_t column, uint16_t style, BiffCell::Kind kind) {
    formulaWaitingForText_ = SIZE_MAX;
    if (column >= BiffWorkbook::kColumnLimit) return nullptr;
    BiffCell cell;
    cell.row = row;
    cell.column = column;
    cell.style = style;
    cell.kind = kind;
    sheet_.cells.push_back(cell);
    return &sheet_.cells.back();
  }
  // The cell of a record that starts with row, column and style.
  BiffCell* addAt(const char* data, BiffCell::Kind kind) { return add(u16(data), u16(data + 2), u16(data + 4), kind); }

  // Reads a string into the sheet's texts and makes the cell show it.
  void readText(BiffCell& cell, const char* data, std::size_t length, int skipBytes) {
    text_.reset();
    text_.add(data + skipBytes, length - static_cast<std::size_t>(skipBytes));
    records_.addContinues(text_);
    const std::size_t start = sheet_.texts.size();
    text_.string(2, sheet_.texts);
    cell.kind = BiffCell::Kind::text;
    cell.index = static_cast<uint32_t>(start);
    cell.length = static_cast<uint32_t>(sheet_.texts.size() - start);
  }

  void number(const char* data) {
    if (BiffCell* cell = addAt(data, BiffCell::Kind::number)) cell->number = f64(data + 6);
  }
  void rk(const char* data) {
    if (BiffCell* cell = addAt(data, BiffCell::Kind::number)) cell->number = biffRkValue(u32(data + 6));
  }
  void mulRk(const char* data, uint16_t length) {
    const uint16_t row = u16(data);
    const uint16_t first = u16(data + 2);
    for (std::size_t i = 0; 4 + 6 * (i + 1) <= length - 2u && first + i < BiffWorkbook::kColumnLimit; ++i) {
      const char* item = data + 4 + 6 * i;
      if (BiffCell* cell = add(row, static_cast<uint16_t>(first + i), u16(item), BiffCell::Kind::number)) {
        cell->number = biffRkValue(u32(item + 2));
      }
    }
  }
  void labelSst(const char* data) {
    if (BiffCell* cell = addAt(data, BiffCell::Kind::sharedString)) cell->index = u32(data + 6);
  }
  void label(const char* data, uint16_t length) {
    if (BiffCell* cell = addAt(data, BiffCell::Kind::text)) readText(*cell, data, length, 6);
  }
  // A formula's cell shows its result. A text result follows in a STRING
  // record (after its shared formula or array, if any); the formula's cell
  // waits for it until the next cell comes.
  void formula(const char* data) {
    const char* result = data + 6;
    BiffCell* cell = addAt(data, BiffCell::Kind::number);
    if (cell == nullptr) return;
    if (static_cast<uint8_t>(result[6]) != 0xFF || static_cast<uint8_t>(result[7]) != 0xFF) {
      cell->number = f64(result);
    } else if (result[0] == 0) {
      cell->kind = BiffCell::Kind::text;
      cell->index = static_cast<uint32_t>(sheet_.texts.size());
      formulaWaitingForText_ = sheet_.cells.size() - 1;
    } else if (result[0] == 1) {
      cell->kind = BiffCell::Kind::boolean;
      cell->code = result[2] != 0 ? 1 : 0;
    } else if (result[0] == 2) {
      cell->kind = BiffCell::Kind::error;
      cell->code = static_cast<uint8_t>(result[2]);
    } else {
      cell->kind = BiffCell::Kind::text;  // an empty text
      cell->index = static_cast<uint32_t>(sheet_.texts.size());
    }
  }
  void formulaText(const char* data, uint16_t length) {
    if (formulaWaitingForText_ >= sheet_.cells.size()) return;
    readText(sheet_.cells[formulaWaitingForText_], data, length, 0);
    formulaWaitingForText_ = SIZE_MAX;
  }
  void boolErr(const char* data) {
    const bool error = data[7] != 0;
    if (BiffCell* cell = addAt(data, error ? BiffCell::Kind::error : BiffCell::Kind::boolean)) {
      cell->code = error ? static_cast<uint8_t>(data[6]) : (data[6] != 0 ? 1 : 0);
    }
  }

  RecordReader& records_;
  bool biff8_;
  RecordData text_;
  BiffSheetCells& sheet_;
  std::size_t formulaWaitingForText_ = SIZE_MAX;
};

// Records normally come in order; of two records for one cell the later
// one counts.
void keepLastCellOfEachAddress(std::vector<BiffCell>& cells) {
  if (!std::is_sorted(cells.begin(), cells.end(), cellBefore)) {
    std::stable_sort(cells.begin(), cells.end(), cellBefore);
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (kept > 0 && !cellBefore(cells[kept - 1], cells[i])) --kept;
    cells[kept++] = cells[i];
  }
  cells.resize(kept);
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

const BiffCell* BiffSheetCells::find(uint32_t row, uint32_t column) const {
  const auto found = std::lower_bound(cells.begin(), cells.end(), std::make_pair(row, column),
                                      [](const BiffCell& cell, const std::pair<uint32_t, uint32_t>& key) {
                                        return cell.row != key.first ? cell.row < key.first
                                                                     : cell.column < key.second;
                                      });
  if (found == cells.end() || found->row != row || found->column != column) return nullptr;
  return &*found;
}

std::size_t BiffSheetCells::rowCount() const {
  std::size_t rows = 0;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i == 0 || cells[i].row != cells[i - 1].row) ++rows;
  }
  return rows;
}

void BiffSheetCells::clear() {
  cells.clear();
  texts.clear();
}

bool BiffWorkbook::load(std::string stream) {
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

  Globals globals(biff8_);
  const bool readable = readGlobals(records, biff8_, globals);
  codePage_ = globals.codePage;
  if (!readable) return false;
  if (biff8_) codePage_ = 1200;
  styleFormats_ = styleFormatsOf(globals, biff8_, codePage_);
  for (const RecordBytes& record : globals.sheets) sheets_.push_back(sheetOf(record, biff8_, codePage_));
  readSharedStrings(globals.sst, sharedTexts_, sharedStrings_);
  for (BiffSheet& sheet : sheets_) readSheetDimensions(stream_, biff8_, sheet);
  return true;
}

NumberFormat BiffWorkbook::formatOfStyle(uint32_t style) const {
  return style < styleFormats_.size() ? styleFormats_[style] : NumberFormat::general;
}

bool BiffWorkbook::readCells(std::size_t sheetIndex, BiffSheetCells& sheet) const {
  sheet.clear();
  if (sheetIndex >= sheets_.size()) return false;
  RecordReader records(stream_, sheets_[sheetIndex].offset);
  if (!records.next() || records.id() != kBof) return false;
  const bool hasCells = sheets_[sheetIndex].hasCells;
  CellRecords cells(records, biff8_, codePage_, sheet);
  // Charts and drawings embedded in the sheet bring their own BOF ... EOF.
  int depth = 1;
  while (records.next()) {
    const uint16_t id = records.id();
    if (id == kBof) ++depth;
    if (id == kEof) --depth;
    if (depth == 0) break;
    if (depth > 1 || !hasCells) continue;
    if (sheet.texts.size() >= 0xFFFFFFFFu - 0x30000u) return false;
    cells.take(id, records.data(), records.length());
  }
  if (depth != 0) return false;
  keepLastCellOfEachAddress(sheet.cells);
  return true;
}

std::string BiffWorkbook::displayText(const BiffCell& cell, const BiffSheetCells& sheet) const {
  switch (cell.kind) {
    case BiffCell::Kind::number:
      return displayNumber(cell.number, formatOfStyle(cell.style));
    case BiffCell::Kind::sharedString:
      if (cell.index >= sharedStrings_.size()) return std::string();
      return sharedTexts_.substr(sharedStrings_[cell.index].first, sharedStrings_[cell.index].second);
    case BiffCell::Kind::text:
      if (cell.index > sheet.texts.size()) return std::string();
      return sheet.texts.substr(cell.index, cell.length);
    case BiffCell::Kind::boolean:
      return displayBoolean(cell.code != 0);
    case BiffCell::Kind::error:
      return errorText(cell.code);
  }
  return std::string();
}
