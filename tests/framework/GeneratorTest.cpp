#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "core/RunSettings.h"
#include "framework/Markers.h"
#include "framework/ZGenerator.h"
#include "framework/ZNoslFactory.h"

namespace {

using testsupport::TempDir;

// A piece that writes a fixed text inside the marker frame, or fails.
class TextPiece : public ZNewFunction {
 public:
  TextPiece(std::string name, bool succeed = true) : name_(std::move(name)), succeed_(succeed) {}
  bool writeBody(TextStream& stream, ZGeneratorInterface&) override {
    writeMarkerBegin(stream, functionMarker(name_, "dword"));
    stream.line("body of " + name_);
    writeMarkerEnd(stream);
    return succeed_;
  }

 private:
  std::string name_;
  bool succeed_;
};

class PieceFactory : public ZNoslFactory {
 public:
  explicit PieceFactory(std::vector<std::pair<std::string, bool>> pieces) : pieces_(std::move(pieces)) {}
  bool createFunctions(FunctionList& list, ZGeneratorInterface&) override {
    for (const auto& [name, ok] : pieces_) list.push_back(std::make_unique<TextPiece>(name, ok));
    return false;  // the generator does not pass this on
  }

 private:
  std::vector<std::pair<std::string, bool>> pieces_;
};

std::string framed(const std::string& name) {
  return testsupport::crlf("/*@@noslFunc:" + name + "(dword):*///function\n/*$$SIGWEAVERBEGIN*/\n"
                           "//Dizidarovude --- begin generated block\nbody of " + name +
                           "\n//--- end generated block\n/*$$SIGWEAVEREND*/\n/*@@end*/\n");
}

TEST(Markers, OpeningMarkerForms) {
  EXPECT_EQ(functionMarker("coGen_CalculateSignalValue", "dword,dword,dword"),
            "/*@@noslFunc:coGen_CalculateSignalValue(dword,dword,dword):*///function");
  EXPECT_EQ(functionMarker("coGen_ODCreate447SDOChannel", ""), "/*@@noslFunc:coGen_ODCreate447SDOChannel():*///function");
  EXPECT_EQ(callbackMarker("coOnBootUp", "dword"), "/*@@noslFunc:coOnBootUp(dword):*///callback");
  EXPECT_EQ(envVarMarker("gs_door"), "/*@@envVar:gs_door:*/");
  EXPECT_STREQ(kVariablesMarker, "/*@@var:*/");
  EXPECT_STREQ(kStartMarker, "/*@@startStart:Start:*/");
}


// The pieces make a new file that takes the output's place whole; a file
// that was there is replaced, not continued.
TEST(Generator, WritesPiecesInOrderIntoANewFile) {
  TempDir dir;
  RunSettings settings;
  settings.setOutputPath(dir.file("out.can"));
  ScopedRunSettings scoped(settings);
  testsupport::writeFile(settings.outputPath(), "old\r\n");

  SignalTable table;
  ZCoNosl447InteractionLayer generator(table);
  PieceFactory factory({{"first", true}, {"second", true}});
  EXPECT_TRUE(generator.createFunctions(&generator, &factory));
  EXPECT_EQ(generator.functionList().size(), 2u);
  EXPECT_TRUE(generator.writeFunctions(&generator, &factory));
  EXPECT_TRUE(generator.functionList().empty());
  EXPECT_EQ(testsupport::readFile(settings.outputPath()), framed("first") + framed("second"));
  EXPECT_EQ(testsupport::listing(dir.path()), "out.can ");
}

// A piece that fails leaves no output at all: no half file at the output
// path and no temporary file beside it.
TEST(Generator, FailedPieceLeavesNoFile) {
  TempDir dir;
  RunSettings settings;
  settings.setOutputPath(dir.file("out.can"));
  ScopedRunSettings scoped(settings);
  SignalTable table;
  ZCoNosl447InteractionLayer generator(table);
  PieceFactory factory({{"first", true}, {"bad", false}, {"third", true}});
  generator.createFunctions(&generator, &factory);
  EXPECT_FALSE(generator.writeFunctions(&generator, &factory));
  EXPECT_EQ(testsupport::listing(dir.path()), "");
}

TEST(Generator, FailedPieceIsReportedAndWritingGoesOn) {
  SignalTable table;
  ZCoMacro447InteractionLayer generator(table);
  generator.writeToMemory();
  PieceFactory factory({{"a", true}, {"bad", false}, {"c", true}});
  generator.createFunctions(&generator, &factory);
  EXPECT_FALSE(generator.writeFunctions(&generator, &factory));
  EXPECT_EQ(generator.memoryOutput(), framed("a") + framed("bad") + framed("c"));
}

TEST(Generator, MissingArgumentsAndUnwritableOutput) {
  TempDir dir;
  RunSettings settings;
  settings.setOutputPath(dir.file("no/such/dir/out.can"));
  ScopedRunSettings scoped(settings);
  SignalTable table;
  ZCoNosl447InteractionLayer generator(table);
  PieceFactory factory({{"a", true}});
  EXPECT_FALSE(generator.createFunctions(nullptr, &factory));
  EXPECT_FALSE(generator.createFunctions(&generator, nullptr));
  EXPECT_TRUE(generator.functionList().empty());
  EXPECT_TRUE(generator.createFunctions(&generator, &factory));
  EXPECT_FALSE(generator.writeFunctions(&generator, nullptr));
  EXPECT_FALSE(generator.writeFunctions(&generator, &factory));
  EXPECT_TRUE(generator.functionList().empty());
}

}  // namespace
