#include "input/sources/OdsCellSource.h"

#include <cstdlib>

#include "input/sources/DisplayText.h"
#include "input/sources/XmlPullReader.h"
#include "util/StringFormat.h"

namespace {

uint64_t repeatCount(const XmlPullReader& reader, std::string_view attribute) {
  std::string value;
  if (!reader.attribute(attribute, value)) return 1;
  const unsigned long long count = std::strtoull(value.c_str(), nullptr, 10);
  return count == 0 ? 1 : count;
}

// What a cell without paragraphs shows: its value.
std::string valueText(const XmlPullReader& reader) {
  std::string type;
  std::string value;
  if (!reader.attribute("value-type", type)) return std::string();
  if (type == "float" || type == "percentage" || type == "currency") {
    if (!reader.attribute("value", value)) return std::string();
    char* end = nullptr;
    const double number = std::strtod(value.c_str(), &end);
    return end != value.c_str() && *end == '\0' ? displayNumber(number, ZNumberFormat::general) : std::string();
  }
  if (type == "boolean") return reader.attribute("boolean-value", value) ? displayBoolean(value == "true") : "";
  if (type == "date") return reader.attribute("date-value", value) ? value : "";
  if (type == "time") return reader.attribute("time-value", value) ? value : "";
  if (type == "string") return reader.attribute("string-value", value) ? value : "";
  return std::string();
}

}  // namespace

void appendPackedBlanks(std::string& packed, uint64_t count) {
  const uint32_t n = count > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(count);
  packed += '\0';
  for (int i = 0; i < 4; ++i) packed += static_cast<char>((n >> (8 * i)) & 0xFF);
}

std::string unpackCellText(std::string_view packed, std::size_t limit) {
  // A few bytes beyond the limit tell whether the last character fits.
  const std::size_t reach = limit + 4;
  std::string text;
  for (std::size_t i = 0; i < packed.size() && text.size() < reach;) {
    if (packed[i] != '\0') {
      text += packed[i++];
      continue;
    }
    uint32_t count = 0;
    for (int k = 0; k < 4 && i + 1 + k < packed.size(); ++k) {
      count |= static_cast<uint32_t>(static_cast<uint8_t>(packed[i + 1 + k])) << (8 * k);
    }
    text.append(std::min<std::size_t>(count, reach - text.size()), ' ');
    i += 5;
  }
  if (text.size() > limit) {
    // Cut before a character whose bytes do not all fit.
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<uint8_t>(text[cut]) & 0xC0) == 0x80) --cut;
    text.resize(cut);
  }
  return text;
}

CellSourceResult OdsCellSource::start() { return CellSourceResult::ok; }

CellSourceResult OdsCellSource::openDocument(const std::string& path) {
  if (!zip_.open(path) || !zip_.has("content.xml")) return CellSourceResult::failed;
  return CellSourceResult::ok;
}

CellSourceResult OdsCellSource::selectSheet(const std::string& name) {
  TableResult result = readTable(name, false);
  if (result == TableResult::notFound && !name.empty()) result = readTable(name, true);
  switch (result) {
    case TableResult::found:
      return CellSourceResult::ok;
    case TableResult::notFound:
      return CellSourceResult::failed;
    case TableResult::damaged:
      break;
  }
  return CellSourceResult::documentUnreadable;
}

