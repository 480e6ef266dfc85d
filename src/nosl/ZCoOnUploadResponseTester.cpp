#include "nosl/ZCoOnUploadResponseTester.h"

#include <unordered_set>

#include "framework/Markers.h"
#include "nosl/NoslValues.h"
#include "nosl/ZObjectSignalIndex.h"

namespace {

// From the comment block to the test of the responding node.
const char* const kHead[] = {
    "//",
    "// This is a callback function which is called, if a SDO upload",
    "// response is received.",
    "//",
    "// nodeId:     Node identifier",
    "// index:      Index",
    "// subIndex:   Subindex",
    "// size:       Number of databytes",
    "//",
    "void coOnUploadResponse(DWORD nodeId,",
    "                        DWORD index,",
    "                        DWORD subIndex,",
    "                        DWORD size)",
    "{",
    "  // ------- variables --------",
    "  DWORD value;                 // value buffer for integer variables",
    "  char  valueBuffer[2048];     // value buffer for string variables",
    "  // --------------------------",
    "",
    "  // check if it is the upload response of the tested device. Afterwards we check which object",
    "  // was uploaded. Then we get the uploaded value itself. This value is assigned to the ",
    "  // respective environment variable.",
    "  if(nodeId == getValue(ID_Dut)) {",
};

// After the last branch.
const char* const kTail[] = {
    "  } // if",
    "",
    "  // maybe we had an error",
    "  if (errCode[0] != 0) {",
    "    coGetLastError(errBuffer, elCount(errBuffer));",
    R"~(    write("TESTER: error getting uploaded data: %s (error code = %i)",errBuffer,errCode[0]);)~",
    "  } // if",
    "}",
};

}  // namespace

bool ZCoOnUploadResponseTester::writeBody(ZTextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, callbackMarker("coOnUploadResponse", "dword,dword,dword,dword"));
  stream.lines(kHead);

  // The first status record of each object decides its branch. Reserved
  // records count too: their object can still be uploaded.
  std::unordered_set<uint64_t> objectsWithBranch;
  for (const ZListEntry& record : table_) {
    if (record.commandOrStatus != 0) continue;
    if (!objectsWithBranch.insert(ZObjectSignalIndex::key(record.objectIndex, record.objectSubIndex)).second) {
      continue;
    }
    writeBranch(stream, record, objectsWithBranch.size() == 1);
  }

  stream.lines(kTail);
  writeMarkerEnd(stream);
  return true;
}

void ZCoOnUploadResponseTester::writeBranch(ZTextStream& stream, const ZListEntry& record, bool first) {
  const std::string keyword = first ? "if" : "else if";
  const std::string index = hexValue(record.objectIndex);
  const std::string subIndex = hexValue(record.objectSubIndex);
  const std::string variable = "stval_" + index + "_" + subIndex;
  const bool wide = isWideObject(record);

  stream.line("    " + keyword + "((index == " + index + ") && (subIndex == " + subIndex + ")) {");
  stream.line(wide ? "      coThisGetData(valueBuffer,elCount(valueBuffer),errCode);"
                   : "      value = coThisGetUnsigned(errCode);");
  stream.line("      if (errCode[0] == 0) {");
  stream.line("        // set the environment variable with the readed value;");
  stream.line("        putValue(" + variable + (wide ? ",valueBuffer);" : ",value);"));
  stream.line("      } // if");
  stream.line("    } // " + keyword);
  stream.line("");
}
