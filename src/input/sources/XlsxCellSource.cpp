#include "input/sources/XlsxCellSource.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>

#include "input/sources/SheetRowScanner.h"
#include "input/sources/XmlPart.h"
#include "input/sources/XmlPullReader.h"
#include "util/StringFormat.h"

namespace {

std::string directoryOf(const std::string& part) {
  const std::size_t slash = part.rfind('/');
  return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

// The relationships part that belongs to a part: "xl/workbook.xml" has
// "xl/_rels/workbook.xml.rels".
std::string relationshipsOf(const std::string& part) {
  const std::size_t slash = part.rfind('/');
  const std::string name = slash == std::string::npos ? part : part.substr(slash + 1);
  return directoryOf(part) + "_rels/" + name + ".rels";
}

// A relationship target relative to the directory of its source part (or
// absolute from the package root), with "." and ".." resolved.
std::string resolveTarget(const std::string& baseDirectory, const std::string& target) {
  const std::string joined = !target.empty() && target[0] == '/' ? target.substr(1) : baseDirectory + target;
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (start <= joined.size()) {
    std::size_t end = joined.find('/', start);
    if (end == std::string::npos) end = joined.size();
    const std::string segment = joined.substr(start, end - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = end + 1;
  }
  std::string resolved;
  for (const std::string& segment : segments) resolved += (resolved.empty() ? "" : "/") + segment;
  return resolved;
}

// The ref of a sheet's dimension ("A1:D20", or one cell) names a last cell
// that a sheet can have (or none).
bool isPossibleDimension(std::string_view ref) {
  const std::size_t colon = ref.find(':');
  const std::string_view corner = colon == std::string_view::npos ? ref : ref.substr(colon + 1);
  uint64_t lastColumn = 0;
  uint64_t lastRow = 0;
  return corner.empty() || (parseCellReference(corner, lastColumn, lastRow) && lastColumn < kSheetColumnLimit &&
                            lastRow <= kSheetRowLimit);
}

bool endsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

struct Relationship {
  std::string type;
  std::string target;  // resolved part name
};

// The relationships of a part by id; empty when the part has none.
std::map<std::string, Relationship> readRelationships(const ZipArchive& zip, const std::string& sourcePart,
                                                      bool& damaged) {
  std::map<std::string, Relationship> relationships;
  const std::string base = directoryOf(sourcePart);
  std::string mode;
  std::string id;
  std::string type;
  std::string target;
  const ZipArchive::Status status =
      readXmlPart(zip, relationshipsOf(sourcePart), [&](const XmlPullReader& reader, const std::vector<std::string>& path) {
        if (path.size() != 2 || path[1] != "Relationship") return;
        if (reader.attribute("TargetMode", mode) && mode == "External") return;
        if (!reader.attribute("Id", id)) id.clear();
        if (!reader.attribute("Type", type)) type.clear();
        if (!reader.attribute("Target", target)) target.clear();
        relationships[id] = Relationship{type, resolveTarget(base, target)};
      });
  damaged = status != ZipArchive::Status::ok && status != ZipArchive::Status::missing;
  if (status != ZipArchive::Status::ok) relationships.clear();
  return relationships;
}

bool equalsIgnoringAsciiCase(const std::string& a, const std::string& b) {
  return toLowerAscii(a) == toLowerAscii(b);
}

// An unsigned decimal number with nothing around it.
bool parseIndex(std::string_view text, uint64_t& value) {
  if (text.empty()) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > 0xFFFFFFFFull) return false;
  }
  return true;
}

// A number as the cell value stores it; false for anything else.
bool parseNumber(const char* text, double& value) {
  while (*text == ' ') ++text;
  if (*text == '\0') return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text, &end);
  while (*end == ' ') ++end;
  return *end == '\0' && std::isfinite(value);
}

// One to eleven digits, no leading zero unless it is the only digit: the
// General format shows such a number exactly as written.
bool isPlainWholeNumber(std::string_view text) {
  if (text.empty() || text.size() > 11 || (text[0] == '0' && text.size() > 1)) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

bool parseCellReference(std::string_view reference, uint64_t& column, uint64_t& row) {
  std::size_t letters = 0;
  column = 0;
  for (; letters < reference.size(); ++letters) {
    const char c = reference[letters];
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) break;
    if (letters == 3) return false;
    column = column * 26 + static_cast<uint64_t>((c | 0x20) - 'a' + 1);
  }
  if (letters == 0 || !parseIndex(reference.substr(letters), row) || row == 0) return false;
  column -= 1;
  return true;
}

