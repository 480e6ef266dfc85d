#include "nosl/ZCoOnEmergencyTester.h"

#include "framework/Markers.h"

namespace {

// Between the marker frame.
const char* const kCoOnEmergency[] = {
    "//",
    "// This is a callback function which is called if an",
    "// emergency message is received.",
    "//",
    "// nodeId:        Node identifier",
    "// errorCode:     Error code",
    "// errorRegister: Content of the error register",
    "//",
    "void coOnEmergency(DWORD nodeId,",
    "                   DWORD errorCode,",
    "                   DWORD errorRegister)",
    "{",
    "}",
};

}  // namespace

bool ZCoOnEmergencyTester::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, callbackMarker("coOnEmergency", "dword,dword,dword"));
  stream.lines(kCoOnEmergency);
  writeMarkerEnd(stream);
  return true;
}
