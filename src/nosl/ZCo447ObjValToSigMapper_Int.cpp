#include "nosl/ZCo447ObjValToSigMapper_Int.h"

#include <string>

namespace {

const char* const kVariables[] = {
    "  // ------- variables --------",
    "  DWORD value;                 // the value itself",
    "  // --------------------------",
    "",
    "  value = getValue(this);",
    "",
    "  // we got the object value within the enviroanment variable. We are now splitting the",
    "  // object value to its signal values.",
};

}  // namespace

ZCo447ObjValToSigMapper_Int::ZCo447ObjValToSigMapper_Int(const SignalTable& table, uint32_t objectIndex,
                                                         uint32_t objectSubIndex)
    : ZCo447ObjValToSigMapper(objectIndex, objectSubIndex),
      table_(table),
      index_(ObjectSignalIndex::shared(table)) {}

void ZCo447ObjValToSigMapper_Int::writeHandlerBody(TextStream& stream) {
  stream.lines(kVariables);
  for (std::size_t position : index_->positions(objectIndex(), objectSubIndex())) {
    const ZListEntry& signal = table_.at(position);
    stream.line("  putValue(stval_" + signal.signalName + ",coGen_CalculateSignalValue(value," +
                std::to_string(signal.signalSize) + "," + std::to_string(signal.signalOffset) + "));");
  }
}
