#include "input/sources/ZOdsCellSource.h"

#include <cstdlib>
#include <cstring>

#include "input/sources/ZDisplayText.h"
#include "input/sources/ZXmlPart.h"
#include "util/StringFormat.h"

namespace {

// Row groups may nest; deeper nesting than this is not read.
const int kMaxNesting = 32;
// The longest text a cell can hold; longer texts are cut.
const std::size_t kMaxCellText = 32767;

uint64_t repeatCount(const pugi::xml_node& node, const char* attribute) {
  const pugi::xml_attribute count = node.attribute(attribute);
  if (!count) return 1;
  const unsigned long long value = count.as_ullong(1);
  return value == 0 ? 1 : value;
}

// Appends the text of a paragraph or a span inside it: text, blanks
// (text:s), tabs and line breaks; other elements contribute their text.
void appendParagraphText(const pugi::xml_node& node, std::string& text, int depth) {
  if (depth > kMaxNesting) return;
  for (pugi::xml_node child = node.first_child(); child && text.size() < kMaxCellText;
       child = child.next_sibling()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
      text += child.value();
    } else if (hasLocalName(child, "s")) {
      const uint64_t blanks = repeatCount(child, "text:c");
      text.append(static_cast<std::size_t>(std::min<uint64_t>(blanks, kMaxCellText - text.size())), ' ');
    } else if (hasLocalName(child, "tab")) {
      text += '\t';
    } else if (hasLocalName(child, "line-break")) {
      text += '\n';
    } else if (hasLocalName(child, "note") || hasLocalName(child, "annotation")) {
      // notes are not part of what the cell shows
    } else if (child.type() == pugi::node_element) {
      appendParagraphText(child, text, depth + 1);
    }
  }
  if (text.size() > kMaxCellText) text.resize(kMaxCellText);
}

}  // namespace

std::string odsCellText(const pugi::xml_node& cell) {
  std::string text;
  bool hasParagraph = false;
  for (pugi::xml_node child = cell.first_child(); child; child = child.next_sibling()) {
    if (!hasLocalName(child, "p") && !hasLocalName(child, "h")) continue;
    if (hasParagraph) text += '\n';
    hasParagraph = true;
    appendParagraphText(child, text, 0);
  }
  if (hasParagraph) return text;

  // A cell written without paragraphs shows its value.
  const std::string type = cell.attribute("office:value-type").value();
  if (type == "float" || type == "percentage" || type == "currency") {
    const char* value = cell.attribute("office:value").value();
    char* end = nullptr;
    const double number = std::strtod(value, &end);
    return end != value && *end == '\0' ? displayNumber(number, ZNumberFormat::general) : std::string();
  }
  if (type == "boolean") {
    return displayBoolean(std::strcmp(cell.attribute("office:boolean-value").value(), "true") == 0);
  }
  if (type == "date") return cell.attribute("office:date-value").value();
  if (type == "time") return cell.attribute("office:time-value").value();
  if (type == "string") return cell.attribute("office:string-value").value();
  return std::string();
}

ZCellSourceResult ZOdsCellSource::start() { return ZCellSourceResult::ok; }

ZCellSourceResult ZOdsCellSource::openDocument(const std::string& path) {
  ZZipArchive zip;
  if (!zip.open(path)) return ZCellSourceResult::failed;
  if (zip.read("content.xml", contentBuffer_) != ZZipArchive::Status::ok) return ZCellSourceResult::failed;
  if (!parseXmlPart(contentBuffer_, content_)) return ZCellSourceResult::failed;
  return ZCellSourceResult::ok;
}

ZCellSourceResult ZOdsCellSource::selectSheet(const std::string& name) {
  const pugi::xml_node spreadsheet = childNamed(childNamed(content_.document_element(), "body"), "spreadsheet");
  pugi::xml_node selected;
  for (pugi::xml_node table : spreadsheet.children()) {
    if (!hasLocalName(table, "table")) continue;
    const std::string tableName = table.attribute("table:name").value();
    if (name.empty() || tableName == name) {
      selected = table;
      break;
    }
    if (!selected && toLowerAscii(tableName) == toLowerAscii(name)) selected = table;
  }
  if (!selected) return ZCellSourceResult::failed;
  grid_.clear();
  uint64_t nextRow = 0;
  indexRows(selected, nextRow, 0);
  return ZCellSourceResult::ok;
}

void ZOdsCellSource::indexRows(const pugi::xml_node& container, uint64_t& nextRow, int depth) {
  if (depth > kMaxNesting) return;
  for (pugi::xml_node node : container.children()) {
    if (nextRow >= kSheetRowLimit) return;
    if (hasLocalName(node, "table-row")) {
      const uint64_t rows = repeatCount(node, "table:number-rows-repeated");
      const uint64_t row = nextRow;
      nextRow = row + std::min(rows, kSheetRowLimit);
      if (!grid_.beginRow(row, rows)) continue;
      uint64_t column = 0;
      for (pugi::xml_node cell : node.children()) {
        if (column >= kSheetColumnLimit) break;
        if (!hasLocalName(cell, "table-cell") && !hasLocalName(cell, "covered-table-cell")) continue;
        const uint64_t columns = std::min(repeatCount(cell, "table:number-columns-repeated"), kSheetColumnLimit);
        if (cell.first_child() || cell.attribute("office:value-type")) grid_.addCell(column, columns, cell);
        column += columns;
      }
    } else if (hasLocalName(node, "table-header-rows") || hasLocalName(node, "table-row-group") ||
               hasLocalName(node, "table-rows")) {
      indexRows(node, nextRow, depth + 1);
    }
  }
}

ZCellSourceResult ZOdsCellSource::cellText(const ZCellAddress& address, std::string& text) {
  const pugi::xml_node* cell =
      grid_.find(static_cast<uint64_t>(address.row) - 1, static_cast<uint64_t>(address.column));
  text = cell != nullptr ? odsCellText(*cell) : std::string();
  return budget_.take(text.size()) ? ZCellSourceResult::ok : ZCellSourceResult::documentUnreadable;
}

ZCellSourceResult ZOdsCellSource::finish() {
  grid_.clear();
  content_.reset();
  contentBuffer_.clear();
  contentBuffer_.shrink_to_fit();
  return ZCellSourceResult::ok;
}
