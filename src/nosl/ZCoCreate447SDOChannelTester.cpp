#include "nosl/ZCoCreate447SDOChannelTester.h"

#include "framework/Markers.h"

namespace {

// Describes the function; it stands between the opening marker and the
// generated block.
const char* const kDescription[] = {
    "//",
    "// This function creates the SDO server objects and the",
    "// SDO client objects for a DS-447 device. This function",
    "// is only generated if no SDO server objects and no SDO client",
    "// objects are specified in the DCF file. If at least one SDO server",
    "// object or SDO client object is specified in the DCF all",
    "// necessary servers and clients have to be specified, too.",
    "//",
};

const char* const kFunction[] = {
    "void coGen_ODCreate447SDOChannel()",
    "{",
    "  BYTE  i;",
    "  DWORD cobId;",
    "",
    "  // create SDO server objects",
    "  for (i = 0; i < 16; i++)",
    "  {",
    "    coODCreateUnsigned(0x1200 + i, 0, kTypeUInt8, kRO, 2, errCode);",
    "    if (errCode[0] != 0)",
    "    {",
    "      coGetLastError(errBuffer, elCount(errBuffer));",
    "      writeDbgLevel(kDbgError, \"<%s>: Error while creating SDO server object: %s (Error-Code = %i)\", gNodeLabel, errBuffer, errCode[0]);",
    "      gStartNode = 0;",
    "    } // if",
    "",
    "    // calculate the ID for this object",
    "    cobId = ((i + 1) == gNodeId) ? (0x80000240 + ((i & 0xC) << 6) + ((i & 0x3) << 4) + (gNodeId - 1))",
    "                                 : (0x240      + ((i & 0xC) << 6) + ((i & 0x3) << 4) + (gNodeId - 1));",
    "    coODCreateUnsigned(0x1200 + i, 1, kTypeUInt32, kRO, cobId, errCode);",
    "    if (errCode[0] != 0)",
    "    {",
    "      coGetLastError(errBuffer, elCount(errBuffer));",
    "      writeDbgLevel(kDbgError, \"<%s>: Error while creating SDO server Tx COB-ID object: %s (Error-Code = %i)\", gNodeLabel, errBuffer, errCode[0]);",
    "      gStartNode = 0;",
    "    } // if",
    "",
    "    // calculate the ID for this object",
    "    cobId = ((i + 1) == gNodeId) ? (0x800001C0 + ((i & 0xC) << 6) + ((i & 0x3) << 4) + (gNodeId - 1))",
    "                                 : (0x1C0      + ((i & 0xC) << 6) + ((i & 0x3) << 4) + (gNodeId - 1));",
    "    coODCreateUnsigned(0x1200 + i, 2, kTypeUInt32, kRO, cobId, errCode);",
    "    if (errCode[0] != 0)",
    "    {",
    "      coGetLastError(errBuffer, elCount(errBuffer));",
    "      writeDbgLevel(kDbgError, \"<%s>: Error while creating SDO server Rx COB-ID object: %s (Error-Code = %i)\", gNodeLabel, errBuffer, errCode[0]);",
    "      gStartNode = 0;",
    "    } // if",
    "  } // for",
    "",
    "  // create SDO client objects",
    "  for (i = 0; i < 16; i++)",
    "  {",
    "    coODCreateUnsigned(0x1280 + i, 0, kTypeUInt8, kRO, 3, errCode);",
    "    if (errCode[0] != 0)",
    "    {",
    "      coGetLastError(errBuffer, elCount(errBuffer));",
    "      writeDbgLevel(kDbgError, \"<%s>: Error while creating SDO client object: %s (Error-Code = %i)\", gNodeLabel, errBuffer, errCode[0]);",
    "      gStartNode = 0;",
    "    } // if",
    "",
    "    // calculate the ID for this object",
    "    cobId = ((i + 1) == gNodeId) ? (0x80000240 + (((gNodeId - 1) & 0xC) << 6) + (((gNodeId - 1) & 0x3) << 4) + i)",
    "                                 : (0x240      + (((gNodeId - 1) & 0xC) << 6) + (((gNodeId - 1) & 0x3) << 4) + i);",
    "    coODCreateUnsigned(0x1280 + i, 1, kTypeUInt32, kRO, cobId, errCode);",
    "    if (errCode[0] != 0)",
    "    {",
    "      coGetLastError(errBuffer, elCount(errBuffer));",
    "      writeDbgLevel(kDbgError, \"<%s>: Error while creating SDO client Tx COB-ID object: %s (Error-Code = %i)\", gNodeLabel, errBuffer, errCode[0]);",
    "      gStartNode = 0;",
    "    } // if",
    "",
    "    // calculate the ID for this object",
    "    cobId = ((i + 1) == gNodeId) ? (0x800001C0 + (((gNodeId - 1) & 0xC) << 6) + (((gNodeId - 1) & 0x3) << 4) + i)",
    "                                 : (0x1C0      + (((gNodeId - 1) & 0xC) << 6) + (((gNodeId - 1) & 0x3) << 4) + i);",
    "    coODCreateUnsigned(0x1280 + i, 2, kTypeUInt32, kRO, cobId, errCode);",
    "    if (errCode[0] != 0)",
    "    {",
    "      coGetLastError(errBuffer, elCount(errBuffer));",
    "      writeDbgLevel(kDbgError, \"<%s>: Error while creating SDO client Rx COB-ID object: %s (Error-Code = %i)\", gNodeLabel, errBuffer, errCode[0]);",
    "      gStartNode = 0;",
    "    } // if",
    "",
    "    coODCreateUnsigned(0x1280 + i, 3, kTypeUInt8, kRO, i + 1, errCode);",
    "    if (errCode[0] != 0)",
    "    {",
    "      coGetLastError(errBuffer, elCount(errBuffer));",
    "      writeDbgLevel(kDbgError, \"<%s>: Error while creating SDO client Node-Id object: %s (Error-Code = %i)\", gNodeLabel, errBuffer, errCode[0]);",
    "      gStartNode = 0;",
    "    } // if",
    "  } // for",
    "}",
};

}  // namespace

bool ZCoCreate447SDOChannelTester::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeOpeningMarker(stream, functionMarker("coGen_ODCreate447SDOChannel", ""));
  stream.lines(kDescription);
  writeGeneratedBegin(stream);
  stream.lines(kFunction);
  writeMarkerEnd(stream);
  return true;
}
