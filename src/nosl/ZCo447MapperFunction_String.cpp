#include "nosl/ZCo447MapperFunction_String.h"

#include "nosl/HandlerText.h"
#include "nosl/NoslValues.h"

void ZCo447MapperFunction_String::writeHandlerBody(TextStream& stream) {
  const ZListEntry& signal = record();
  const std::string commandValue = "coval_" + signal.signalName;

  stream.line("  // ------- variables --------");
  stream.line("  DWORD size;                 // the data size in byte to be written via SDO");
  stream.line("  char data[" + std::to_string(objectBytes(signal.objectSize) + 1) + "];               // the data itself");
  stream.line("  char buffer[255];            // buffer for the node name");
  writeSenderCheck(stream);
  stream.line("    // get the data");
  stream.line("    size = getValue(" + commandValue + ",data);");
  stream.line("");
  stream.line("    // now write the SDO");
  stream.line("    coDownload(getValue(ID_Dut)," + hexValue(signal.objectIndex) + "," +
              hexValue(signal.objectSubIndex) + ",data,size,0,errCode);");
  writeResultAndReset(stream);
}
