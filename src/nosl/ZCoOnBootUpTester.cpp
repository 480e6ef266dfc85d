#include "nosl/ZCoOnBootUpTester.h"

#include "framework/Markers.h"

namespace {

// Between the marker frame. The accent in "node\xB4s" is the single byte B4
// (acute accent of the Windows-1252 code page the scripts are read in).
const char* const kCoOnBootUp[] = {
    "//",
    "// This callback function is called after a node\xB4" "s boot-up",
    "// command was received",
    "//",
    "// nodeId:     Node identifier",
    "//",
    "void coOnBootUp(DWORD nodeId)",
    "{",
    "}",
};

}  // namespace

bool ZCoOnBootUpTester::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, callbackMarker("coOnBootUp", "dword"));
  stream.lines(kCoOnBootUp);
  writeMarkerEnd(stream);
  return true;
}
