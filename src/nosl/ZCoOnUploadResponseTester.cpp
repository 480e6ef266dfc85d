#include "nosl/ZCoOnUploadResponseTester.h"

#include <algorithm>
#include <unordered_set>

#include "framework/Markers.h"
#include "nosl/NoslValues.h"
#include "nosl/ObjectSignalIndex.h"

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
};

// From the end of the variables on.
const char* const kBeforeBranches[] = {
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

const char* const kSplitVariables[] = {
    "  DWORD objLow;                // bits 0 to 31 of an object value of more than 32 bits",
    "  DWORD objHigh;               // bits 32 to 63 of that object value",
    "  DWORD i;                     // counter",
};

// The object value from the uploaded bytes, least significant first; the
// callback's "size" is the number of bytes the device sent.
const char* const kObjectFromBytes[] = {
    "      if (errCode[0] == 0) {",
    "        // the object value from its bytes, least significant first; bytes not sent count as 0",
    "        objLow = 0;",
    "        objHigh = 0;",
    "        for(i = 0; i < 4; i++) {",
    "          if(i < size) {",
    "            objLow |= (valueBuffer[i] & 0xff) << (8 * i);",
    "          } // if",
    "          if(i + 4 < size) {",
    "            objHigh |= (valueBuffer[i + 4] & 0xff) << (8 * i);",
    "          } // if",
    "        } // for",
    "",
    "        // we are now splitting the object value to its signal values.",
};

}  // namespace

ZCoOnUploadResponseTester::ZCoOnUploadResponseTester(const SignalTable& table, bool splitTwoWordObjects)
    : table_(table),
      splitTwoWordObjects_(splitTwoWordObjects),
      index_(splitTwoWordObjects ? ObjectSignalIndex::shared(table) : nullptr) {}

bool ZCoOnUploadResponseTester::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, callbackMarker("coOnUploadResponse", "dword,dword,dword,dword"));
  stream.lines(kHead);
  const std::vector<const ZListEntry*> branches = branchRecords();
  writeSplitVariables(stream, branches);
  stream.lines(kBeforeBranches);
  for (std::size_t i = 0; i < branches.size(); ++i) {
    if (splitsInBranch(*branches[i])) {
      writeSplitBranch(stream, *branches[i], i == 0);
    } else {
      writeBranch(stream, *branches[i], i == 0);
    }
  }
  stream.lines(kTail);
  writeMarkerEnd(stream);
  return true;
}

std::vector<const ZListEntry*> ZCoOnUploadResponseTester::branchRecords() const {
  // Reserved records count too: their object can still be uploaded.
  std::vector<const ZListEntry*> branches;
  std::unordered_set<uint64_t> objectsWithBranch;
  for (const ZListEntry& record : table_) {
    if (record.commandOrStatus != 0) continue;
    if (objectsWithBranch.insert(objectNumber(record)).second) branches.push_back(&record);
  }
  return branches;
}

bool ZCoOnUploadResponseTester::splitsInBranch(const ZListEntry& record) const {
  return splitTwoWordObjects_ && isTwoWordObject(record);
}

std::vector<const ZListEntry*> ZCoOnUploadResponseTester::statusSignalsOf(const ZListEntry& record) const {
  std::vector<const ZListEntry*> signals;
  for (std::size_t position : index_->positions(record.objectIndex, record.objectSubIndex)) {
    const ZListEntry& signal = table_.at(position);
    if (signal.commandOrStatus == 0) signals.push_back(&signal);
  }
  return signals;
}

void ZCoOnUploadResponseTester::writeSplitVariables(TextStream& stream,
                                                    const std::vector<const ZListEntry*>& branches) const {
  bool split = false;
  bool floating = false;
  for (const ZListEntry* branch : branches) {
    if (!splitsInBranch(*branch)) continue;
    split = true;
    for (const ZListEntry* signal : statusSignalsOf(*branch)) floating = floating || hasFloatingValue(*signal);
  }
  if (split) stream.lines(kSplitVariables);
  if (floating) stream.line("  double number;               // a signal value of more than 32 bits");
}

void ZCoOnUploadResponseTester::writeBranch(TextStream& stream, const ZListEntry& record, bool first) {
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

void ZCoOnUploadResponseTester::writeSplitBranch(TextStream& stream, const ZListEntry& record, bool first) const {
  const std::string keyword = first ? "if" : "else if";
  stream.line("    " + keyword + "((index == " + hexValue(record.objectIndex) + ") && (subIndex == " +
              hexValue(record.objectSubIndex) + ")) {");
  stream.line("      coThisGetData(valueBuffer,elCount(valueBuffer),errCode);");
  stream.lines(kObjectFromBytes);
  for (const ZListEntry* signal : statusSignalsOf(record)) {
    const std::string arguments = std::to_string(std::max(signal->signalSize, 0)) + "," +
                                  std::to_string(signal->signalOffset);
    const std::string value = "stval_" + signal->signalName;
    if (hasFloatingValue(*signal)) {
      stream.line("        number = coGen_CalculateWideSignalValue(objLow,objHigh," + arguments + ",1);");
      stream.line("        putValue(" + value + ",number * 4294967296.0 + coGen_CalculateWideSignalValue(objLow,objHigh," +
                  arguments + ",0));");
    } else {
      stream.line("        putValue(" + value + ",coGen_CalculateWideSignalValue(objLow,objHigh," + arguments + ",0));");
    }
  }
  stream.line("      } // if");
  stream.line("    } // " + keyword);
  stream.line("");
}
