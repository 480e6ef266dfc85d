#include "NoslRender.h"

#include <memory>

#include "TestSupport.h"
#include "framework/ZNoslFactory.h"
#include "nosl/ZCo447CalcSignalSizeFunction.h"
#include "nosl/ZCo447CalcSignalValueFunction.h"
#include "nosl/ZCo447GetStatusFunction.h"
#include "nosl/ZCo447MapperFunction_Int.h"
#include "nosl/ZCo447MapperFunction_String.h"
#include "nosl/ZCo447ObjValToSigMapper_Int.h"
#include "nosl/ZCo447ObjValToSigMapper_String.h"
#include "nosl/ZCoOnUploadResponseTester.h"

namespace nosltest {

using testsupport::Signal;

namespace {

class ListFactory : public ZNoslFactory {
 public:
  explicit ListFactory(const PieceMaker& makePieces) : makePieces_(makePieces) {}
  bool createFunctions(FunctionList& list, ZGeneratorInterface& generator) override {
    makePieces_(list, static_cast<ZCoNosl447InteractionLayer&>(generator).signalTable());
    return true;
  }

 private:
  const PieceMaker& makePieces_;
};

}  // namespace

std::string render(const SignalTable& table, const PieceMaker& makePieces) {
  ZCoNosl447InteractionLayer generator(table);
  generator.writeToMemory();
  ListFactory factory(makePieces);
  if (!generator.createFunctions(&generator, &factory)) return "<createFunctions failed>";
  if (!generator.writeFunctions(&generator, &factory)) return "<writeFunctions failed>";
  return generator.memoryOutput();
}

std::vector<std::string> crlfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  while (start < text.size()) {
    const std::string::size_type end = text.find("\r\n", start);
    const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (end == std::string::npos || line.find_first_of("\r\n") != std::string::npos) {
      lines.push_back("<bad line end>");
      break;
    }
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

SignalTable lampTable() {
  SignalTable table;
  table.add(Signal("lamp_state").object(0x6001, 1, 16).bits(0, 8));
  table.add(Signal("lamp_level").object(0x6001, 1, 16).bits(8, 8));
  table.add(Signal("lamp_set").object(0x6002, 1, 16).bits(0, 16).command());
  return table;
}

void lampPieces(FunctionList& list, const SignalTable& table) {
  list.push_back(std::make_unique<ZCoOnUploadResponseTester>(table));
  list.push_back(std::make_unique<ZCo447CalcSignalSizeFunction>());
  list.push_back(std::make_unique<ZCo447CalcSignalValueFunction>());
  list.push_back(std::make_unique<ZCo447GetStatusFunction>(table.at(0)));
  list.push_back(std::make_unique<ZCo447ObjValToSigMapper_Int>(table, 0x6001, 1));
  list.push_back(std::make_unique<ZCo447GetStatusFunction>(table.at(1)));
  list.push_back(std::make_unique<ZCo447MapperFunction_Int>(table.at(2)));
}

SignalTable mixedTable() {
  SignalTable table;
  table.add(Signal("door_state").object(0x6001, 1, 16).bits(0, 4));
  table.add(Signal("door_lock").object(0x6001, 1, 16).bits(8, 4));
  table.add(Signal("vin").object(0x6003, 2, 64).bits(0, 64));
  table.add(Signal("door_alarm").object(0x6001, 1, 16).bits(12, 4));
  table.add(Signal("display_text").object(0x6010, 1, 33).bits(0, 33).command());
  table.add(Signal("counter_limit").object(0x601A, 0x1A, 32).bits(0, 32).command());
  table.add(Signal("spare").object(0x6020, 0, 8).bits(0, 8).reserved());
  table.add(Signal("door_opener").object(0x6001, 1, 16).bits(4, 1).command());
  return table;
}

void mixedPieces(FunctionList& list, const SignalTable& table) {
  list.push_back(std::make_unique<ZCoOnUploadResponseTester>(table));
  list.push_back(std::make_unique<ZCo447CalcSignalSizeFunction>());
  list.push_back(std::make_unique<ZCo447CalcSignalValueFunction>());
  list.push_back(std::make_unique<ZCo447GetStatusFunction>(table.at(0)));
  list.push_back(std::make_unique<ZCo447ObjValToSigMapper_Int>(table, 0x6001, 1));
  list.push_back(std::make_unique<ZCo447GetStatusFunction>(table.at(1)));
  list.push_back(std::make_unique<ZCo447GetStatusFunction>(table.at(2)));
  list.push_back(std::make_unique<ZCo447ObjValToSigMapper_String>(table.at(2).signalName, 0x6003, 2));
  list.push_back(std::make_unique<ZCo447GetStatusFunction>(table.at(3)));
  list.push_back(std::make_unique<ZCo447MapperFunction_String>(table.at(4)));
  list.push_back(std::make_unique<ZCo447MapperFunction_Int>(table.at(5)));
  list.push_back(std::make_unique<ZCo447MapperFunction_Int>(table.at(7)));
}

std::string golden(const std::string& name) { return testsupport::readFile(testsupport::dataPath("nosl/" + name)); }

}  // namespace nosltest
