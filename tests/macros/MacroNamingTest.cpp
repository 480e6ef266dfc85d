// Header signals of one object whose short names give the same identifier
// are renamed, all of them, so that no macro is defined twice.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MacroTestSupport.h"
#include "core/RunSettings.h"
#include "framework/ZGenerator.h"
#include "macros/MacroNaming.h"
#include "macros/ZCANopenDS447MacrosFactory.h"

namespace {

using macrotest::headerSignal;

// The identifier every record's macro names use, in table order; "-" for a
// record that gets no macros.
std::vector<std::string> identifiers(const SignalTable& table, const MacroNaming& naming) {
  std::vector<std::string> result;
  for (const ZListEntry& record : table) {
    if (!isHeaderSignal(record)) {
      result.push_back("-");
      continue;
    }
    const std::string* renamed = naming.renamedIdentifier(record);
    result.push_back(renamed != nullptr ? *renamed : shortNameIdentifier(record));
  }
  return result;
}

TEST(MacroNaming, SharedIdentifiersOfOneObjectAreRenamed) {
  const ZListEntry reserved = headerSignal("dup").object(0x6001, 0, 8).bits(1, 1).reserved();
  struct Case {
    const char* what;
    std::vector<ZListEntry> records;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"distinct names stay",
       {headerSignal("a").object(0x6001, 0, 8).bits(0, 1), headerSignal("b").object(0x6001, 0, 8).bits(1, 1)},
       {"a", "b"}},
      {"same name in two objects stays",
       {headerSignal("Dup").object(0x6001, 0, 8).bits(0, 1), headerSignal("Dup").object(0x6001, 1, 8).bits(0, 1)},
       {"dup", "dup"}},
      {"case and punctuation give one identifier: all renamed",
       {headerSignal("Dup 1").object(0x6001, 0, 8).bits(0, 1), headerSignal("dup-1").object(0x6001, 0, 8).bits(3, 1),
        headerSignal("x").object(0x6001, 0, 8).bits(5, 1)},
       {"dup_1_pos0", "dup_1_pos3", "x"}},
      {"same offset too: the later ones counted",
       {headerSignal("d").object(0x6001, 0, 8).bits(2, 1), headerSignal("d").object(0x6001, 0, 8).bits(2, 1),
        headerSignal("D").object(0x6001, 0, 8).bits(2, 1)},
       {"d_pos2", "d_pos2_2", "d_pos2_3"}},
      {"a short name that reads like a renamed one keeps it",
       {headerSignal("d_pos0").object(0x6001, 0, 8).bits(0, 1), headerSignal("d").object(0x6001, 0, 8).bits(0, 1),
        headerSignal("d").object(0x6001, 0, 8).bits(0, 1)},
       {"d_pos0", "d_pos0_2", "d_pos0_3"}},
      {"reserved and unused records do not count",
       {reserved, headerSignal("dup").object(0x6001, 0, 8).bits(0, 1)},
       {"-", "dup"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SignalTable table;
    for (const ZListEntry& record : c.records) table.add(record);
    EXPECT_EQ(identifiers(table, MacroNaming(table)), c.expected);
  }
}

TEST(MacroNaming, WarningNamesObjectSharedIdentifierSignalAndNewIdentifier) {
  SignalTable table;
  table.add(headerSignal("dup").name("Dup 1").object(0x6001, 0, 8).bits(0, 1));
  table.add(headerSignal("DUP").name("Dup 2").object(0x6001, 0, 8).bits(1, 1));
  const MacroNaming naming(table);
  ASSERT_EQ(naming.renames().size(), 2u);
  EXPECT_EQ(macroRenameWarning(naming.renames()[0]),
            "Warning: signals of object 0x6001sub0 share the macro name \"dup\"; signal \"Dup 1\" gets \"dup_pos0\"");
  EXPECT_EQ(macroRenameWarning(naming.renames()[1]),
            "Warning: signals of object 0x6001sub0 share the macro name \"dup\"; signal \"Dup 2\" gets \"dup_pos1\"");
}

// The renamed identifier is used in the macro names and in the description
// block alike, and a long one is not cut to 127 characters again.
TEST(MacroNaming, HeaderUsesTheRenamedIdentifierEverywhere) {
  const std::string longName(127, 'n');
  SignalTable table;
  table.add(headerSignal("dup").name("First").object(0x6001, 0, 16).bits(0, 8));
  table.add(headerSignal("Dup").name("Second").object(0x6001, 0, 16).bits(8, 8));
  table.add(headerSignal(longName + "a").object(0x6002, 0, 16).bits(0, 4));
  table.add(headerSignal(longName + "b").object(0x6002, 0, 16).bits(12, 4));
  ScopedRunSettings scoped{RunSettings()};
  const std::string header = macrotest::generateHeader(table);
  for (const std::string& name : std::vector<std::string>{"sxc_dup_pos0_0x6001sub0(c)", "sic_dup_pos8_0x6001sub0(c,value)",
                                 "sxu_dup_pos0_0x6001sub0(u)", "siu_dup_pos8_0x6001sub0(u,value)",
                                 "sxu_" + longName + "_pos12_0x6002sub0(u)"}) {
    EXPECT_NE(header.find("#define " + name + " \\\r\n"), std::string::npos) << name;
    EXPECT_NE(header.find("\" : " + name + "\r\n"), std::string::npos) << name;
  }
  EXPECT_EQ(header.find("_dup_0x6001sub0"), std::string::npos);
}

}  // namespace
