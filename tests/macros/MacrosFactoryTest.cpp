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

using macrotest::signal;

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

ZListEntry withFlags(ZListEntry record, int command, int notImplemented, int status, int pdo,
                     int reserved = 0) {
  record.isUsedCommand = command;
  record.isUsedButNotImplemented = notImplemented;
  record.isUsedStatus = status;
  record.isUsedPDO = pdo;
  record.signalReserved = reserved;
  return record;
}

TEST(MacrosFactory, PiecesPerRecordAndByteBoundaryList) {
  struct Case {
    const char* what;
    std::vector<ZListEntry> records;
    std::string kinds, oversized;
  };
  const ZListEntry byte1 = signal(0x6000, 1, 32, 8, 8, "a");
  const std::vector<Case> cases = {
      {"empty table", {}, "HDB", ""},
      {"byte at offset 8", {byte1}, "HDcCuUB", ""},
      {"offset 4 size 8 crosses a byte", {signal(0x6000, 1, 32, 4, 8, "x")}, "HDuUB",
       "0x6000   0x1      4       8      x\n"},
      {"9 bits never lie in one byte", {signal(0x6001, 2, 16, 0, 9, "n")}, "HDuUB",
       "0x6001   0x2      0       9      n\n"},
      {"reserved", {withFlags(byte1, 1, 1, 1, 1, 1)}, "HDB", ""},
      {"no usage flag", {withFlags(byte1, 0, 0, 0, 0)}, "HDB", ""},
      {"each flag alone is enough",
       {withFlags(byte1, 1, 0, 0, 0), withFlags(byte1, 0, 1, 0, 0), withFlags(byte1, 0, 0, 0, 1)},
       "HDcCuUcCuUcCuUB", ""},
      {"object above 64 bits", {signal(0x6000, 1, 72, 8, 8, "w")}, "HDB", ""},
      {"table order kept",
       {signal(0x6000, 1, 32, 4, 8, "x"), byte1, signal(0x6000, 1, 64, 0, 40, "y")}, "HDuUcCuUuUB",
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
  table.add(signal(0x6000, 1, 32, 4, 8, "x"));
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
