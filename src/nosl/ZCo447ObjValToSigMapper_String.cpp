#include "nosl/ZCo447ObjValToSigMapper_String.h"

namespace {

const char* const kVariables[] = {
    "  // ------- variables --------",
    "  char valueBuffer[2048];     // value buffer for string variables",
    "  // --------------------------",
    "",
    "  getValue(this,valueBuffer);",
};

}  // namespace

void ZCo447ObjValToSigMapper_String::writeHandlerBody(TextStream& stream) {
  stream.lines(kVariables);
  stream.line("  putValue(stval_" + signalName_ + ",valueBuffer);");
}
