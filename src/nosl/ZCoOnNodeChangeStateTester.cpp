#include "nosl/ZCoOnNodeChangeStateTester.h"

#include "framework/Markers.h"

namespace {

// Between the marker frame.
const char* const kCoOnNodeChangedState[] = {
    "//",
    "// This is a callback function which is called, if the node changed",
    "// its state.",
    "//",
    "// newState   New state, Not active     = 0",
    "//                       Stopped        = 4",
    "//                       Operational    = 5",
    "//                       Rest Node      = 6",
    "//                       Reset Comm.    = 7",
    "//                       Preoperational = 127",
    "//",
    "void coOnNodeChangedState(DWORD newState)",
    "{",
    "}",
};

}  // namespace

bool ZCoOnNodeChangeStateTester::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, callbackMarker("coOnNodeChangedState", "dword"));
  stream.lines(kCoOnNodeChangedState);
  writeMarkerEnd(stream);
  return true;
}
