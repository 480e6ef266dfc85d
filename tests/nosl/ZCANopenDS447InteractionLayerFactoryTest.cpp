#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <typeindex>
#include <vector>

#include "GeneratedText.h"
#include "NoslRender.h"
#include "TestSupport.h"
#include "core/RunSettings.h"
#include "framework/ZGenerator.h"
#include "nosl/ZCANopenDS447InteractionLayerFactory.h"
#include "nosl/ZCo447CalcSignalSizeFunction.h"
#include "nosl/ZCo447CalcSignalValueFunction.h"
#include "nosl/ZCo447GetStatusFunction.h"
#include "nosl/ZCo447MapperFunction_Int.h"
#include "nosl/ZCo447MapperFunction_String.h"
#include "nosl/ZCo447ObjValToSigMapper_Int.h"
#include "nosl/ZCo447ObjValToSigMapper_String.h"
#include "nosl/ZCo447OnStartTester.h"
#include "nosl/ZCo447VarSectionTester.h"
#include "nosl/ZCoCreate447SDOChannelTester.h"
#include "nosl/ZCoCreateAdditionalObjects.h"
#include "nosl/ZCoOnBootUpTester.h"
#include "nosl/ZCoOnConfigReadyTester.h"
#include "nosl/ZCoOnDownloadIndicationTester.h"
#include "nosl/ZCoOnDownloadResponseTester.h"
#include "nosl/ZCoOnEmergencyTester.h"
#include "nosl/ZCoOnErrorTester.h"
#include "nosl/ZCoOnLSSEventTester.h"
#include "nosl/ZCoOnNodeChangeStateTester.h"
#include "nosl/ZCoOnUploadIndicationTester.h"
#include "nosl/ZCoOnUploadResponseTester.h"
#include "util/Console.h"

