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
    return end != value.c_str() && *end == '\0' ? displayNumber(number, NumberFormat::general) : std::string();
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

// One pass over content.xml: finds the table and reads its rows and cells
// into the grid and their texts into texts_, element by element.
class OdsCellSource::TableWalk {
 public:
  TableWalk(OdsCellSource& source, const std::string& name, bool ignoreCase)
      : source_(source), name_(name), ignoreCase_(ignoreCase), wanted_(ignoreCase ? toLowerAscii(name) : name) {}

  // The whole table is read.
  bool found() const { return found_; }

  void text(const XmlPullReader& reader) {
    if (paragraphDepth_ != 0 && ignoredDepth_ == 0) source_.texts_ += reader.text();
  }

  void endElement() {
    if (depth_ == ignoredDepth_) ignoredDepth_ = 0;
    if (depth_ == paragraphDepth_) paragraphDepth_ = 0;
    if (depth_ == cellDepth_) endCell();
    if (depth_ == rowDepth_) rowDepth_ = 0;
    if (depth_ == tableDepth_) found_ = true;
    --depth_;
  }

  void startElement(const XmlPullReader& reader) {
    ++depth_;
    const std::string_view element = reader.name();
    if (tableDepth_ == 0) {
      if (element == "table") startTable(reader);
    } else if (cellDepth_ == 0) {
      // Rows stand in the table or in row groups; a table inside a cell
      // has rows of its own, which are not read.
      if (element == "table-row" && rowDepth_ == 0) {
        startRow(reader);
      } else if (rowDepth_ != 0 && depth_ == rowDepth_ + 1 &&
                 (element == "table-cell" || element == "covered-table-cell")) {
        startCell(reader);
      }
    } else if (paragraphDepth_ == 0) {
      if (depth_ == cellDepth_ + 1 && (element == "p" || element == "h")) {
        if (hasParagraph_) source_.texts_ += '\n';
        hasParagraph_ = true;
        paragraphDepth_ = depth_;
      }
    } else if (ignoredDepth_ == 0) {
      startInParagraph(reader, element);
    }
  }

 private:
  void startTable(const XmlPullReader& reader) {
    std::string tableName;
    reader.attribute("name", tableName);
    if (name_.empty() || (ignoreCase_ ? toLowerAscii(tableName) : tableName) == wanted_) tableDepth_ = depth_;
  }

  void startRow(const XmlPullReader& reader) {
    rowDepth_ = depth_;
    const uint64_t rows = std::min(repeatCount(reader, "number-rows-repeated"), kSheetRowLimit);
    rowUsable_ = source_.grid_.beginRow(nextRow_, rows);
    nextRow_ += rows;
    column_ = 0;
  }

  void startCell(const XmlPullReader& reader) {
    cellDepth_ = depth_;
    cellRepeat_ = std::min(repeatCount(reader, "number-columns-repeated"), kSheetColumnLimit);
    cell_.offset = static_cast<uint32_t>(source_.texts_.size());
    hasParagraph_ = false;
    fallback_ = valueText(reader);
  }

  void endCell() {
    std::string& texts = source_.texts_;
    cellDepth_ = 0;
    if (!hasParagraph_) texts += fallback_;
    cell_.length = static_cast<uint32_t>(texts.size() - cell_.offset);
    if (cell_.length == 0 || !rowUsable_ || !source_.grid_.addCell(column_, cellRepeat_, cell_)) {
      texts.resize(cell_.offset);
    }
    column_ += cellRepeat_;
  }

  void startInParagraph(const XmlPullReader& reader, std::string_view element) {
    if (element == "s") {
      appendPackedBlanks(source_.texts_, repeatCount(reader, "c"));
    } else if (element == "tab") {
      source_.texts_ += '\t';
    } else if (element == "line-break") {
      source_.texts_ += '\n';
    } else if (element == "note" || element == "annotation") {
      ignoredDepth_ = depth_;  // notes are not part of what the cell shows
    }
  }

  OdsCellSource& source_;
  const std::string& name_;
  const bool ignoreCase_;
  const std::string wanted_;
  std::size_t depth_ = 0;
  std::size_t tableDepth_ = 0;      // depth of the selected table, 0 outside it
  std::size_t rowDepth_ = 0;        // depth of the current row, 0 outside a row
  std::size_t cellDepth_ = 0;       // depth of the current cell, 0 outside a cell
  std::size_t paragraphDepth_ = 0;  // depth of the current paragraph, 0 outside one
  std::size_t ignoredDepth_ = 0;    // depth of a note inside a paragraph, 0 outside one
  uint64_t nextRow_ = 0;
  uint64_t column_ = 0;
  uint64_t cellRepeat_ = 1;
  bool rowUsable_ = false;
  bool hasParagraph_ = false;
  bool found_ = false;
  std::string fallback_;
  Cell cell_;
};

OdsCellSource::TableResult OdsCellSource::readTable(const std::string& name, bool ignoreCase) {
  grid_.clear();
  texts_.clear();
  ZipArchive::Stream stream;
  if (zip_.open("content.xml", stream) != ZipArchive::Status::ok) return TableResult::damaged;
  XmlPullReader reader([&stream](char* buffer, std::size_t size) { return stream.read(buffer, size); });
  TableWalk walk(*this, name, ignoreCase);
  for (;;) {
    const XmlPullReader::Event event = reader.next();
    if (event == XmlPullReader::Event::error) return TableResult::damaged;
    if (event == XmlPullReader::Event::end) return walk.found() ? TableResult::found : TableResult::notFound;
    // After the table the rest is only checked to be well-formed.
    if (walk.found()) continue;
    if (event == XmlPullReader::Event::text) {
      walk.text(reader);
    } else if (event == XmlPullReader::Event::endElement) {
      walk.endElement();
    } else {
      walk.startElement(reader);
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
