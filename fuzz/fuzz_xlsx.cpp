// The .xlsx cell source: any bytes, or a document packed from parts, read
// as a signal sheet through the row loop and cell by cell. The first sheet
// must also read the same with the fast row scanner as without it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "input/CellSource.h"
#include "input/sources/XlsxCellSource.h"

namespace {

// The first sheet, read with or without the fast row scanner.
std::string firstSheet(const std::string& path, bool rowScanner) {
  setXlsxRowScannerEnabled(rowScanner);
  XlsxCellSource source;
  return fuzzsupport::firstSheetCells(source, path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = fuzzsupport::writeZipDocument("sheet.xlsx", bytes);
  fuzzsupport::readSheetBothWays(path, [](const std::string&) { return std::make_unique<XlsxCellSource>(); });
  const std::string general = firstSheet(path, false);
  const std::string scanned = firstSheet(path, true);
  if (general != scanned) fuzzsupport::fail("the row scanner read the sheet differently from the XML reader");
  return 0;
}
