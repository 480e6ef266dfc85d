#include "input/sources/ZCsvCellSource.h"

#include <fstream>

#include "input/sources/ZZipArchive.h"
#include "util/Paths.h"

char detectCsvDelimiter(const std::string& text) {
  std::size_t commas = 0;
  std::size_t semicolons = 0;
  std::size_t tabs = 0;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && (c == '\n' || c == '\r')) {
      break;
    } else if (!quoted && c == ',') {
      ++commas;
    } else if (!quoted && c == ';') {
      ++semicolons;
    } else if (!quoted && c == '\t') {
      ++tabs;
    }
  }
  if (tabs > commas && tabs > semicolons) return '\t';
  return semicolons > commas ? ';' : ',';
}

ZCellSourceResult ZCsvCellSource::start() { return ZCellSourceResult::ok; }

ZCellSourceResult ZCsvCellSource::openDocument(const std::string& path) {
  std::ifstream in(fileSystemPath(path), std::ios::binary);
  if (!in) return ZCellSourceResult::failed;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > ZZipArchive::kMaxEntryBytes) return ZCellSourceResult::failed;
  in.seekg(0, std::ios::beg);
  std::string text(static_cast<std::size_t>(size), '\0');
  if (size > 0 && !in.read(&text[0], size)) return ZCellSourceResult::failed;
  return parse(text) ? ZCellSourceResult::ok : ZCellSourceResult::failed;
}

bool ZCsvCellSource::parse(const std::string& input) {
  grid_.clear();
  if (input.find('\0') != std::string::npos) return false;
  std::size_t i = input.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  const char delimiter = detectCsvDelimiter(input.substr(i, input.find_first_of("\r\n", i) - i));
  const std::size_t n = input.size();

  uint64_t row = 0;
  uint64_t column = 0;
  bool rowStarted = false;
  std::string field;
  // Ends the field; empty fields take no room in the grid.
  auto endField = [&]() {
    if (!field.empty()) {
      if (!rowStarted) rowStarted = grid_.beginRow(row);
      if (rowStarted) grid_.addCell(column, 1, std::move(field));
    }
    field.clear();
    ++column;
  };
  auto endRow = [&]() {
    endField();
    ++row;
    column = 0;
    rowStarted = false;
  };

  while (i < n) {
    if (input[i] == '"' && field.empty()) {
      // A quoted field: "" is one quote; line breaks belong to the field
      // (CR LF kept as LF). Text after the closing quote is taken as it is.
      ++i;
      while (i < n) {
        if (input[i] == '"') {
          if (i + 1 < n && input[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        if (input[i] == '\r' && i + 1 < n && input[i + 1] == '\n') ++i;
        field += input[i++];
      }
      continue;
    }
    const char c = input[i++];
    if (c == delimiter) {
      endField();
    } else if (c == '\n' || c == '\r') {
      if (c == '\r' && i < n && input[i] == '\n') ++i;
      endRow();
    } else {
      field += c;
    }
  }
  if (!field.empty() || column > 0) endRow();
  return true;
}

ZCellSourceResult ZCsvCellSource::selectSheet(const std::string&) { return ZCellSourceResult::ok; }

ZCellSourceResult ZCsvCellSource::cellText(const ZCellAddress& address, std::string& text) {
  const std::string* cell =
      grid_.find(static_cast<uint64_t>(address.row) - 1, static_cast<uint64_t>(address.column));
  text = cell != nullptr ? *cell : std::string();
  return budget_.take(text.size()) ? ZCellSourceResult::ok : ZCellSourceResult::documentUnreadable;
}

ZCellSourceResult ZCsvCellSource::finish() {
  grid_.clear();
  return ZCellSourceResult::ok;
}
