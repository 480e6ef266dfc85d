#include "nosl/Co447CalcWideSignalPositionFunction.h"

#include "framework/Markers.h"

namespace {

// Between the marker frame. Bit by bit, so that no shift goes beyond 31.
const char* const kCalculateWideSignalPosition[] = {
    "//",
    "// This function calculates the object value of up to 64 bits which",
    "// is to be transmitted via an SDO transfer. All other signals of the",
    "// object are set to their maximum value. The function returns bits",
    "// 0 to 31 of the object value (part 0) or bits 32 to 63 (part 1)",
    "//",
    "// sigSize:      the signal size specified in bit",
    "// startPos:     zero based signal position specified in bit",
    "// objSize:      object value size specified in bit",
    "// valueLow:     bits 0 to 31 of the value to be transmitted",
    "// valueHigh:    bits 32 to 63 of the value to be transmitted",
    "// part:         0 or 1, the half of the object value to return",
    "//",
    "DWORD coGen_CalculateWideSignalPosition(DWORD sigSize, DWORD startPos, DWORD objSize, DWORD valueLow, "
    "DWORD valueHigh, DWORD part)",
    "{",
    "  // ------- variables --------",
    "  DWORD value;                 // the half of the object value",
    "  DWORD bit;                   // one bit of it",
    "  DWORD pos;                   // the position of that bit in the object value",
    "  DWORD sigPos;                // its position in the signal value",
    "  DWORD i;                     // counter",
    "  // --------------------------",
    "",
    "  value = 0;",
    "  for(i = 0; i < 32; i++) {",
    "    pos = 32 * part + i;",
    "    // ensure that all other signals are set to their maximum value",
    "    bit = 0x1;",
    "    if((pos >= startPos) && (pos - startPos < sigSize)) {",
    "      sigPos = pos - startPos;",
    "      if(sigPos < 32) {",
    "        bit = (valueLow >> sigPos) & 0x1;",
    "      } else {",
    "        bit = (valueHigh >> (sigPos - 32)) & 0x1;",
    "      } // if",
    "    } // if",
    "    // nothing above the object size is set",
    "    if(pos >= objSize) {",
    "      bit = 0;",
    "    } // if",
    "    value |= bit << i;",
    "  } // for",
    "",
    "  return value;",
    "}",
};

}  // namespace

bool Co447CalcWideSignalPositionFunction::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, functionMarker("coGen_CalculateWideSignalPosition",
                                          "dword,dword,dword,dword,dword,dword"));
  stream.lines(kCalculateWideSignalPosition);
  writeMarkerEnd(stream);
  return true;
}
