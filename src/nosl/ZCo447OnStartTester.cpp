#include "nosl/ZCo447OnStartTester.h"

#include "framework/Markers.h"

namespace {

const char* const kStartHandler[] = {
    "on start",
    "{",
    "  // Allow the tester to access the network via SDO",
    "  coGen_ODCreate447SDOChannel();",
    "",
    "  // Create some additional objects",
    "  coGen_ODCreateAdditionalObjects();",
    "",
    "  // check if we are allowed to start the measurement",
    "  if(!gStartNode) {",
    "    // something must be wrong, so stop the measurement",
    "    stop();",
    "  } // if",
    "",
    "  // start the tester",
    "  coStartUp(gNodeId, errCode);",
    "  if (errCode[0])",
    "  {",
    "    writeDbgLevel(kDbgError, \"<%s>: coStartUp failed\", \"TESTER\");",
    "  }",
    "  else",
    "  {",
    "    coSetOutputLevel(gOutputLevelNL, errCode);",
    "    writeDbgLevel(kDbgInfo, \"<%s>: Start up node with ID %d\", \"TESTER\", gNodeId);",
    "  }",
    "}",
};

}  // namespace

bool ZCo447OnStartTester::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, kStartMarker);
  stream.lines(kStartHandler);
  writeMarkerEnd(stream);
  return true;
}
