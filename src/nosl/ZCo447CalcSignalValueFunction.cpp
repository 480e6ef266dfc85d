#include "nosl/ZCo447CalcSignalValueFunction.h"

#include "framework/Markers.h"

namespace {

// Between the marker frame.
const char* const kCalculateSignalValue[] = {
    "//",
    "// This function calculates the a signal value included in ",
    "// an object value. The function returns the signal value",
    "//",
    "// objValue:     the object value",
    "// sigSize:      signal size in bit",
    "// startPos:     zero based signal position spezified in bit",
    "//",
    "DWORD coGen_CalculateSignalValue(DWORD objValue, DWORD sigSize, DWORD startPos)",
    "{",
    "  // ------- variables --------",
    "  DWORD valueMask;             // the mask to calculate the signal length itself",
    "  DWORD value;                 // the value itself",
    "  DWORD i;                     // counter  ",
    "  // --------------------------",
    "",
    "  valueMask = 0;",
    "  value = objValue;",
    "",
    "  // use the signal size to set the value mask",
    "  for(i = 0; i < sigSize; i++) {",
    "    valueMask |= 0x1 << i;",
    "  } // for",
    "",
    "  // move the signal to the end position",
    "  value = value >> startPos;",
    "",
    "  // now use the mask to get the signal value itself",
    "  value = value & valueMask;",
    "",
    "  return value;",
    "}",
};

}  // namespace

bool ZCo447CalcSignalValueFunction::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, functionMarker("coGen_CalculateSignalValue", "dword,dword,dword"));
  stream.lines(kCalculateSignalValue);
  writeMarkerEnd(stream);
  return true;
}
