#include "MacroTestSupport.h"

#include <gtest/gtest.h>

#include "framework/ZGenerator.h"
#include "macros/ZCANopenDS447MacrosFactory.h"

namespace macrotest {

ZListEntry signal(uint32_t objectIndex, uint32_t objectSubIndex, int32_t objectSize, int32_t offset,
                  int32_t size, const std::string& shortName, const std::string& signalName,
                  const std::string& objectName) {
  ZListEntry record;
  record.objectIndex = objectIndex;
  record.objectSubIndex = objectSubIndex;
  record.objectSize = objectSize;
  record.signalOffset = offset;
  record.signalSize = size;
  record.signalNameShort = shortName;
  record.signalName = signalName.empty() ? shortName : signalName;
  record.objectName = objectName;
  record.isUsedStatus = 1;
  return record;
}

SignalTable goldenTable() {
  SignalTable table;
  table.add(signal(0x6000, 1, 32, 0, 8, "Taxi State", "Taxi State", "Taximeter state"));
  table.add(signal(0x6010, 2, 16, 6, 4, "Tariff", "Tariff", "Tariff display"));
  table.add(signal(0x6000, 1, 32, 12, 4, "Pause", "Pause Flags", "Taximeter state"));
  table.add(signal(0x6020, 0, 8, 0, 8, "Lamp"));
  ZListEntry reserved = signal(0x6060, 1, 8, 0, 8, "Spare");
  reserved.signalReserved = 1;
  table.add(reserved);
  table.add(signal(0x6030, 1, 64, 0, 40, "Distance", "Distance", "Odometer"));
  table.add(signal(0x6030, 2, 64, 3, 4, "Flags", "Flags", "Odometer"));
  table.add(signal(0x6040, 1, 12, 8, 4, "Nibble", "Nibble", "Odd size"));
  table.add(signal(0x6050, 1, 4, 0, 2, "Bits", "Bits", "Narrow"));
  ZListEntry unused = signal(0x6070, 1, 8, 0, 8, "Unused");
  unused.isUsedStatus = 0;
  table.add(unused);
  table.add(signal(0x6080, 1, 72, 0, 8, "Huge"));
  table.add(signal(0x6000, 1, 32, 4, 8, "Crossing", "Crossing", "Taximeter state"));
  table.add(signal(0x6090, 1, 8, 0, 8, "door", "Door */ open", "Doors */"));
  return table;
}

LocalClock fixedClock() {
  return [] {
    LocalTime moment;
    moment.year = 2026;
    moment.month = 12;
    moment.day = 7;
    moment.hour = 9;
    moment.minute = 5;
    return moment;
  };
}

std::string generateHeader(const SignalTable& table, const LocalClock& clock) {
  ZCANopenDS447MacrosFactory factory;
  factory.setClock(clock);
  ZCoMacro447InteractionLayer generator(table);
  generator.writeToMemory();
  generator.createFunctions(&generator, &factory);
  generator.writeFunctions(&generator, &factory);
  return generator.memoryOutput();
}

std::string pieceText(ZNoslFunction& piece) {
  SignalTable table;
  ZCoMacro447InteractionLayer generator(table);
  TextStream stream;
  piece.writeBody(stream, generator);
  return stream.contents();
}

std::vector<std::string> linesOf(const std::string& crlfText) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  for (auto end = crlfText.find("\r\n"); end != std::string::npos; end = crlfText.find("\r\n", start)) {
    lines.push_back(crlfText.substr(start, end - start));
    start = end + 2;
  }
  EXPECT_EQ(start, crlfText.size()) << "text does not end in CR LF";
  return lines;
}

}  // namespace macrotest
