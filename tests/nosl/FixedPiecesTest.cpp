// The pieces whose text depends on no signal: the signal arithmetic functions,
// the nine empty stack callbacks and the upload response callback of a table
// without status signals.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "NoslRender.h"
#include "nosl/ZCo447CalcSignalSizeFunction.h"
#include "nosl/ZCo447CalcSignalValueFunction.h"
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

namespace {

using nosltest::crlfLines;
using nosltest::golden;
using nosltest::render;

template <class Piece>
nosltest::PieceMaker only() {
  return [](FunctionList& list, const SignalTable&) { list.push_back(std::make_unique<Piece>()); };
}

struct FixedPiece {
  const char* goldenFile;
  nosltest::PieceMaker make;
  std::size_t lineCount;
  const char* openingMarker;
  // Line number (from 1) -> number of blanks the line ends with; all other
  // lines end without one.
  std::map<std::size_t, std::size_t> trailingBlanks;
};

const std::vector<FixedPiece>& fixedPieces() {
  static const std::vector<FixedPiece> pieces = {
      {"coGen_CalculateSignalPosition.txt", only<ZCo447CalcSignalSizeFunction>(), 49,
       "/*@@noslFunc:coGen_CalculateSignalPosition(dword,dword,dword,dword):*///function", {{23, 2}}},
      {"coGen_CalculateSignalValue.txt", only<ZCo447CalcSignalValueFunction>(), 38,
       "/*@@noslFunc:coGen_CalculateSignalValue(dword,dword,dword):*///function", {{5, 1}, {17, 2}}},
      {"coOnError.txt", only<ZCoOnErrorTester>(), 24,
       "/*@@noslFunc:coOnError(dword,dword,dword,dword,dword,dword):*///callback", {{14, 1}, {15, 1}}},
      {"coOnDownloadResponse.txt", only<ZCoOnDownloadResponseTester>(), 19,
       "/*@@noslFunc:coOnDownloadResponse(dword,dword,dword):*///callback", {}},
      {"coOnNodeChangedState.txt", only<ZCoOnNodeChangeStateTester>(), 20,
       "/*@@noslFunc:coOnNodeChangedState(dword):*///callback", {}},
      {"coOnEmergency.txt", only<ZCoOnEmergencyTester>(), 19,
       "/*@@noslFunc:coOnEmergency(dword,dword,dword):*///callback", {}},
      {"coOnBootUp.txt", only<ZCoOnBootUpTester>(), 15, "/*@@noslFunc:coOnBootUp(dword):*///callback", {}},
      {"coOnConfigReady.txt", only<ZCoOnConfigReadyTester>(), 16,
       "/*@@noslFunc:coOnConfigReady(dword,dword):*///callback", {}},
      {"coOnUploadIndication.txt", only<ZCoOnUploadIndicationTester>(), 17,
       "/*@@noslFunc:coOnUploadIndication(dword,dword):*///callback", {}},
      {"coOnDownloadIndication.txt", only<ZCoOnDownloadIndicationTester>(), 19,
       "/*@@noslFunc:coOnDownloadIndication(dword,dword,dword,dword):*///callback", {}},
      {"coOnLssEvent.txt", only<ZCoOnLSSEventTester>(), 16,
       "/*@@noslFunc:coOnLssEvent(dword,dword,dword):*///callback", {}},
      {"coOnUploadResponse_no_status.txt",
       [](FunctionList& list, const SignalTable& table) {
         list.push_back(std::make_unique<ZCoOnUploadResponseTester>(table));
       },
       37, "/*@@noslFunc:coOnUploadResponse(dword,dword,dword,dword):*///callback", {{24, 1}}},
  };
  return pieces;
}

std::size_t blanksAtEnd(const std::string& line) {
  const std::string::size_type last = line.find_last_not_of(' ');
  return last == std::string::npos ? line.size() : line.size() - last - 1;
}

TEST(FixedPieces, TextEqualsGoldenFileByteForByte) {
  const SignalTable empty;
  for (const FixedPiece& piece : fixedPieces()) {
    SCOPED_TRACE(piece.goldenFile);
    const std::string expected = golden(piece.goldenFile);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(render(empty, piece.make), expected);
  }
}

TEST(FixedPieces, LineCountsFrameAndTrailingBlanks) {
  const SignalTable empty;
  for (const FixedPiece& piece : fixedPieces()) {
    SCOPED_TRACE(piece.goldenFile);
    const std::vector<std::string> lines = crlfLines(render(empty, piece.make));
    ASSERT_EQ(lines.size(), piece.lineCount);
    EXPECT_EQ(lines[0], piece.openingMarker);
    EXPECT_EQ(lines[1], "/*$$SIGWEAVERBEGIN*/");
    EXPECT_EQ(lines[2], "//Dizidarovude --- begin generated block");
    EXPECT_EQ(lines[lines.size() - 3], "//--- end generated block");
    EXPECT_EQ(lines[lines.size() - 2], "/*$$SIGWEAVEREND*/");
    EXPECT_EQ(lines.back(), "/*@@end*/");
    for (std::size_t number = 1; number <= lines.size(); ++number) {
      const std::string& line = lines[number - 1];
      const auto blanks = piece.trailingBlanks.find(number);
      EXPECT_EQ(blanksAtEnd(line), blanks == piece.trailingBlanks.end() ? 0u : blanks->second)
          << "line " << number << ": \"" << line << "\"";
      EXPECT_EQ(line.find('\t'), std::string::npos) << "line " << number;
      if (number != 1 && number != lines.size()) {
        EXPECT_NE(line.rfind("/*@@", 0), 0u) << "marker inside the piece, line " << number;
      }
    }
  }
}

TEST(FixedPieces, BootUpAccentIsTheSingleByteB4) {
  const std::vector<std::string> lines = crlfLines(render(SignalTable(), only<ZCoOnBootUpTester>()));
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[4], std::string("// This callback function is called after a node") + '\xB4' + "s boot-up");
}

}  // namespace
