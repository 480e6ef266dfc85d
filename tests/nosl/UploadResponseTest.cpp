// The branches of the coOnUploadResponse callback: one per object with status
// records, decided by the object's first status record.
#include <gtest/gtest.h>

#include <memory>

#include "NoslRender.h"
#include "TestSupport.h"
#include "nosl/ZCoOnUploadResponseTester.h"

namespace {

using nosltest::crlfLines;
using testsupport::Signal;

constexpr std::size_t kPartALines = 26;
constexpr std::size_t kPartBLines = 11;
constexpr std::size_t kBranchLines = 8;

struct Branch {
  std::string keyword;  // "if" or "else if"
  std::string index, subIndex;
  bool wide;
};

// The branches between part A and part B, as read back from the text.
std::vector<std::string> branchLines(const std::vector<ZListEntry>& records) {
  SignalTable table;
  for (const ZListEntry& record : records) table.add(record);
  const std::vector<std::string> lines = crlfLines(nosltest::render(table, [](FunctionList& list, const SignalTable& t) {
    list.push_back(std::make_unique<ZCoOnUploadResponseTester>(t));
  }));
  if (lines.size() < kPartALines + kPartBLines || lines[kPartALines - 1] != "  if(nodeId == getValue(ID_Dut)) {" ||
      lines[lines.size() - kPartBLines] != "  } // if") {
    return {"<unexpected part A or B>"};
  }
  return std::vector<std::string>(lines.begin() + kPartALines, lines.end() - kPartBLines);
}

std::vector<std::string> expectedLines(const std::vector<Branch>& branches) {
  std::vector<std::string> lines;
  for (const Branch& b : branches) {
    const std::string variable = "stval_" + b.index + "_" + b.subIndex;
    lines.push_back("    " + b.keyword + "((index == " + b.index + ") && (subIndex == " + b.subIndex + ")) {");
    lines.push_back(b.wide ? "      coThisGetData(valueBuffer,elCount(valueBuffer),errCode);"
                           : "      value = coThisGetUnsigned(errCode);");
    lines.push_back("      if (errCode[0] == 0) {");
    lines.push_back("        // set the environment variable with the readed value;");
    lines.push_back("        putValue(" + variable + (b.wide ? ",valueBuffer);" : ",value);"));
    lines.push_back("      } // if");
    lines.push_back("    } // " + b.keyword);
    lines.push_back("");
  }
  return lines;
}

TEST(UploadResponse, OneBranchPerStatusObject) {
  struct Case {
    const char* description;
    std::vector<ZListEntry> records;
    std::vector<Branch> branches;
  };
  const std::vector<Case> cases = {
      {"empty table: part A is closed at once by part B", {}, {}},
      {"command records never make a branch",
       {Signal("set").object(0x6002, 1, 16).bits(0, 16).command(),
        Signal("text").object(0x6010, 1, 64).bits(0, 64).command()},
       {}},
      {"status records of one object, met again after another object",
       {Signal("a").object(0x6001, 1, 16).bits(0, 8), Signal("b").object(0x6001, 1, 16).bits(8, 8),
        Signal("vin").object(0x6003, 2, 64).bits(0, 64), Signal("c").object(0x6001, 1, 16).bits(0, 1)},
       {{"if", "0x6001", "0x1", false}, {"else if", "0x6003", "0x2", true}}},
      {"a reserved status record makes a branch",
       {Signal("spare").object(0x6020, 0, 8).bits(0, 8).reserved()},
       {{"if", "0x6020", "0x0", false}}},
      {"32 bits read unsigned, 33 bits as data",
       {Signal("n32").object(0x6004, 1, 32).bits(0, 32), Signal("n33").object(0x6005, 1, 33).bits(0, 33)},
       {{"if", "0x6004", "0x1", false}, {"else if", "0x6005", "0x1", true}}},
      {"the first status record of the object decides its form",
       {Signal("set").object(0x6006, 1, 16).bits(0, 16).command(), Signal("wide").object(0x6006, 1, 40).bits(0, 8),
        Signal("narrow").object(0x6006, 1, 16).bits(8, 8)},
       {{"if", "0x6006", "0x1", true}}},
      {"three objects: every later branch is an else if, hexadecimal in lower case",
       {Signal("a").object(0x60AB, 0xC, 8).bits(0, 8), Signal("b").object(0x1, 0x0, 8).bits(0, 8),
        Signal("c").object(0x60AB, 0xD, 8).bits(0, 8)},
       {{"if", "0x60ab", "0xc", false}, {"else if", "0x1", "0x0", false}, {"else if", "0x60ab", "0xd", false}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    const std::vector<std::string> lines = branchLines(c.records);
    EXPECT_EQ(lines.size(), c.branches.size() * kBranchLines);
    EXPECT_EQ(lines, expectedLines(c.branches));
  }
}

}  // namespace
