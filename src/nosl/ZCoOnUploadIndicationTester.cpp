#include "nosl/ZCoOnUploadIndicationTester.h"

#include "framework/Markers.h"

namespace {

// Between the marker frame.
const char* const kCoOnUploadIndication[] = {
    "//",
    "// This is a callback function which is called, if a remote SDO upload",
    "// from the local object dictionary was requested and the object was created",
    "// with access type kAppl.",
    "//",
    "// index:      Index",
    "// subIndex:   Subindex",
    "//",
    "void coOnUploadIndication (DWORD index, DWORD subIndex)",
    "{",
    "}",
};

}  // namespace

bool ZCoOnUploadIndicationTester::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, callbackMarker("coOnUploadIndication", "dword,dword"));
  stream.lines(kCoOnUploadIndication);
  writeMarkerEnd(stream);
  return true;
}
