// The fixed pieces of the tester node script: variables section, start
// handler and SDO channel function.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "GeneratedText.h"
#include "app/RunSettings.h"
#include "nosl/ZCo447OnStartTester.h"
#include "nosl/ZCo447VarSectionTester.h"
#include "nosl/ZCoCreate447SDOChannelTester.h"

namespace {

using generatedtext::PieceText;
using generatedtext::writePiece;

const char* const kBegin = "/*$$SIGWEAVERBEGIN*/";
const char* const kLabelLine =
    "  char gNodeLabel[32]         = \"TESTER\";   // name of this node in debug messages";

RunSettings testerSettings(int32_t testerNodeId) {
  RunSettings settings;
  settings.setTesterNodeId(testerNodeId);
  return settings;
}

struct FixedPieceCase {
  const char* name;
  std::function<std::unique_ptr<ZNoslFunction>()> make;
  std::size_t lineCount;
  std::size_t byteCount;  // CR LF included
  const char* firstLine;
  std::size_t beginLine;  // 1-based line of "/*$$SIGWEAVERBEGIN*/"
};

TEST(TesterPieces, LineAndByteCountsAndFrame) {
  ScopedRunSettings scoped(testerSettings(5));
  const FixedPieceCase cases[] = {
      {"variables", [] { return std::make_unique<ZCo447VarSectionTester>(); }, 103, 7144,
       "/*@@var:*/", 2},
      {"start", [] { return std::make_unique<ZCo447OnStartTester>(); }, 32, 788,
       "/*@@startStart:Start:*/", 2},
      {"sdo channel", [] { return std::make_unique<ZCoCreate447SDOChannelTester>(); }, 95, 4218,
       "/*@@noslFunc:coGen_ODCreate447SDOChannel():*///function", 10},
  };
  for (const FixedPieceCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<ZNoslFunction> piece = c.make();
    const PieceText text = writePiece(*piece);
    EXPECT_TRUE(text.result);
    EXPECT_TRUE(text.allLinesEndInCrLf);
    EXPECT_EQ(text.bytes.find('\t'), std::string::npos);
    ASSERT_EQ(text.lines.size(), c.lineCount);
    EXPECT_EQ(text.bytes.size(), c.byteCount);
    EXPECT_EQ(text.lines.front(), c.firstLine);
    EXPECT_EQ(text.lines[c.beginLine - 1], kBegin);
    EXPECT_EQ(text.lines[c.beginLine], "//Dizidarovude --- begin generated block");
    const std::size_t n = text.lines.size();
    EXPECT_EQ(text.lines[n - 3], "//--- end generated block");
    EXPECT_EQ(text.lines[n - 2], "/*$$SIGWEAVEREND*/");
    EXPECT_EQ(text.lines[n - 1], "/*@@end*/");
    int markerLines = 0;
    for (const std::string& line : text.lines) markerLines += line.rfind("/*@@", 0) == 0 ? 1 : 0;
    EXPECT_EQ(markerLines, 2);
  }
}

TEST(VarSectionTester, NodeIdIsWrittenInATwoCharacterField) {
  const struct {
    int32_t id;
    const char* line;
  } cases[] = {
      {1, "  BYTE gNodeId                =  1;         // node ID of test module"},
      {5, "  BYTE gNodeId                =  5;         // node ID of test module"},
      {9, "  BYTE gNodeId                =  9;         // node ID of test module"},
      {10, "  BYTE gNodeId                = 10;         // node ID of test module"},
      {16, "  BYTE gNodeId                = 16;         // node ID of test module"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    ScopedRunSettings scoped(testerSettings(c.id));
    ZCo447VarSectionTester piece;
    const PieceText text = writePiece(piece);
    ASSERT_EQ(text.lines.size(), 103u);
    EXPECT_EQ(text.lines[6], c.line);
  }
}

TEST(VarSectionTester, OnlyTheNodeIdLineDependsOnTheSettings) {
  ScopedRunSettings first(testerSettings(3));
  ZCo447VarSectionTester a;
  const PieceText three = writePiece(a);
  RunSettings other = testerSettings(12);
  other.setDutNodeId(7);
  other.setTesterName("Bench");
  other.setVirtualDevice(VirtualDevice::taxm, true);
  ScopedRunSettings second(other);
  ZCo447VarSectionTester b;
  const PieceText twelve = writePiece(b);
  ASSERT_EQ(three.lines.size(), twelve.lines.size());
  for (std::size_t i = 0; i < three.lines.size(); ++i) {
    if (i == 6) continue;
    EXPECT_EQ(three.lines[i], twelve.lines[i]) << "line " << i + 1;
  }
  EXPECT_NE(three.lines[6], twelve.lines[6]);
}

TEST(VarSectionTester, DeclaresTheNodeLabelRightAfterTheStartFlag) {
  ScopedRunSettings scoped(testerSettings(1));
  ZCo447VarSectionTester piece;
  const PieceText text = writePiece(piece);
  ASSERT_EQ(text.lines.size(), 103u);
  const std::string& startFlag = text.lines[9];
  const std::string& label = text.lines[10];
  EXPECT_EQ(startFlag,
            "  dword gStartNode            =  1;         // to check if we are allowed to start the tester");
  EXPECT_EQ(label, kLabelLine);
  EXPECT_EQ(text.lines[11], "");
  EXPECT_EQ(generatedtext::countLines(text.lines, kLabelLine), 1);
  // "=" and "//" stand in the columns of the surrounding declarations.
  EXPECT_EQ(label.find('='), startFlag.find('='));
  EXPECT_EQ(label.find("//"), startFlag.find("//"));
  EXPECT_EQ(label.find('='), text.lines[6].find('='));
}

TEST(VarSectionTester, ListingDetails) {
  ScopedRunSettings scoped(testerSettings(1));
  ZCo447VarSectionTester piece;
  const PieceText text = writePiece(piece);
  ASSERT_EQ(text.lines.size(), 103u);
  EXPECT_EQ(text.lines[3], "variables");
  EXPECT_EQ(text.lines[15],
            "  int gOutputLevelNL          = 10;         // output level for the NodeLayer DLL (for more information refer");
  EXPECT_EQ(text.lines[97],
            "  const dword kOdGenFailed    = 0x08000023; // Object dictionary dynamic generation fails or no "
            "object dictionary is present (e.g. object dictionary is generated from file and generation fails "
            "because of an file error)");
  EXPECT_EQ(text.lines[99], "}");
  // Declarations the other generated functions rely on.
  for (const char* name : {" gNodeId ", " errCode[1];", " errBuffer[1024];", " gStartNode ", " kDbgError ",
                           " kDbgInfo ", " kTypeUInt8 ", " kTypeUInt16 ", " kTypeUInt32 ", " kRO ", " kRW ",
                           " gNodeLabel[32] "}) {
    int found = 0;
    for (const std::string& line : text.lines) found += line.find(name) != std::string::npos ? 1 : 0;
    EXPECT_EQ(found, 1) << name;
  }
}

TEST(OnStartTester, CallsTheCreationFunctionsAndStartsTheNode) {
  ZCo447OnStartTester piece;
  const PieceText text = writePiece(piece);
  ASSERT_EQ(text.lines.size(), 32u);
  EXPECT_EQ(text.lines[3], "on start");
  EXPECT_EQ(text.lines[6], "  coGen_ODCreate447SDOChannel();");
  EXPECT_EQ(text.lines[9], "  coGen_ODCreateAdditionalObjects();");
  EXPECT_EQ(text.lines[21], "    writeDbgLevel(kDbgError, \"<%s>: coStartUp failed\", \"TESTER\");");
  EXPECT_EQ(text.lines[26],
            "    writeDbgLevel(kDbgInfo, \"<%s>: Start up node with ID %d\", \"TESTER\", gNodeId);");
}

TEST(SdoChannelTester, CommentBlockStandsBeforeTheGeneratedBlock) {
  ZCoCreate447SDOChannelTester piece;
  const PieceText text = writePiece(piece);
  ASSERT_EQ(text.lines.size(), 95u);
  EXPECT_EQ(text.lines[1], "//");
  EXPECT_EQ(text.lines[2], "// This function creates the SDO server objects and the");
  EXPECT_EQ(text.lines[8], "//");
  EXPECT_EQ(text.lines[11], "void coGen_ODCreate447SDOChannel()");
}

TEST(SdoChannelTester, TextDoesNotDependOnTheRun) {
  ScopedRunSettings first(testerSettings(1));
  ZCoCreate447SDOChannelTester a;
  const std::string one = writePiece(a).bytes;
  ScopedRunSettings second(testerSettings(16));
  ZCoCreate447SDOChannelTester b;
  EXPECT_EQ(writePiece(b).bytes, one);
}

TEST(SdoChannelTester, CobIdAssignmentsAreTwoLineStatements) {
  ZCoCreate447SDOChannelTester piece;
  const PieceText text = writePiece(piece);
  int assignments = 0;
  for (std::size_t i = 0; i < text.lines.size(); ++i) {
    if (text.lines[i].rfind("    cobId = ((i + 1) == gNodeId) ? (0x800", 0) != 0) continue;
    ++assignments;
    ASSERT_LT(i + 1, text.lines.size());
    const std::string& second = text.lines[i + 1];
    EXPECT_EQ(second.rfind("                                 : (0x", 0), 0u) << second;
    EXPECT_EQ(second.substr(second.size() - 2), ");") << second;
  }
  EXPECT_EQ(assignments, 4);
  // Every creation is checked and failures stop the start-up.
  EXPECT_EQ(generatedtext::countLines(text.lines, "      gStartNode = 0;"), 7);
  int labelled = 0;
  for (const std::string& line : text.lines) labelled += line.find("\", gNodeLabel, errBuffer, errCode[0]);") != std::string::npos;
  EXPECT_EQ(labelled, 7);
}

}  // namespace
