#include "nosl/ZCo447MapperFunction_Int.h"

#include "nosl/HandlerText.h"
#include "nosl/NoslValues.h"

void ZCo447MapperFunction_Int::writeHandlerBody(TextStream& stream) {
  const ZListEntry& signal = record();
  const std::string commandValue = "coval_" + signal.signalName;

  stream.line("  // ------- variables --------");
  stream.line("  DWORD sigSize      = " + std::to_string(signal.signalSize) + ";      // the signal size in bit");
  stream.line("  DWORD startPos     = " + std::to_string(signal.signalOffset) +
              ";      // the zero based start position of the signal");
  stream.line("  DWORD objSize      = " + std::to_string(signal.objectSize) +
              ";     // size of the object where the signal is mapped to");
  stream.line("  DWORD value;                 // the value written by the SDO");
  stream.line("  char buffer[255];            // buffer for the node name");
  writeSenderCheck(stream);
  stream.line("    // calculate the signal position");
  stream.line("    value = coGen_CalculateSignalPosition(sigSize,startPos,objSize,getValue(" + commandValue + "));");
  stream.line("");
  stream.line("    // now write the SDO");
  stream.line("    coDownloadExpedited(getValue(ID_Dut)," + hexValue(signal.objectIndex) + "," +
              hexValue(signal.objectSubIndex) + ",value," + std::to_string(objectBytes(signal.objectSize)) +
              ",0,errCode);");
  writeResultAndReset(stream);
}
