#include "nosl/ZCoOnLSSEventTester.h"

#include "framework/Markers.h"

namespace {

// Between the marker frame.
const char* const kCoOnLssEvent[] = {
    "//",
    "// This callback function is called if a LSS event occures",
    "//",
    "// evType:     Occured event",
    "// param:      Additional parameter depends on error code",
    "// param2:     Additional parameter depends on error code",
    "//",
    "void coOnLssEvent(DWORD evType, DWORD param, DWORD param2)",
    "{",
    "}",
};

}  // namespace

bool ZCoOnLSSEventTester::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, callbackMarker("coOnLssEvent", "dword,dword,dword"));
  stream.lines(kCoOnLssEvent);
  writeMarkerEnd(stream);
  return true;
}
