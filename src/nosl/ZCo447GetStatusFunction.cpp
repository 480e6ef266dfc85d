#include "nosl/ZCo447GetStatusFunction.h"

#include "framework/Markers.h"
#include "nosl/HandlerText.h"
#include "nosl/NoslValues.h"

namespace {

const char* const kVariables[] = {
    "{",
    "  // ------- variables --------",
    "  char buffer[255];            // buffer for the node name",
};

const char* const kReset[] = {
    "    } // if",
    "",
    "    // allow to get the status again",
    "    putValue(this,0);  ",
    "  } // if",
    "}",
};

}  // namespace

bool ZCo447GetStatusFunction::writeBody(TextStream& stream, ZGeneratorInterface&) {
  const std::string variable = "gs_" + record_.signalName;
  const std::string index = hexValue(record_.objectIndex);
  const std::string subIndex = hexValue(record_.objectSubIndex);

  writeMarkerBegin(stream, envVarMarker(variable));
  stream.line("on envVar " + variable);
  stream.lines(kVariables);
  writeSenderCheck(stream);
  stream.line("    // read the object where the signal is included");
  stream.line("    coUpload(getValue(ID_Dut)," + index + "," + subIndex + ",0,errCode);");
  stream.line("    if (errCode[0] != 0) {");
  stream.line(R"(      write("TESTER: Error performing SDO upload for signal \")" + variable + R"(\"");)");
  stream.lines(kReset);
  writeMarkerEnd(stream);
  return true;
}
