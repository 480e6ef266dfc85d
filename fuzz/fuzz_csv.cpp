// The .csv cell source: any bytes read as a signal sheet through the row
// loop and cell by cell.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "input/sources/CsvCellSource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = fuzzsupport::writeScratchFile("sheet.csv", bytes);
  fuzzsupport::readSheetBothWays(path, [](const std::string&) { return std::make_unique<CsvCellSource>(); });
  return 0;
}