namespace {

using testsupport::Signal;

std::string className(const ZNoslFunction& piece) {
  static const std::map<std::type_index, const char*> kNames = {
      {typeid(ZCo447VarSectionTester), "ZCo447VarSectionTester"},
      {typeid(ZCoCreate447SDOChannelTester), "ZCoCreate447SDOChannelTester"},
      {typeid(ZCoCreateAdditionalObjects), "ZCoCreateAdditionalObjects"},
      {typeid(ZCo447OnStartTester), "ZCo447OnStartTester"},
      {typeid(ZCoOnErrorTester), "ZCoOnErrorTester"},
      {typeid(ZCoOnDownloadResponseTester), "ZCoOnDownloadResponseTester"},
      {typeid(ZCoOnNodeChangeStateTester), "ZCoOnNodeChangeStateTester"},
      {typeid(ZCoOnEmergencyTester), "ZCoOnEmergencyTester"},
      {typeid(ZCoOnBootUpTester), "ZCoOnBootUpTester"},
      {typeid(ZCoOnConfigReadyTester), "ZCoOnConfigReadyTester"},
      {typeid(ZCoOnUploadIndicationTester), "ZCoOnUploadIndicationTester"},
      {typeid(ZCoOnDownloadIndicationTester), "ZCoOnDownloadIndicationTester"},
      {typeid(ZCoOnLSSEventTester), "ZCoOnLSSEventTester"},
      {typeid(ZCoOnUploadResponseTester), "ZCoOnUploadResponseTester"},
      {typeid(ZCo447CalcSignalSizeFunction), "ZCo447CalcSignalSizeFunction"},
      {typeid(ZCo447CalcSignalValueFunction), "ZCo447CalcSignalValueFunction"},
      {typeid(ZCo447GetStatusFunction), "ZCo447GetStatusFunction"},
      {typeid(ZCo447MapperFunction_Int), "ZCo447MapperFunction_Int"},
      {typeid(ZCo447MapperFunction_String), "ZCo447MapperFunction_String"},
      {typeid(ZCo447ObjValToSigMapper_Int), "ZCo447ObjValToSigMapper_Int"},
      {typeid(ZCo447ObjValToSigMapper_String), "ZCo447ObjValToSigMapper_String"},
  };
  const auto found = kNames.find(typeid(piece));
  return found == kNames.end() ? std::string("unknown piece") : found->second;
}

// The class of the piece, and for a handler the variable it handles (taken
// from its opening marker "/*@@envVar:NAME:*/").
std::string describe(ZNoslFunction& piece) {
  std::string text = className(piece);
  const std::string envVar = "/*@@envVar:";
  const generatedtext::PieceText written = generatedtext::writePiece(piece);
  if (!written.lines.empty() && written.lines[0].rfind(envVar, 0) == 0) {
    const std::string& marker = written.lines[0];
    text += " " + marker.substr(envVar.size(), marker.size() - envVar.size() - 3);
  }
  return text;
}

const std::vector<std::string> kMode1Pieces = {
    "ZCo447VarSectionTester",      "ZCoCreate447SDOChannelTester",  "ZCoCreateAdditionalObjects",
    "ZCo447OnStartTester",         "ZCoOnErrorTester",              "ZCoOnDownloadResponseTester",
    "ZCoOnNodeChangeStateTester",  "ZCoOnEmergencyTester",          "ZCoOnBootUpTester",
    "ZCoOnConfigReadyTester",      "ZCoOnUploadIndicationTester",   "ZCoOnDownloadIndicationTester",
    "ZCoOnLSSEventTester",
};
const std::vector<std::string> kCommonPieces = {
    "ZCoOnUploadResponseTester", "ZCo447CalcSignalSizeFunction", "ZCo447CalcSignalValueFunction"};

enum class Mode { one, three };

struct Created {
  bool result = false;
  std::vector<std::string> pieces;
  std::string console;
};

Created create(Mode mode, const SignalTable& table) {
  std::ostringstream console;
  ConsoleCapture capture(console);
  ZCoNosl447InteractionLayer generator(table);
  ZCANopenDS447InteractionLayerMode1Factory mode1;
  ZCANopenDS447InteractionLayerMode3Factory mode3;
  ZCANopenDS447InteractionLayerFactory& factory =
      mode == Mode::one ? static_cast<ZCANopenDS447InteractionLayerFactory&>(mode1) : mode3;
  Created created;
  created.result = factory.createFunctions(generator.functionList(), generator);
  for (auto& piece : generator.functionList()) created.pieces.push_back(describe(*piece));
  created.console = console.str();
  return created;
}


SignalTable tableOf(const std::vector<ZListEntry>& records) {
  SignalTable table;
  for (const ZListEntry& entry : records) table.add(entry);
  return table;
}

TEST(InteractionLayerFactory, EmptyTableGivesTheFixedPiecesOfEachMode) {
  SignalTable empty;
  std::vector<std::string> mode1 = kMode1Pieces;
  mode1.insert(mode1.end(), kCommonPieces.begin(), kCommonPieces.end());
  const Created one = create(Mode::one, empty);
  EXPECT_TRUE(one.result);
  EXPECT_EQ(one.pieces.size(), 16u);
  EXPECT_EQ(one.pieces, mode1);
  const Created three = create(Mode::three, empty);
  EXPECT_TRUE(three.result);
  EXPECT_EQ(three.pieces.size(), 3u);
  EXPECT_EQ(three.pieces, kCommonPieces);
}

TEST(InteractionLayerFactory, FixedPiecesOfAnEmptyTesterScriptHaveTheirExactSizes) {
  RunSettings settings;
  settings.setTesterNodeId(16);
  ScopedRunSettings scoped(settings);
  const struct {
    const char* piece;
    std::size_t lines;
    std::size_t bytes;  // CR LF included
  } expected[] = {
      {"ZCo447VarSectionTester", 103, 7144},       {"ZCoCreate447SDOChannelTester", 95, 4218},
      {"ZCoCreateAdditionalObjects", 61, 2286},    {"ZCo447OnStartTester", 32, 788},
      {"ZCoOnErrorTester", 24, 675},               {"ZCoOnDownloadResponseTester", 19, 506},
      {"ZCoOnNodeChangeStateTester", 20, 594},     {"ZCoOnEmergencyTester", 19, 515},
      {"ZCoOnBootUpTester", 15, 333},              {"ZCoOnConfigReadyTester", 16, 464},
      {"ZCoOnUploadIndicationTester", 17, 483},    {"ZCoOnDownloadIndicationTester", 19, 589},
      {"ZCoOnLSSEventTester", 16, 467},            {"ZCoOnUploadResponseTester", 37, 1264},
      {"ZCo447CalcSignalSizeFunction", 49, 1632},  {"ZCo447CalcSignalValueFunction", 38, 1137},
  };
  std::ostringstream console;
  ConsoleCapture capture(console);
  SignalTable empty;
  ZCoNosl447InteractionLayer generator(empty);
  ZCANopenDS447InteractionLayerMode1Factory factory;
  ASSERT_TRUE(factory.createFunctions(generator.functionList(), generator));
  ASSERT_EQ(generator.functionList().size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    ZNoslFunction& piece = *generator.functionList()[i];
    SCOPED_TRACE(expected[i].piece);
    EXPECT_EQ(className(piece), expected[i].piece);
    const generatedtext::PieceText text = generatedtext::writePiece(piece);
    EXPECT_TRUE(text.result);
    EXPECT_TRUE(text.allLinesEndInCrLf);
    EXPECT_EQ(text.lines.size(), expected[i].lines);
    EXPECT_EQ(text.bytes.size(), expected[i].bytes);
    // The marker frame: opening and closing marker only, the generated block
    // opening on line 2 (after the comment block in the SDO channel function).
    const std::size_t beginLine = className(piece) == "ZCoCreate447SDOChannelTester" ? 9 : 1;
    ASSERT_GT(text.lines.size(), beginLine + 4);
    EXPECT_EQ(text.lines[beginLine], "/*$$SIGWEAVERBEGIN*/");
    EXPECT_EQ(text.lines[beginLine + 1], "//Dizidarovude --- begin generated block");
    int markerLines = 0;
    for (const std::string& line : text.lines) markerLines += line.rfind("/*@@", 0) == 0 ? 1 : 0;
    EXPECT_EQ(markerLines, 2);
    EXPECT_EQ(text.lines.back(), "/*@@end*/");
    EXPECT_EQ(text.bytes.find('\t'), std::string::npos);
  }
}

TEST(InteractionLayerFactory, HandlersPerRecordInTableOrder) {
  const struct {
    const char* name;
    std::vector<ZListEntry> records;
    std::vector<std::string> handlers;  // the pieces after the fixed ones
  } cases[] = {
      {"lamp example",
       {Signal("lamp_state").object(0x6001, 1, 16).bits(0, 8), Signal("lamp_level").object(0x6001, 1, 16).bits(8, 8),
        Signal("lamp_set").object(0x6002, 1, 16).bits(0, 16).command()},
       {"ZCo447GetStatusFunction gs_lamp_state", "ZCo447ObjValToSigMapper_Int stval_0x6001_0x1",
        "ZCo447GetStatusFunction gs_lamp_level", "ZCo447MapperFunction_Int sc_lamp_set"}},
      {"three status signals of one object, one mapper after the first",
       {Signal("a").object(0x6000, 1, 32).bits(0, 8), Signal("b").object(0x6000, 1, 32).bits(8, 8),
        Signal("c").object(0x6000, 1, 32).bits(16, 8)},
       {"ZCo447GetStatusFunction gs_a", "ZCo447ObjValToSigMapper_Int stval_0x6000_0x1",
        "ZCo447GetStatusFunction gs_b", "ZCo447GetStatusFunction gs_c"}},
      {"command before status of the same object",
       {Signal("set").object(0x6000, 1, 32).bits(0, 8).command(), Signal("get").object(0x6000, 1, 32).bits(8, 8)},
       {"ZCo447MapperFunction_Int sc_set", "ZCo447GetStatusFunction gs_get",
        "ZCo447ObjValToSigMapper_Int stval_0x6000_0x1"}},
      {"status and command of the same object",
       {Signal("get").object(0x6000, 1, 32).bits(8, 8), Signal("set").object(0x6000, 1, 32).bits(0, 8).command()},
       {"ZCo447GetStatusFunction gs_get", "ZCo447ObjValToSigMapper_Int stval_0x6000_0x1",
        "ZCo447MapperFunction_Int sc_set"}},
      {"interleaved objects",
       {Signal("a1").object(0x6001, 1, 16).bits(0, 8), Signal("b1").object(0x6001, 2, 16).bits(0, 8),
        Signal("a2").object(0x6001, 1, 16).bits(8, 8), Signal("c1").object(0x1a, 0x10, 8).bits(0, 8)},
       {"ZCo447GetStatusFunction gs_a1", "ZCo447ObjValToSigMapper_Int stval_0x6001_0x1",
        "ZCo447GetStatusFunction gs_b1", "ZCo447ObjValToSigMapper_Int stval_0x6001_0x2",
        "ZCo447GetStatusFunction gs_a2", "ZCo447GetStatusFunction gs_c1",
        "ZCo447ObjValToSigMapper_Int stval_0x1a_0x10"}},
      {"32 bits choose Int, 33 and 40 bits String",
       {Signal("c32").object(0x6010, 1, 32).bits(0, 32).command(),
        Signal("c33").object(0x6011, 1, 33).bits(0, 33).command(),
        Signal("c40").object(0x6012, 1, 40).bits(0, 40).command(), Signal("s32").object(0x6013, 1, 32).bits(0, 32),
        Signal("s33").object(0x6014, 1, 33).bits(0, 33)},
       {"ZCo447MapperFunction_Int sc_c32", "ZCo447MapperFunction_String sc_c33",
        "ZCo447MapperFunction_String sc_c40", "ZCo447GetStatusFunction gs_s32",
        "ZCo447ObjValToSigMapper_Int stval_0x6013_0x1", "ZCo447GetStatusFunction gs_s33",
        "ZCo447ObjValToSigMapper_String stval_0x6014_0x1"}},
      {"first status record decides the mapper kind",
       {Signal("wide").object(0x6020, 1, 64).bits(0, 64), Signal("narrow").object(0x6020, 1, 16).bits(0, 8)},
       {"ZCo447GetStatusFunction gs_wide", "ZCo447ObjValToSigMapper_String stval_0x6020_0x1",
        "ZCo447GetStatusFunction gs_narrow"}},
      {"reserved records are skipped and do not claim the object",
       {Signal("spare").object(0x6004, 1, 32).bits(0, 8).reserved(),
        Signal("spare_set").object(0x6004, 1, 32).bits(24, 8).command().reserved(),
        Signal("door").object(0x6004, 1, 32).bits(8, 1), Signal("lock").object(0x6004, 1, 32).bits(9, 1).command(),
        Signal("spare_wide").object(0x6005, 1, 64).bits(0, 64).reserved()},
       {"ZCo447GetStatusFunction gs_door", "ZCo447ObjValToSigMapper_Int stval_0x6004_0x1",
        "ZCo447MapperFunction_Int sc_lock"}},
      {"only reserved records", {Signal("spare").object(0x6000, 1, 8).bits(0, 8).reserved()}, {}},
      {"only command records",
       {Signal("x").object(0x6000, 1, 8).bits(0, 8).command(), Signal("y").object(0x6000, 1, 8).bits(0, 8).command()},
       {"ZCo447MapperFunction_Int sc_x", "ZCo447MapperFunction_Int sc_y"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const SignalTable table = tableOf(c.records);
    std::vector<std::string> mode3 = kCommonPieces;
    mode3.insert(mode3.end(), c.handlers.begin(), c.handlers.end());
    std::vector<std::string> mode1 = kMode1Pieces;
    mode1.insert(mode1.end(), mode3.begin(), mode3.end());
    EXPECT_EQ(create(Mode::three, table).pieces, mode3);
    EXPECT_EQ(create(Mode::one, table).pieces, mode1);
  }
}

TEST(InteractionLayerFactory, WideObjectMapperFillsTheFirstStatusSignal) {
  const SignalTable table = tableOf({Signal("set").object(0x6020, 1, 64).bits(0, 64).command(),
                                      Signal("first").object(0x6020, 1, 64).bits(0, 64),
                                      Signal("second").object(0x6020, 1, 64).bits(0, 64)});
  ZCoNosl447InteractionLayer generator(table);
  ZCANopenDS447InteractionLayerMode3Factory factory;
  ASSERT_TRUE(factory.createFunctions(generator.functionList(), generator));
  ASSERT_EQ(generator.functionList().size(), 7u);
  ZNoslFunction& mapper = *generator.functionList()[5];
  ASSERT_EQ(className(mapper), "ZCo447ObjValToSigMapper_String");
  const auto lines = generatedtext::writePiece(mapper).lines;
  EXPECT_EQ(generatedtext::countLines(lines, "  putValue(stval_first,valueBuffer);"), 1);
  EXPECT_EQ(generatedtext::countLines(lines, "  putValue(stval_second,valueBuffer);"), 0);
}

TEST(InteractionLayerFactory, EveryCallStartsWithAnEmptySetOfObjects) {
  const SignalTable table = tableOf({Signal("a").object(0x6000, 1, 32).bits(0, 8)});
  ZCoNosl447InteractionLayer generator(table);
  ZCANopenDS447InteractionLayerMode3Factory factory;
  FunctionList first;
  FunctionList second;
  ASSERT_TRUE(factory.createFunctions(first, generator));
  ASSERT_TRUE(factory.createFunctions(second, generator));
  ASSERT_EQ(second.size(), 5u);
  EXPECT_EQ(className(*second[4]), "ZCo447ObjValToSigMapper_Int");
}

TEST(InteractionLayerFactory, NeedsTheNoslGenerator) {
  SignalTable table;
  table.add(Signal("a").object(0x6000, 1, 32).bits(0, 8));
  ZCoMacro447InteractionLayer macros(table);
  ZCANopenDS447InteractionLayerMode1Factory mode1;
  ZCANopenDS447InteractionLayerMode3Factory mode3;
  std::ostringstream console;
  ConsoleCapture capture(console);
  FunctionList list;
  EXPECT_FALSE(mode1.createFunctions(list, macros));
  EXPECT_FALSE(mode3.createFunctions(list, macros));
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(console.str(), "");
  EXPECT_TRUE(mode1.initialize());
  EXPECT_TRUE(mode3.initialize());
}

TEST(InteractionLayerFactory, OnlyModeOnePrintsTheVirtualDevices) {
  RunSettings settings;
  settings.setVirtualDevice(VirtualDevice::taxm, true);
  ScopedRunSettings scoped(settings);
  SignalTable empty;
  EXPECT_EQ(create(Mode::one, empty).console,
            "The following virtual devices are supported by the tester:\n  - Taximeter\n\n");
  EXPECT_EQ(create(Mode::three, empty).console, "");
}

}  // namespace
