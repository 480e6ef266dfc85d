#include "nosl/ZCo447CalcSignalSizeFunction.h"

#include "framework/Markers.h"

namespace {

// Between the marker frame.
const char* const kCalculateSignalPosition[] = {
    "//",
    "// This function calculates the signal position in the",
    "// object value. The function returns the value which is",
    "// to be transmitted via an SDO transfer",
    "//",
    "// sigSize:      the signal size spezified in bit",
    "// startPos:     zero based signal position spezified in bit",
    "// objSize:      object value size spezified in bit",
    "// envVarValue:  value to be transmitted",
    "//",
    "DWORD coGen_CalculateSignalPosition(DWORD sigSize, DWORD startPos, DWORD objSize, DWORD envVarValue)",
    "{",
    "  // ------- variables --------",
    "  DWORD value;                 // the value written by the SDO",
    "  DWORD mask;                  // mask to calculate the total signal length",
    "  DWORD envVarMask;            // mask to guarantee that the signal size is correct",
    "  DWORD i;                     // counter",
    "  // --------------------------",
    "",
    "  // initialize the not static variables  ",
    "  mask = 0;",
    "  envVarMask = 0;",
    "  value = 0;",
    "",
    "  // use object size to set the mask",
    "  for(i = 0; i < objSize; i++) {",
    "    mask |= 0x1 << i;",
    "  } // for",
    "",
    "  // guarantee that the environment variable value has the correct size",
    "  for(i = 0; i < sigSize; i++) {",
    "    envVarMask |= 0x1 << i;",
    "  } // for",
    "  envVarValue &= envVarMask;",
    "",
    "  // ensure that all other signals are set to their maximum value",
    "  value = ~(envVarMask << startPos);",
    "",
    "  // now move the value to the right position",
    "  value |= envVarValue << startPos;",
    "  value &= mask;",
    "  return value;",
    "}",
};

}  // namespace

bool ZCo447CalcSignalSizeFunction::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, functionMarker("coGen_CalculateSignalPosition", "dword,dword,dword,dword"));
  stream.lines(kCalculateSignalPosition);
  writeMarkerEnd(stream);
  return true;
}
