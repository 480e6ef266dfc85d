#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

#include "MacroTestSupport.h"
#include "core/RunSettings.h"
#include "framework/ZGenerator.h"
#include "macros/ZCANopenDS447MacrosFactory.h"
#include "macros/ZCo447MacroBottomPart.h"
#include "macros/ZCo447MacroDefinitionCharacter.h"
#include "macros/ZCo447MacroDefinitionInteger.h"
#include "macros/ZCo447MacroDescription.h"
#include "macros/ZCo447MacroHeadPart.h"

namespace {

using macrotest::headerSignal;
using testsupport::Signal;

// One letter per piece: H head, D description, c/C character get/set,
// u/U integer get/set, B bottom.
std::string pieceKinds(const FunctionList& list) {
  std::string kinds;
  for (const auto& piece : list) {
    const std::type_info& type = typeid(*piece);
    if (type == typeid(ZCo447MacroHeadPart)) kinds += 'H';
    else if (type == typeid(ZCo447MacroDescription)) kinds += 'D';
    else if (type == typeid(ZCo447MacroExtractCharacter)) kinds += 'c';
    else if (type == typeid(ZCo447MacroInsertCharacter)) kinds += 'C';
    else if (type == typeid(ZCo447MacroExtractInteger)) kinds += 'u';
    else if (type == typeid(ZCo447MacroInsertInteger)) kinds += 'U';
    else if (type == typeid(ZCo447MacroBottomPart)) kinds += 'B';
    else kinds += '?';
  }
  return kinds;
}

TEST(MacrosFactory, PiecesPerRecordAndByteBoundaryList) {
  struct Case {
    const char* what;
    std::vector<ZListEntry> records;
    std::string kinds, oversized;
  };
  const Signal byte1 = headerSignal("a").object(0x6000, 1, 32).bits(8, 8);
  const Signal unused = Signal(byte1).usedStatus(0);
  const std::vector<Case> cases = {
      {"empty table", {}, "HDB", ""},
      {"byte at offset 8", {byte1}, "HDcCuUB", ""},
      {"offset 4 size 8 crosses a byte", {headerSignal("x").object(0x6000, 1, 32).bits(4, 8)}, "HDuUB",
       "0x6000   0x1      4       8      x\n"},
      {"9 bits never lie in one byte", {headerSignal("n").object(0x6001, 2, 16).bits(0, 9)}, "HDuUB",
       "0x6001   0x2      0       9      n\n"},
      {"reserved", {Signal(byte1).usedCommand().usedButNotImplemented().usedPdo().reserved()}, "HDB", ""},
      {"no usage flag", {unused}, "HDB", ""},
      {"each flag alone is enough",
       {Signal(unused).usedCommand(), Signal(unused).usedButNotImplemented(), Signal(unused).usedPdo()},
       "HDcCuUcCuUcCuUB", ""},
      {"object above 64 bits", {headerSignal("w").object(0x6000, 1, 72).bits(8, 8)}, "HDB", ""},
      {"table order kept",
       {headerSignal("x").object(0x6000, 1, 32).bits(4, 8), byte1, headerSignal("y").object(0x6000, 1, 64).bits(0, 40)},
       "HDuUcCuUuUB",
       "0x6000   0x1      4       8      x\n0x6000   0x1      0      40      y\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScopedRunSettings scoped{RunSettings()};
    SignalTable table;
    for (const ZListEntry& record : c.records) table.add(record);
    ZCoMacro447InteractionLayer generator(table);
    ZCANopenDS447MacrosFactory factory;
    FunctionList list;
    EXPECT_TRUE(factory.createFunctions(list, generator));
    EXPECT_EQ(pieceKinds(list), c.kinds);
    EXPECT_EQ(runSettings().oversizedSignalList(), c.oversized);
  }
}

TEST(MacrosFactory, InsistsOnTheMacroGenerator) {
  SignalTable table;
  table.add(headerSignal("x").object(0x6000, 1, 32).bits(4, 8));
  ScopedRunSettings scoped{RunSettings()};
  ZCoNosl447InteractionLayer scriptGenerator(table);
  ZCANopenDS447MacrosFactory factory;
  EXPECT_TRUE(factory.initialize());
  FunctionList list;
  EXPECT_FALSE(factory.createFunctions(list, scriptGenerator));
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(runSettings().oversizedSignalList(), "");
}

}  // namespace
