#include "nosl/Co447CalcWideSignalValueFunction.h"

#include "framework/Markers.h"

namespace {

// Between the marker frame. Bit by bit, so that no shift goes beyond 31.
const char* const kCalculateWideSignalValue[] = {
    "//",
    "// This function calculates a signal value included in an object",
    "// value of up to 64 bits. The function returns bits 0 to 31 of the",
    "// signal value (part 0) or bits 32 to 63 (part 1)",
    "//",
    "// objLow:       bits 0 to 31 of the object value",
    "// objHigh:      bits 32 to 63 of the object value",
    "// sigSize:      signal size in bit",
    "// startPos:     zero based signal position specified in bit",
    "// part:         0 or 1, the half of the signal value to return",
    "//",
    "DWORD coGen_CalculateWideSignalValue(DWORD objLow, DWORD objHigh, DWORD sigSize, DWORD startPos, DWORD part)",
    "{",
    "  // ------- variables --------",
    "  DWORD value;                 // the half of the signal value",
    "  DWORD sigPos;                // position of a bit in the signal value",
    "  DWORD pos;                   // position of that bit in the object value",
    "  DWORD i;                     // counter",
    "  // --------------------------",
    "",
    "  value = 0;",
    "  for(i = 0; i < 32; i++) {",
    "    sigPos = 32 * part + i;",
    "    pos = startPos + sigPos;",
    "    // bits beyond the signal or beyond 64 bits stay 0",
    "    if(sigPos < sigSize) {",
    "      if(pos < 32) {",
    "        value |= ((objLow >> pos) & 0x1) << i;",
    "      } else if(pos < 64) {",
    "        value |= ((objHigh >> (pos - 32)) & 0x1) << i;",
    "      } // if",
    "    } // if",
    "  } // for",
    "",
    "  return value;",
    "}",
};

}  // namespace

bool Co447CalcWideSignalValueFunction::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream,
                   functionMarker("coGen_CalculateWideSignalValue", "dword,dword,dword,dword,dword"));
  stream.lines(kCalculateWideSignalValue);
  writeMarkerEnd(stream);
  return true;
}