std::string decodeOoxmlEscapes(const std::string& text) {
  if (text.find("_x") == std::string::npos) return text;
  std::string decoded;
  uint32_t pendingHigh = 0;  // first half of a surrogate pair
  std::size_t i = 0;
  while (i < text.size()) {
    uint32_t code = 0;
    bool escape = i + 7 <= text.size() && text[i] == '_' && text[i + 1] == 'x' && text[i + 6] == '_';
    for (std::size_t k = i + 2; escape && k < i + 6; ++k) {
      const char c = static_cast<char>(text[k] | 0x20);
      const int digit = (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
      if (digit < 0) escape = false;
      code = code * 16 + static_cast<uint32_t>(digit);
    }
    if (!escape) {
      pendingHigh = 0;
      decoded += text[i++];
      continue;
    }
    i += 7;
    if (code >= 0xD800 && code <= 0xDBFF) {
      pendingHigh = code;
      continue;
    }
    if (code >= 0xDC00 && code <= 0xDFFF) {
      if (pendingHigh != 0) appendUtf8(decoded, 0x10000 + ((pendingHigh - 0xD800) << 10) + (code - 0xDC00));
      pendingHigh = 0;
      continue;
    }
    pendingHigh = 0;
    appendUtf8(decoded, code);
  }
  return decoded;
}

CellSourceResult XlsxCellSource::start() { return CellSourceResult::ok; }

CellSourceResult XlsxCellSource::openDocument(const std::string& path) {
  if (!zip_.open(path)) return CellSourceResult::failed;
  bool damaged = false;

  // The package relationships name the workbook part.
  std::string workbookPart = "xl/workbook.xml";
  for (const auto& entry : readRelationships(zip_, "", damaged)) {
    if (endsWith(entry.second.type, "/officeDocument")) workbookPart = entry.second.target;
  }
  if (damaged) return CellSourceResult::failed;

  // The sheets in workbook order, each with the id of its relationship.
  std::vector<std::pair<std::string, std::string>> named;
  std::string name;
  std::string id;
  const ZipArchive::Status status =
      readXmlPart(zip_, workbookPart, [&](const XmlPullReader& reader, const std::vector<std::string>& path) {
        if (path.size() != 3 || path[1] != "sheets" || path[2] != "sheet") return;
        if (!reader.attribute("name", name)) name.clear();
        if (!reader.attribute("id", id)) id.clear();
        named.emplace_back(name, id);
      });
  if (status != ZipArchive::Status::ok) return CellSourceResult::failed;
  const auto relationships = readRelationships(zip_, workbookPart, damaged);
  if (damaged) return CellSourceResult::failed;

  for (const auto& [sheetName, sheetId] : named) {
    const auto found = relationships.find(sheetId);
    if (found != relationships.end()) sheets_.push_back(Sheet{sheetName, found->second.target});
  }
  for (const auto& entry : relationships) {
    // Read once the sheet tells which of them its cells use. A workbook
    // that names a shared strings part it does not hold is damaged: every
    // text cell would show empty.
    if (endsWith(entry.second.type, "/sharedStrings")) {
      if (!zip_.has(entry.second.target)) return CellSourceResult::failed;
      sharedStringParts_.push_back(entry.second.target);
    }
    if (endsWith(entry.second.type, "/styles") && !readStyles(entry.second.target)) {
      return CellSourceResult::failed;
    }
  }
  return CellSourceResult::ok;
}

bool XlsxCellSource::readSharedStrings() {
  sharedStrings_.seal();
  uint64_t index = 0;  // the items of several parts count on
  for (const std::string& part : sharedStringParts_) {
    if (!readSharedStrings(part, index)) return false;
  }
  return true;
}

bool XlsxCellSource::readSharedStrings(const std::string& part, uint64_t& index) {
  ZipArchive::Stream stream;
  if (zip_.open(part, stream) != ZipArchive::Status::ok) return false;
  // Each <si> is plain text in <t> or rich text runs <r><t>; phonetic runs
  // (<rPh>) are not shown.
  XmlPullReader reader([&stream](char* buffer, std::size_t size) { return stream.read(buffer, size); });
  // The text of the current item when a kept cell uses it, else null.
  std::string* text = nullptr;
  int phoneticDepth = 0;
  bool inText = false;
  for (;;) {
    switch (reader.next()) {
      case XmlPullReader::Event::startElement:
        if (reader.name() == "si") {
          text = sharedStrings_.text(index);
        } else if (reader.name() == "rPh") {
          ++phoneticDepth;
        } else if (reader.name() == "t") {
          inText = phoneticDepth == 0;
        }
        break;
      case XmlPullReader::Event::endElement:
        if (reader.name() == "si") {
          if (text != nullptr) *text = decodeOoxmlEscapes(*text);
          text = nullptr;
          ++index;
        } else if (reader.name() == "rPh") {
          --phoneticDepth;
        } else if (reader.name() == "t") {
          inText = false;
        }
        break;
      case XmlPullReader::Event::text:
        if (inText && text != nullptr) *text += reader.text();
        break;
      case XmlPullReader::Event::end:
        return true;
      case XmlPullReader::Event::error:
        return false;
    }
  }
}

bool XlsxCellSource::readStyles(const std::string& part) {
  // Custom formats by id, and the format id of every cell style.
  std::map<int, std::string> codes;
  std::vector<int> styleFormats;
  std::string value;
  std::string code;
  const ZipArchive::Status status =
      readXmlPart(zip_, part, [&](const XmlPullReader& reader, const std::vector<std::string>& path) {
        if (path.size() != 3) return;
        if (path[1] == "numFmts" && path[2] == "numFmt") {
          const int id = reader.attribute("numFmtId", value) ? xmlIntValue(value) : -1;
          codes[id] = reader.attribute("formatCode", code) ? code : std::string();
        } else if (path[1] == "cellXfs" && path[2] == "xf") {
          styleFormats.push_back(reader.attribute("numFmtId", value) ? xmlIntValue(value) : 0);
        }
      });
  if (status == ZipArchive::Status::missing) return true;
  if (status != ZipArchive::Status::ok) return false;
  for (const int id : styleFormats) {
    const auto found = codes.find(id);
    cellFormats_.push_back(found != codes.end() ? numberFormatOfCode(found->second) : numberFormatOfBuiltInId(id));
  }
  return true;
}

CellSourceResult XlsxCellSource::selectSheet(const std::string& name) {
  const Sheet* selected = nullptr;
  for (const Sheet& sheet : sheets_) {
    if (name.empty() || sheet.name == name) {
      selected = &sheet;
      break;
    }
  }
  for (const Sheet& sheet : sheets_) {
    if (selected == nullptr && equalsIgnoringAsciiCase(sheet.name, name)) selected = &sheet;
  }
  // A damaged shared strings part makes the document unreadable whichever
  // sheet is asked for.
  if (selected == nullptr) {
    return readSharedStrings() ? CellSourceResult::failed : CellSourceResult::documentUnreadable;
  }

  return readSheet(selected->part) && readSharedStrings() ? CellSourceResult::ok
                                                          : CellSourceResult::documentUnreadable;
}

namespace {
bool rowScannerEnabled = true;
// The blanks an inline string's text loses at its ends.
const char kXmlBlanks[] = " \t\n\r";
// A row longer than this is left to the general reader rather than held
// whole in the window.
constexpr std::size_t kLongestScannedRow = 4u << 20;
}  // namespace

void setXlsxRowScannerEnabled(bool enabled) { rowScannerEnabled = enabled; }

void XlsxCellSource::startRow(SheetState& state, const std::string_view* r) {
  state.inRow = true;
  uint64_t rowIndex = state.nextRow;
  if (r != nullptr) {
    if (!parseIndex(*r, rowIndex) || rowIndex == 0) rowIndex = kSheetRowLimit + 1;
    --rowIndex;
  }
  state.nextRow = rowIndex + 1;
  state.nextColumn = 0;
  if (!grid_.beginRow(rowIndex)) state.inRow = false;  // its cells are ignored
}

void XlsxCellSource::startCell(SheetState& state, const std::string_view* r, const std::string_view* s,
                                const std::string_view* t) {
  state.inCell = true;
  Cell& cell = state.cell;
  cell = Cell();
  cell.offset = static_cast<uint32_t>(values_.size());
  state.column = state.nextColumn;
  uint64_t ignoredRow = 0;
  state.cellUsable = r == nullptr || parseCellReference(*r, state.column, ignoredRow);
  state.nextColumn = state.column + 1;
  if (s != nullptr) {
    uint64_t style = 0;
    cell.style = parseIndex(*s, style) ? static_cast<uint32_t>(style) : 0;
  }
  if (t != nullptr) {
    if (*t == "s") cell.type = Cell::Type::sharedString;
    if (*t == "inlineStr") cell.type = Cell::Type::inlineString;
    if (*t == "str") cell.type = Cell::Type::formulaString;
    if (*t == "b") cell.type = Cell::Type::boolean;
    if (*t == "e") cell.type = Cell::Type::error;
    if (*t == "d") cell.type = Cell::Type::date;
  }
}

void XlsxCellSource::endCell(SheetState& state) {
  state.inCell = false;
  Cell& cell = state.cell;
  if (cell.type == Cell::Type::inlineString && values_.find("_x", cell.offset) != std::string::npos) {
    const std::string decoded = decodeOoxmlEscapes(values_.substr(cell.offset));
    values_.replace(cell.offset, std::string::npos, decoded);
  }
  cell.length = static_cast<uint32_t>(values_.size() - cell.offset);
  if (!state.cellUsable || !grid_.addCell(state.column, 1, cell)) {
    values_.resize(cell.offset);
    return;
  }
  uint64_t index = 0;
  if (cell.type == Cell::Type::sharedString && parseIndex(std::string_view(values_).substr(cell.offset), index)) {
    sharedStrings_.want(index);
  }
}

void XlsxCellSource::scanPlainRows(XmlPullReader& reader, SheetState& state) {
  // Three more levels (row, cell, inline string, its text) must stay
  // within the reader's nesting limit, which the general reader checks.
  if (!reader.canHandOver() || reader.depth() + 4 >= XmlPullReader::kMaxDepth) return;
  for (;;) {
    std::size_t length = 0;
    const std::string_view window = reader.unread();
    const RowScan scan = scanSheetRow(window, length, rowSteps_);
    if (scan == RowScan::declined) return;
    if (scan == RowScan::needMore) {
      if (window.size() > kLongestScannedRow || !reader.readMore()) return;
      continue;
    }
    for (const SheetRowStep& step : rowSteps_) {
      switch (step.kind) {
        case SheetRowStep::Kind::rowStart:
          startRow(state, step.hasR ? &step.r : nullptr);
          break;
        case SheetRowStep::Kind::cellStart:
          // The cells of a row outside the sheet are ignored.
          if (state.inRow) startCell(state, step.hasR ? &step.r : nullptr, step.hasS ? &step.s : nullptr,
                                     step.hasT ? &step.t : nullptr);
          break;
        case SheetRowStep::Kind::value: {
          if (!state.inCell) break;
          // The general loop collects the <t> texts of an inline string
          // outside phonetic runs, and the <v> texts of any other cell.
          const bool isInline = state.cell.type == Cell::Type::inlineString;
          if (step.inlineText ? isInline && state.phoneticDepth == 0 : !isInline) values_ += step.text;
          break;
        }
        case SheetRowStep::Kind::cellEnd:
          if (state.inCell) endCell(state);
          break;
        case SheetRowStep::Kind::rowEnd:
          state.inRow = false;
          break;
      }
    }
    reader.skip(length);
  }
}

void XlsxCellSource::startCellElement(const XmlPullReader& reader, SheetState& state) {
  // The views of attribute() last until its next call: each gets its own.
  std::string_view attribute;
  const bool hasR = reader.attribute("r", attribute);
  const std::string r(hasR ? attribute : std::string_view());
  const std::string_view rView(r);
  const bool hasS = reader.attribute("s", attribute);
  const std::string s(hasS ? attribute : std::string_view());
  const std::string_view sView(s);
  std::string_view t;
  const bool hasT = reader.attribute("t", t);
  startCell(state, hasR ? &rView : nullptr, hasS ? &sView : nullptr, hasT ? &t : nullptr);
}

bool XlsxCellSource::readSheet(const std::string& part) {
  grid_.clear();
  values_.clear();
  sharedStrings_.clear();
  ZipArchive::Stream stream;
  if (zip_.open(part, stream) != ZipArchive::Status::ok) return false;
  XmlPullReader reader([&stream](char* buffer, std::size_t size) { return stream.read(buffer, size); });
  std::string_view attribute;
  bool inSheetData = false;
  bool collecting = false;  // inside the value or an inline string's text
  // Where the text of an inline string's <t> begins in values_, when its
  // blanks at both ends are to go (it has no xml:space="preserve").
  std::size_t trimFrom = std::string::npos;
  SheetState state;
  for (;;) {
    // Between rows, plain rows are read the fast way.
    if (inSheetData && !state.inRow && rowScannerEnabled) scanPlainRows(reader, state);
    const XmlPullReader::Event event = reader.next();
    if (event == XmlPullReader::Event::end) return true;
    if (event == XmlPullReader::Event::error) return false;
    const std::string_view name = reader.name();
    if (event == XmlPullReader::Event::text) {
      if (collecting) values_ += reader.text();
    } else if (event == XmlPullReader::Event::endElement) {
      if (name == "sheetData") {
        inSheetData = false;
      } else if (name == "row") {
        state.inRow = false;
      } else if (name == "c" && state.inCell) {
        endCell(state);
      } else if (name == "rPh") {
        --state.phoneticDepth;
      } else if (name == "v" || name == "t") {
        if (name == "t" && collecting && trimFrom != std::string::npos) trimInlineText(trimFrom);
        collecting = false;
        trimFrom = std::string::npos;
      }
    } else if (!inSheetData) {
      if (name == "sheetData") inSheetData = true;
      // A sheet that declares itself larger than any sheet can be is damaged.
      if (name == "dimension" && reader.attribute("ref", attribute) && !isPossibleDimension(attribute)) return false;
    } else if (name == "row") {
      startRow(state, reader.attribute("r", attribute) ? &attribute : nullptr);
    } else if (name == "c" && state.inRow) {
      startCellElement(reader, state);
    } else if (state.inCell) {
      // An inline string's text runs, phonetic runs left out; the value of
      // every other cell.
      if (name == "rPh") {
        ++state.phoneticDepth;
      } else if (state.cell.type == Cell::Type::inlineString) {
        collecting = name == "t" && state.phoneticDepth == 0;
        trimFrom = collecting && !(reader.attribute("space", attribute) && attribute == "preserve")
                       ? values_.size()
                       : std::string::npos;
      } else if (name == "v") {
        collecting = true;
      }
    }
  }
}

void XlsxCellSource::trimInlineText(std::size_t from) {
  const std::size_t first = values_.find_first_not_of(kXmlBlanks, from);
  if (first == std::string::npos) {
    values_.resize(from);
    return;
  }
  values_.resize(values_.find_last_not_of(kXmlBlanks) + 1);
  values_.erase(from, first - from);
}

std::string XlsxCellSource::displayText(const Cell& cell) const {
  const std::string_view value(values_.data() + cell.offset, cell.length);
  switch (cell.type) {
    case Cell::Type::inlineString:
    case Cell::Type::error:
    case Cell::Type::date:
      return std::string(value);
    case Cell::Type::formulaString:
      return decodeOoxmlEscapes(std::string(value));
    case Cell::Type::sharedString: {
      uint64_t index = 0;
      const std::string* text = parseIndex(value, index) ? sharedStrings_.text(index) : nullptr;
      return text != nullptr ? *text : std::string();
    }
    case Cell::Type::boolean:
      if (value == "1" || value == "true") return displayBoolean(true);
      if (value == "0" || value == "false") return displayBoolean(false);
      return std::string();
    case Cell::Type::number:
      break;
  }
  const NumberFormat format = formatOfStyle(cell.style);
  // Most cells of a signal sheet are small whole numbers in the General
  // format, which shows them as stored: up to eleven digits without
  // leading zeros.
  if (showsAsGeneral(format) && isPlainWholeNumber(value)) {
    return std::string(value);
  }
  double number = 0;
  if (!parseNumber(std::string(value).c_str(), number)) return std::string();
  return displayNumber(number, format);
}

NumberFormat XlsxCellSource::formatOfStyle(uint32_t style) const {
  return style < cellFormats_.size() ? cellFormats_[style] : NumberFormat::general;
}

NumberFormat XlsxCellSource::numberFormat(const CellAddress& address) const {
  const Cell* cell = grid_.find(static_cast<uint64_t>(address.row) - 1, static_cast<uint64_t>(address.column));
  return cell != nullptr ? formatOfStyle(cell->style) : NumberFormat::general;
}

CellSourceResult XlsxCellSource::cellText(const CellAddress& address, std::string& text) {
  const Cell* cell = grid_.find(static_cast<uint64_t>(address.row) - 1, static_cast<uint64_t>(address.column));
  text = cell != nullptr ? displayText(*cell) : std::string();
  return budget_.take(text.size()) ? CellSourceResult::ok : CellSourceResult::documentUnreadable;
}

CellSourceResult XlsxCellSource::finish() {
  grid_.clear();
  values_.clear();
  sharedStrings_.clear();
  zip_.close();
  return CellSourceResult::ok;
}
