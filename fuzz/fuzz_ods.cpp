// The .ods cell source: any bytes, or a document packed from parts, read
// as a signal sheet through the row loop and cell by cell.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "input/sources/OdsCellSource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = fuzzsupport::writeZipDocument("sheet.ods", bytes);
  fuzzsupport::readSheetBothWays(path, [](const std::string&) { return std::make_unique<OdsCellSource>(); });
  return 0;
}
