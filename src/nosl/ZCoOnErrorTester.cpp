#include "nosl/ZCoOnErrorTester.h"

#include "framework/Markers.h"

namespace {

// Between the marker frame.
const char* const kCoOnError[] = {
    "//",
    "// This is a callback function which is called, if an error occurred",
    "//",
    "// errorClass: Error classification",
    "// errorCode:  Error code",
    "// nodeId:     Node identifier",
    "// index:      Index",
    "// subIndex:   Subindex",
    "// param:      Additional parameter depends on error code",
    "//",
    "void coOnError(DWORD errorClass, ",
    "               DWORD errorCode, ",
    "               DWORD nodeId,",
    "               DWORD index,",
    "               DWORD subIndex,",
    "               DWORD param)",
    "{",
    "}",
};

}  // namespace

bool ZCoOnErrorTester::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, callbackMarker("coOnError", "dword,dword,dword,dword,dword,dword"));
  stream.lines(kCoOnError);
  writeMarkerEnd(stream);
  return true;
}
