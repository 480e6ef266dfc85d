// What the run settings change in the variables section and the SDO channel
// function of the tester node script (their whole text is checked by the
// golden files).
#include <gtest/gtest.h>

#include "GeneratedText.h"
#include "core/RunSettings.h"
#include "nosl/ZCo447VarSectionTester.h"
#include "nosl/ZCoCreate447SDOChannelTester.h"

namespace {

using generatedtext::PieceText;
using generatedtext::writePiece;

const char* const kLabelLine =
    "  char gNodeLabel[32]         = \"TESTER\";   // name of this node in debug messages";

RunSettings testerSettings(int32_t testerNodeId) {
  RunSettings settings;
  settings.setTesterNodeId(testerNodeId);
  return settings;
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

TEST(SdoChannelTester, TextDoesNotDependOnTheRun) {
  ScopedRunSettings first(testerSettings(1));
  ZCoCreate447SDOChannelTester a;
  const std::string one = writePiece(a).bytes;
  ScopedRunSettings second(testerSettings(16));
  ZCoCreate447SDOChannelTester b;
  EXPECT_EQ(writePiece(b).bytes, one);
}

}  // namespace
