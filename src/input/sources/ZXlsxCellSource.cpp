#include "input/sources/ZXlsxCellSource.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>

#include "input/sources/ZXmlPart.h"
#include "util/StringFormat.h"

namespace {

// Reads and parses one part. documentBuffer must outlive document.
ZZipArchive::Status readXmlPart(const ZZipArchive& zip, const std::string& part, std::string& buffer,
                                pugi::xml_document& document) {
  const ZZipArchive::Status status = zip.read(part, buffer);
  if (status != ZZipArchive::Status::ok) return status;
  return parseXmlPart(buffer, document) ? ZZipArchive::Status::ok : ZZipArchive::Status::damaged;
}

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

bool endsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

struct Relationship {
  std::string type;
  std::string target;  // resolved part name
};

// The relationships of a part by id; empty when the part has none.
std::map<std::string, Relationship> readRelationships(const ZZipArchive& zip, const std::string& sourcePart,
                                                      bool& damaged) {
  std::map<std::string, Relationship> relationships;
  std::string buffer;
  pugi::xml_document document;
  const ZZipArchive::Status status = readXmlPart(zip, relationshipsOf(sourcePart), buffer, document);
  damaged = status != ZZipArchive::Status::ok && status != ZZipArchive::Status::missing;
  if (status != ZZipArchive::Status::ok) return relationships;
  const std::string base = directoryOf(sourcePart);
  for (pugi::xml_node node : document.document_element().children()) {
    if (!hasLocalName(node, "Relationship")) continue;
    if (std::strcmp(node.attribute("TargetMode").value(), "External") == 0) continue;
    relationships[node.attribute("Id").value()] =
        Relationship{node.attribute("Type").value(), resolveTarget(base, node.attribute("Target").value())};
  }
  return relationships;
}

// All text and CDATA directly inside an element.
void appendText(const pugi::xml_node& element, std::string& text) {
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) text += child.value();
  }
}

// The text of a string item: its plain text, or the text runs of rich text
// (phonetic runs left out).
std::string stringItemText(const pugi::xml_node& item) {
  std::string text;
  for (pugi::xml_node child = item.first_child(); child; child = child.next_sibling()) {
    if (hasLocalName(child, "t")) {
      appendText(child, text);
    } else if (hasLocalName(child, "r")) {
      for (pugi::xml_node run = child.first_child(); run; run = run.next_sibling()) {
        if (hasLocalName(run, "t")) appendText(run, text);
      }
    }
  }
  return decodeOoxmlEscapes(text);
}

bool equalsIgnoringAsciiCase(const std::string& a, const std::string& b) {
  return toLowerAscii(a) == toLowerAscii(b);
}

// An unsigned decimal number with nothing around it.
bool parseIndex(const char* text, uint64_t& value) {
  if (*text < '0' || *text > '9') return false;
  value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + static_cast<uint64_t>(*text - '0');
    if (value > 0xFFFFFFFFull) return false;
  }
  return *text == '\0';
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

}  // namespace

