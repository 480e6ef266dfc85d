#include "MacroTestSupport.h"

#include <gtest/gtest.h>

#include "framework/ZGenerator.h"
#include "macros/ZCANopenDS447MacrosFactory.h"

namespace macrotest {

testsupport::Signal headerSignal(const std::string& shortName) {
  return testsupport::Signal(shortName).shortName(shortName).usedStatus();
}

SignalTable goldenTable() {
  SignalTable table;
  table.add(headerSignal("Taxi State").objectName("Taximeter state").object(0x6000, 1, 32).bits(0, 8));
  table.add(headerSignal("Tariff").objectName("Tariff display").object(0x6010, 2, 16).bits(6, 4));
  table.add(headerSignal("Pause").name("Pause Flags").objectName("Taximeter state").object(0x6000, 1, 32).bits(12, 4));
  table.add(headerSignal("Lamp").object(0x6020, 0, 8).bits(0, 8));
  table.add(headerSignal("Spare").object(0x6060, 1, 8).bits(0, 8).reserved());
  table.add(headerSignal("Distance").objectName("Odometer").object(0x6030, 1, 64).bits(0, 40));
  table.add(headerSignal("Flags").objectName("Odometer").object(0x6030, 2, 64).bits(3, 4));
  table.add(headerSignal("Nibble").objectName("Odd size").object(0x6040, 1, 12).bits(8, 4));
  table.add(headerSignal("Bits").objectName("Narrow").object(0x6050, 1, 4).bits(0, 2));
  table.add(headerSignal("Unused").object(0x6070, 1, 8).bits(0, 8).usedStatus(0));
  table.add(headerSignal("Huge").object(0x6080, 1, 72).bits(0, 8));
  table.add(headerSignal("Crossing").objectName("Taximeter state").object(0x6000, 1, 32).bits(4, 8));
  table.add(headerSignal("door").name("Door */ open").objectName("Doors */").object(0x6090, 1, 8).bits(0, 8));
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
