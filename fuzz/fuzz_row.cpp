// The row conversion: the input is a column set byte ("1" or "2") and rows
// of cell texts (rows end with "\n", cells are separated by tabs). Every
// row goes through processRow as the row loop would pass it; the records
// then go through the derived values and the generated text of all three
// modes, in memory, so that odd sizes and offsets reach the arithmetic.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/RunSettings.h"
#include "framework/ZGenerator.h"
#include "input/ZIniMapExcelSheetReader.h"
#include "macros/ZCANopenDS447MacrosFactory.h"
#include "nosl/ZCANopenDS447InteractionLayerFactory.h"
#include "util/Identifier.h"
#include "util/StringFormat.h"

namespace {

// Rows per input: enough for objects with several signals.
constexpr std::size_t kMaxRows = 64;

class RowReader : public ZIniMapExcelSheetReader {
 public:
  using ZIniMapExcelSheetReader::processRow;
  using ZIniMapExcelSheetReader::reportBadRow;
  using ZIniMapExcelSheetReader::ZIniMapExcelSheetReader;
};

void configureSettings(int32_t mode) {
  RunSettings& settings = runSettings();
  settings.setGenerationMode(mode);
  settings.setDutNodeId(5);
  settings.setTesterNodeId(16);
  settings.setDutName("FuzzDevice");
  settings.setTesterName("Tester");
  settings.setWideValueFormat("ULL");
  settings.setOutputPath("fuzz.out");
  settings.clearOversizedSignalList();
}

void generate(ZCoNoslGen& generator, ZNoslFactoryInterface& factory) {
  generator.writeToMemory();
  if (!factory.initialize()) fuzzsupport::fail("a factory did not initialize");
  generator.createFunctions(&generator, &factory);
  generator.writeFunctions(&generator, &factory);
  if (generator.memoryOutput().empty()) fuzzsupport::fail("nothing was generated");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int columnSet = (data[0] & 1) != 0 ? 1 : 2;
  const std::size_t expectedCount = columnSet == 1 ? 9 : 15;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::vector<std::string> rows = fuzzsupport::split(text, "\n");
  if (rows.size() > kMaxRows) rows.resize(kMaxRows);

  RowReader reader(columnSet);
  unsigned rowNumber = 1;
  for (const std::string& row : rows) {
    const std::size_t before = reader.signalTable().count();
    const bool accepted = reader.processRow(fuzzsupport::split(row, "\t"), expectedCount);
    if (!accepted) reader.reportBadRow(rowNumber);
    if (!accepted && reader.signalTable().count() != before) fuzzsupport::fail("a rejected row was stored");
    ++rowNumber;
  }

  SignalTable& table = reader.signalTable();
  for (const ZListEntry& record : table) {
    if (record.signalName.empty()) fuzzsupport::fail("a record without a signal name was stored");
    objectKey(record);
    liesInOneByte(record);
    isWideObject(record);
    isHeaderSignal(record);
    listLine(record);
  }

  configureSettings(2);
  {
    ZCoMacro447InteractionLayer generator(table);
    ZCANopenDS447MacrosFactory factory;
    generate(generator, factory);
  }
  // The run renames every signal before the node scripts are made.
  for (std::size_t i = 0; i < table.count(); ++i) {
    table.at(i).signalName = sanitizeIdentifier(toLowerAscii(table.at(i).signalName), "");
  }
  configureSettings(1);
  {
    ZCoNosl447InteractionLayer generator(table);
    ZCANopenDS447InteractionLayerMode1Factory factory;
    generate(generator, factory);
  }
  configureSettings(3);
  {
    ZCoNosl447InteractionLayer generator(table);
    ZCANopenDS447InteractionLayerMode3Factory factory;
    generate(generator, factory);
  }
  return 0;
}
