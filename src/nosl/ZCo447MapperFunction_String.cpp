#include "nosl/ZCo447MapperFunction_String.h"

#include "nosl/NoslValues.h"

namespace {

const char* const kGuard[] = {
    "  char buffer[255];            // buffer for the node name",
    "  // --------------------------",
    "",
    "  // check if this node is the actual sender",
    "  if(getValue(ID_ActualClient) != gNodeId) {",
    "    return;",
    "  } // if",
    "",
    "  if(getValue(this) > 0) {",
    "    // get the data",
};

const char* const kReset[] = {
    "    if (errCode[0] != 0) {",
    R"(      write("TESTER: error writing SDO"); )",
    "    } // if",
    "",
    "    // allow to write the same command value again again",
    "    putValue(this,0);",
    "  } // if",
};

}  // namespace

void ZCo447MapperFunction_String::writeHandlerBody(ZTextStream& stream) {
  const ZListEntry& signal = record();
  const std::string commandValue = "coval_" + signal.signalName;

  stream.line("  // ------- variables --------");
  stream.line("  DWORD size;                 // the data size in byte to be written via SDO");
  stream.line("  char data[" + std::to_string(objectBytes(signal.objectSize) + 1) + "];               // the data itself");
  stream.lines(kGuard);
  stream.line("    size = getValue(" + commandValue + ",data);");
  stream.line("");
  stream.line("    // now write the SDO");
  stream.line("    coDownload(getValue(ID_Dut)," + hexValue(signal.objectIndex) + "," +
              hexValue(signal.objectSubIndex) + ",data,size,0,errCode);");
  stream.lines(kReset);
}
