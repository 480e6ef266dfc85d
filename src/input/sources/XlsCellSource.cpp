#include "input/sources/XlsCellSource.h"

#include <fstream>

#include "input/sources/CompoundFile.h"
#include "input/sources/ZipArchive.h"
#include "util/FileRead.h"
#include "util/Paths.h"
#include "util/StringFormat.h"

namespace {

bool readWholeFile(const std::string& path, std::string& data) {
  std::ifstream in(fileSystemPath(path), std::ios::binary);
  if (!in) {
    throwIfOpenLackedMemory();
    return false;
  }
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > ZipArchive::kMaxEntryBytes) return false;
  in.seekg(0, std::ios::beg);
  data.assign(static_cast<std::size_t>(size), '\0');
  return size == 0 || static_cast<bool>(in.read(&data[0], size));
}

}  // namespace

CellSourceResult XlsCellSource::start() { return CellSourceResult::ok; }

CellSourceResult XlsCellSource::openDocument(const std::string& path) {
  cells_.clear();
  rowCount_ = 0;
  std::string data;
  if (!readWholeFile(path, data)) return CellSourceResult::failed;
  CompoundFile file;
  std::string stream;
  if (!file.load(std::move(data))) return CellSourceResult::failed;
  if (!file.readStream("Workbook", stream) && !file.readStream("Book", stream)) return CellSourceResult::failed;
  if (!workbook_.load(std::move(stream))) return CellSourceResult::failed;
  for (const BiffSheet& sheet : workbook_.sheets()) {
    if (sheet.rows > kMaxRows || sheet.columns > kMaxColumns) return CellSourceResult::failed;
  }
  return CellSourceResult::ok;
}

CellSourceResult XlsCellSource::selectSheet(const std::string& name) {
  const std::vector<BiffSheet>& sheets = workbook_.sheets();
  std::size_t selected = sheets.size();
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    if (name.empty() || sheets[i].name == name) {
      selected = i;
      break;
    }
    if (selected == sheets.size() && toLowerAscii(sheets[i].name) == toLowerAscii(name)) selected = i;
  }
  if (selected == sheets.size()) return CellSourceResult::failed;
  if (!workbook_.readCells(selected, cells_)) return CellSourceResult::documentUnreadable;
  rowCount_ = cells_.rowCount();
  return CellSourceResult::ok;
}

const BiffCell* XlsCellSource::find(const CellAddress& address) const {
  if (address.row < 1 || address.column < 0) return nullptr;
  return cells_.find(static_cast<uint32_t>(address.row - 1), static_cast<uint32_t>(address.column));
}

CellSourceResult XlsCellSource::cellText(const CellAddress& address, std::string& text) {
  const BiffCell* cell = find(address);
  text = cell != nullptr ? workbook_.displayText(*cell, cells_) : std::string();
  return budget_.take(text.size()) ? CellSourceResult::ok : CellSourceResult::documentUnreadable;
}

NumberFormat XlsCellSource::numberFormat(const CellAddress& address) const {
  const BiffCell* cell = find(address);
  return cell != nullptr ? workbook_.formatOfStyle(cell->style) : NumberFormat::general;
}

CellSourceResult XlsCellSource::finish() {
  cells_.clear();
  rowCount_ = 0;
  return CellSourceResult::ok;
}
