#include "nosl/ZCo447MapperFunction.h"

#include "framework/Markers.h"

namespace {

const char* const kResultAndReset[] = {
    "    if (errCode[0] != 0) {",
    R"(      write("TESTER: error writing SDO"); )",
    "    } // if",
    "",
    "    // allow to write the same command value again again",
    "    putValue(this,0);",
    "  } // if",
};

}  // namespace

void ZCo447MapperFunction::writeResultAndReset(TextStream& stream) { stream.lines(kResultAndReset); }

bool ZCo447MapperFunction::writeBody(TextStream& stream, ZGeneratorInterface&) {
  const std::string variable = "sc_" + record_.signalName;
  writeMarkerBegin(stream, envVarMarker(variable));
  stream.line("on envVar " + variable);
  stream.line("{");
  writeHandlerBody(stream);
  stream.line("}");
  writeMarkerEnd(stream);
  return true;
}