bool parseCellReference(const char* reference, uint64_t& column, uint64_t& row) {
  const char* p = reference;
  column = 0;
  int letters = 0;
  for (; (*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z'); ++p) {
    if (++letters > 3) return false;
    column = column * 26 + static_cast<uint64_t>((*p | 0x20) - 'a' + 1);
  }
  if (letters == 0 || !parseIndex(p, row) || row == 0) return false;
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

ZCellSourceResult ZXlsxCellSource::start() { return ZCellSourceResult::ok; }

ZCellSourceResult ZXlsxCellSource::openDocument(const std::string& path) {
  if (!zip_.open(path)) return ZCellSourceResult::failed;
  bool damaged = false;

  // The package relationships name the workbook part.
  std::string workbookPart = "xl/workbook.xml";
  for (const auto& entry : readRelationships(zip_, "", damaged)) {
    if (endsWith(entry.second.type, "/officeDocument")) workbookPart = entry.second.target;
  }
  if (damaged) return ZCellSourceResult::failed;

  std::string buffer;
  pugi::xml_document workbook;
  if (readXmlPart(zip_, workbookPart, buffer, workbook) != ZZipArchive::Status::ok) {
    return ZCellSourceResult::failed;
  }
  const auto relationships = readRelationships(zip_, workbookPart, damaged);
  if (damaged) return ZCellSourceResult::failed;

  for (pugi::xml_node sheet : childNamed(workbook.document_element(), "sheets").children()) {
    if (!hasLocalName(sheet, "sheet")) continue;
    const auto found = relationships.find(attributeNamed(sheet, "id").value());
    if (found == relationships.end()) continue;
    sheets_.push_back(Sheet{sheet.attribute("name").value(), found->second.target});
  }
  for (const auto& entry : relationships) {
    if (endsWith(entry.second.type, "/sharedStrings") && !readSharedStrings(entry.second.target)) {
      return ZCellSourceResult::failed;
    }
    if (endsWith(entry.second.type, "/styles") && !readStyles(entry.second.target)) {
      return ZCellSourceResult::failed;
    }
  }
  return ZCellSourceResult::ok;
}

bool ZXlsxCellSource::readSharedStrings(const std::string& part) {
  std::string buffer;
  pugi::xml_document document;
  const ZZipArchive::Status status = readXmlPart(zip_, part, buffer, document);
  if (status == ZZipArchive::Status::missing) return true;
  if (status != ZZipArchive::Status::ok) return false;
  for (pugi::xml_node item : document.document_element().children()) {
    if (hasLocalName(item, "si")) sharedStrings_.push_back(stringItemText(item));
  }
  return true;
}

bool ZXlsxCellSource::readStyles(const std::string& part) {
  std::string buffer;
  pugi::xml_document document;
  const ZZipArchive::Status status = readXmlPart(zip_, part, buffer, document);
  if (status == ZZipArchive::Status::missing) return true;
  if (status != ZZipArchive::Status::ok) return false;
  const pugi::xml_node styleSheet = document.document_element();
  std::map<int, std::string> codes;
  for (pugi::xml_node format : childNamed(styleSheet, "numFmts").children()) {
    if (hasLocalName(format, "numFmt")) {
      codes[format.attribute("numFmtId").as_int(-1)] = format.attribute("formatCode").value();
    }
  }
  for (pugi::xml_node xf : childNamed(styleSheet, "cellXfs").children()) {
    if (!hasLocalName(xf, "xf")) continue;
    const int id = xf.attribute("numFmtId").as_int(0);
    const auto code = codes.find(id);
    cellFormats_.push_back(code != codes.end() ? numberFormatOfCode(code->second) : numberFormatOfBuiltInId(id));
  }
  return true;
}

ZCellSourceResult ZXlsxCellSource::selectSheet(const std::string& name) {
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
  if (selected == nullptr) return ZCellSourceResult::failed;

  grid_.clear();
  if (readXmlPart(zip_, selected->part, sheetBuffer_, sheetDocument_) != ZZipArchive::Status::ok) {
    return ZCellSourceResult::documentUnreadable;
  }
  const pugi::xml_node worksheet = sheetDocument_.document_element();

  // A sheet that declares itself larger than any sheet can be is damaged.
  const std::string dimension = childNamed(worksheet, "dimension").attribute("ref").value();
  uint64_t lastColumn = 0;
  uint64_t lastRow = 0;
  const std::size_t colon = dimension.find(':');
  const std::string corner = colon == std::string::npos ? dimension : dimension.substr(colon + 1);
  if (!corner.empty() && (!parseCellReference(corner.c_str(), lastColumn, lastRow) ||
                          lastColumn >= kSheetColumnLimit || lastRow > kSheetRowLimit)) {
    return ZCellSourceResult::documentUnreadable;
  }

  // Rows and cells without a reference follow the one before them.
  uint64_t nextRow = 0;
  for (pugi::xml_node row : childNamed(worksheet, "sheetData").children()) {
    if (!hasLocalName(row, "row")) continue;
    uint64_t rowIndex = nextRow;
    const pugi::xml_attribute rowReference = row.attribute("r");
    if (rowReference) {
      if (!parseIndex(rowReference.value(), rowIndex) || rowIndex == 0) continue;
      --rowIndex;
    }
    nextRow = rowIndex + 1;
    if (!grid_.beginRow(rowIndex)) continue;
    uint64_t nextColumn = 0;
    for (pugi::xml_node cell : row.children()) {
      if (!hasLocalName(cell, "c")) continue;
      uint64_t column = nextColumn;
      uint64_t ignoredRow = 0;
      const pugi::xml_attribute cellReference = cell.attribute("r");
      if (cellReference && !parseCellReference(cellReference.value(), column, ignoredRow)) continue;
      nextColumn = column + 1;
      grid_.addCell(column, 1, cell);
    }
  }
  return ZCellSourceResult::ok;
}

std::string ZXlsxCellSource::displayText(const pugi::xml_node& cell) const {
  const std::string type = cell.attribute("t").value();
  const pugi::xml_node valueNode = childNamed(cell, "v");
  std::string value;
  if (valueNode) appendText(valueNode, value);

  if (type == "inlineStr") {
    const pugi::xml_node inlineString = childNamed(cell, "is");
    return inlineString ? stringItemText(inlineString) : decodeOoxmlEscapes(value);
  }
  if (type == "s") {
    uint64_t index = 0;
    if (!parseIndex(value.c_str(), index) || index >= sharedStrings_.size()) return std::string();
    return sharedStrings_[static_cast<std::size_t>(index)];
  }
  if (type == "str") return decodeOoxmlEscapes(value);
  if (type == "e" || type == "d") return value;
  if (type == "b") {
    if (value == "1" || value == "true") return displayBoolean(true);
    if (value == "0" || value == "false") return displayBoolean(false);
    return std::string();
  }
  double number = 0;
  if (!parseNumber(value.c_str(), number)) return std::string();
  const uint64_t style = cell.attribute("s").as_ullong(0);
  const ZNumberFormat format =
      style < cellFormats_.size() ? cellFormats_[static_cast<std::size_t>(style)] : ZNumberFormat::general;
  return displayNumber(number, format);
}

ZCellSourceResult ZXlsxCellSource::cellText(const ZCellAddress& address, std::string& text) {
  const pugi::xml_node* cell =
      grid_.find(static_cast<uint64_t>(address.row) - 1, static_cast<uint64_t>(address.column));
  text = cell != nullptr ? displayText(*cell) : std::string();
  return ZCellSourceResult::ok;
}

ZCellSourceResult ZXlsxCellSource::finish() {
  grid_.clear();
  sheetDocument_.reset();
  sheetBuffer_.clear();
  sheetBuffer_.shrink_to_fit();
  sharedStrings_.clear();
  zip_.close();
  return ZCellSourceResult::ok;
}
