// The column map reader: the input is an ini file, a "\n@@\n" line and a
// comma-separated sheet; the sheet is read through that map with both
// column sets.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "input/ZIniMapExcelSheetReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t separator = bytes.find("\n@@\n");
  const std::string ini = bytes.substr(0, separator);
  const std::string sheet = separator == std::string::npos ? std::string() : bytes.substr(separator + 4);
  const std::string iniPath = fuzzsupport::writeScratchFile("map.ini", ini);
  const std::string sheetPath = fuzzsupport::writeScratchFile("map.csv", sheet);
  for (int columnSet = 1; columnSet <= 2; ++columnSet) {
    ZIniMapExcelSheetReader reader(columnSet);
    reader.read(sheetPath, iniPath, "Signals");
    for (const ZListEntry& record : reader.signalTable()) {
      if (record.signalName.empty()) fuzzsupport::fail("a record without a signal name was stored");
    }
  }
  return 0;
}
