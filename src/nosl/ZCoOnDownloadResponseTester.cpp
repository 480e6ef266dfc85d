#include "nosl/ZCoOnDownloadResponseTester.h"

#include "framework/Markers.h"

namespace {

// Between the marker frame.
const char* const kCoOnDownloadResponse[] = {
    "//",
    "// This is a callback function which is called, if a SDO download",
    "// response is received.",
    "//",
    "// nodeId:     Node identifier",
    "// index:      Index",
    "// subIndex:   Subindex",
    "//",
    "void coOnDownloadResponse(DWORD  nodeId,",
    "                          DWORD  index,",
    "                          DWORD  subIndex)",
    "{",
    "}",
};

}  // namespace

bool ZCoOnDownloadResponseTester::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, callbackMarker("coOnDownloadResponse", "dword,dword,dword"));
  stream.lines(kCoOnDownloadResponse);
  writeMarkerEnd(stream);
  return true;
}
