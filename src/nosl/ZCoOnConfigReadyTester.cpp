#include "nosl/ZCoOnConfigReadyTester.h"

#include "framework/Markers.h"

namespace {

// Between the marker frame.
const char* const kCoOnConfigReady[] = {
    "//",
    "// This callback function is called if the configuration manager",
    "// states different events during the configuration process.",
    "//",
    "// event:      Occured event (possible values: 0,1,2,3,4)",
    "// nodeId:     Node identifier",
    "//",
    "void coOnConfigReady(DWORD event, DWORD nodeId)",
    "{",
    "}",
};

}  // namespace

bool ZCoOnConfigReadyTester::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, callbackMarker("coOnConfigReady", "dword,dword"));
  stream.lines(kCoOnConfigReady);
  writeMarkerEnd(stream);
  return true;
}