OdsCellSource::TableResult OdsCellSource::readTable(const std::string& name, bool ignoreCase) {
  grid_.clear();
  texts_.clear();
  ZipArchive::Stream stream;
  if (zip_.open("content.xml", stream) != ZipArchive::Status::ok) return TableResult::damaged;
  XmlPullReader reader([&stream](char* buffer, std::size_t size) { return stream.read(buffer, size); });
  const std::string wanted = ignoreCase ? toLowerAscii(name) : name;

  std::size_t depth = 0;
  std::size_t tableDepth = 0;      // depth of the selected table, 0 outside it
  std::size_t rowDepth = 0;        // depth of the current row, 0 outside a row
  std::size_t cellDepth = 0;       // depth of the current cell, 0 outside a cell
  std::size_t paragraphDepth = 0;  // depth of the current paragraph, 0 outside one
  std::size_t ignoredDepth = 0;    // depth of a note inside a paragraph, 0 outside one
  uint64_t nextRow = 0;
  uint64_t column = 0;
  uint64_t cellRepeat = 1;
  bool rowUsable = false;
  bool hasParagraph = false;
  bool found = false;
  std::string fallback;
  Cell cell;
  for (;;) {
    const XmlPullReader::Event event = reader.next();
    if (event == XmlPullReader::Event::error) return TableResult::damaged;
    if (event == XmlPullReader::Event::end) return found ? TableResult::found : TableResult::notFound;
    // After the table the rest is only checked to be well-formed.
    if (found) continue;
    const std::string_view element = reader.name();
    if (event == XmlPullReader::Event::text) {
      if (paragraphDepth != 0 && ignoredDepth == 0) texts_ += reader.text();
      continue;
    }
    if (event == XmlPullReader::Event::endElement) {
      if (depth == ignoredDepth) ignoredDepth = 0;
      if (depth == paragraphDepth) paragraphDepth = 0;
      if (depth == cellDepth) {
        cellDepth = 0;
        if (!hasParagraph) texts_ += fallback;
        cell.length = static_cast<uint32_t>(texts_.size() - cell.offset);
        if (cell.length == 0 || !rowUsable || !grid_.addCell(column, cellRepeat, cell)) texts_.resize(cell.offset);
        column += cellRepeat;
      }
      if (depth == rowDepth) rowDepth = 0;
      if (depth == tableDepth) found = true;
      --depth;
      continue;
    }

    ++depth;
    if (tableDepth == 0) {
      if (element != "table") continue;
      std::string tableName;
      reader.attribute("name", tableName);
      if (name.empty() || (ignoreCase ? toLowerAscii(tableName) : tableName) == wanted) tableDepth = depth;
    } else if (cellDepth == 0) {
      // Rows stand in the table or in row groups; a table inside a cell
      // has rows of its own, which are not read.
      if (element == "table-row" && rowDepth == 0) {
        rowDepth = depth;
        const uint64_t rows = std::min(repeatCount(reader, "number-rows-repeated"), kSheetRowLimit);
        rowUsable = grid_.beginRow(nextRow, rows);
        nextRow += rows;
        column = 0;
      } else if (rowDepth != 0 && depth == rowDepth + 1 &&
                 (element == "table-cell" || element == "covered-table-cell")) {
        cellDepth = depth;
        cellRepeat = std::min(repeatCount(reader, "number-columns-repeated"), kSheetColumnLimit);
        cell.offset = static_cast<uint32_t>(texts_.size());
        hasParagraph = false;
        fallback = valueText(reader);
      }
    } else if (paragraphDepth == 0) {
      if (depth == cellDepth + 1 && (element == "p" || element == "h")) {
        if (hasParagraph) texts_ += '\n';
        hasParagraph = true;
        paragraphDepth = depth;
      }
    } else if (ignoredDepth == 0) {
      if (element == "s") {
        appendPackedBlanks(texts_, repeatCount(reader, "c"));
      } else if (element == "tab") {
        texts_ += '\t';
      } else if (element == "line-break") {
        texts_ += '\n';
      } else if (element == "note" || element == "annotation") {
        ignoredDepth = depth;  // notes are not part of what the cell shows
      }
    }
  }
}

CellSourceResult OdsCellSource::cellText(const CellAddress& address, std::string& text) {
  const Cell* cell = grid_.find(static_cast<uint64_t>(address.row) - 1, static_cast<uint64_t>(address.column));
  text = cell != nullptr ? unpackCellText(std::string_view(texts_).substr(cell->offset, cell->length), kMaxCellText)
                         : std::string();
  return budget_.take(text.size()) ? CellSourceResult::ok : CellSourceResult::documentUnreadable;
}

CellSourceResult OdsCellSource::finish() {
  grid_.clear();
  texts_.clear();
  zip_.close();
  return CellSourceResult::ok;
}
