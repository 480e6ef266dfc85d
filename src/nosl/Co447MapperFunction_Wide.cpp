#include "nosl/Co447MapperFunction_Wide.h"

#include <algorithm>

#include "nosl/HandlerText.h"
#include "nosl/NoslValues.h"

namespace {

const char* const kWords[] = {
    "  DWORD valueLow;              // bits 0 to 31 of the command value",
    "  DWORD valueHigh;             // bits 32 to 63 of the command value",
    "  DWORD objLow;                // bits 0 to 31 of the object value",
    "  DWORD objHigh;               // bits 32 to 63 of the object value",
    "  DWORD i;                     // counter",
};

const char* const kPackAndSplitIntoBytes[] = {
    "",
    "    // calculate the signal position",
    "    objLow = coGen_CalculateWideSignalPosition(sigSize,startPos,objSize,valueLow,valueHigh,0);",
    "    objHigh = coGen_CalculateWideSignalPosition(sigSize,startPos,objSize,valueLow,valueHigh,1);",
    "",
    "    // the object value's bytes, least significant first",
    "    for(i = 0; i < 4; i++) {",
    "      data[i] = (objLow >> (8 * i)) & 0xff;",
    "      data[i + 4] = (objHigh >> (8 * i)) & 0xff;",
    "    } // for",
    "",
    "    // now write the SDO",
};

// A value of 2^bits or more sends every bit of the signal set, as the
// largest value of a floating variable (2^bits - 1 rounded up to 2^bits for
// more than 53 bits) has to; a value of 0 or less, or no number, sends 0.
void writeFloatingValue(TextStream& stream, const std::string& commandValue, int32_t bits) {
  stream.line("    number = getValue(" + commandValue + ");");
  stream.line("    valueLow = 0;");
  stream.line("    valueHigh = 0;");
  stream.line("    if(number >= " + powerOfTwoText(bits) + ") {");
  stream.line("      valueLow = 0xffffffff;");
  stream.line("      valueHigh = 0xffffffff;");
  stream.line("    } else if(number > 0) {");
  stream.line("      valueHigh = number / 4294967296.0;");
  stream.line("      valueLow = number - valueHigh * 4294967296.0;");
  stream.line("    } // if");
}

}  // namespace

void Co447MapperFunction_Wide::writeHandlerBody(TextStream& stream) {
  const ZListEntry& signal = record();
  const std::string commandValue = "coval_" + signal.signalName;
  const bool floating = hasFloatingValue(signal);

  stream.line("  // ------- variables --------");
  stream.line("  DWORD sigSize      = " + std::to_string(std::max(signal.signalSize, 0)) +
              ";      // the signal size in bit");
  stream.line("  DWORD startPos     = " + std::to_string(signal.signalOffset) +
              ";      // the zero based start position of the signal");
  stream.line("  DWORD objSize      = " + std::to_string(signal.objectSize) +
              ";     // size of the object where the signal is mapped to");
  stream.lines(kWords);
  if (floating) stream.line("  double number;               // the command value");
  stream.line("  char data[8];                // the object value's bytes");
  stream.line("  char buffer[255];            // buffer for the node name");
  writeSenderCheck(stream);
  stream.line("    // get the command value");
  if (floating) {
    writeFloatingValue(stream, commandValue, signal.signalSize);
  } else {
    stream.line("    valueLow = getValue(" + commandValue + ");");
    stream.line("    valueHigh = 0;");
  }
  stream.lines(kPackAndSplitIntoBytes);
  stream.line("    coDownload(getValue(ID_Dut)," + hexValue(signal.objectIndex) + "," +
              hexValue(signal.objectSubIndex) + ",data," + std::to_string(objectBytes(signal.objectSize)) +
              ",0,errCode);");
  writeResultAndReset(stream);
}
