#include "nosl/ZCoOnDownloadIndicationTester.h"

#include "framework/Markers.h"

namespace {

// Between the marker frame.
const char* const kCoOnDownloadIndication[] = {
    "//",
    "// This is a callback function which is called, if a remote SDO download",
    "// to the local object dictionary was requested and the object was created",
    "// with access type kAppl.",
    "//",
    "// index:      Index",
    "// subIndex:   Subindex",
    "// size:       Transfer size",
    "// dataValid:  Data available",
    "//",
    "void coOnDownloadIndication (DWORD index, DWORD subIndex, DWORD size, DWORD dataValid)",
    "{",
    "}",
};

}  // namespace

bool ZCoOnDownloadIndicationTester::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, callbackMarker("coOnDownloadIndication", "dword,dword,dword,dword"));
  stream.lines(kCoOnDownloadIndication);
  writeMarkerEnd(stream);
  return true;
}
