// Generated files must work where they go, whatever the sheet: random
// sheets with names given twice, names that collide after lower-casing or
// with suffixed names, objects of every width sharing index and sub-index,
// reserved bits, and rows given twice are run through all three modes.
//
// - every mode 2 header compiles as strict C99 without a warning and
//   defines every macro once;
// - every environment variable that a mode 1 or mode 3 script reads,
//   writes or handles is in the database of that run;
// - no two handlers of a script handle the same variable, and no variable
//   is written in two places (the handlers of two signals).
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

using testsupport::CommandResult;
using testsupport::readFile;
using testsupport::runCommand;
using testsupport::runProgram;
using testsupport::shellQuote;
using testsupport::TempDir;
using testsupport::writeFile;

// The column map of the sheets below: every column, in this order.
const char kColumnMap[] =
    "[XLSImport]\nSkipRows=1\nObjectIndex=0\nObjectName=1\nObjectSubIndex=2\nObjectSize=3\nSignalName=4\n"
    "SignalNameShort=5\nSignalOffset=6\nSignalSize=7\nSignalReserved=8\nSignalIsUsed=9\nCommandOrStatus=10\n"
    "IsUsedButNotImplemented=11\nIsUsedStatus=12\nIsUsedCommand=13\nIsUsedPDO=14\n";
const char kHeaderRow[] =
    "Index,Object,Sub,Size,Name,Short,Offset,Bits,Reserved,Used,Command,Not implemented,Status,Cmd,PDO\n";

// Names that collide in every way the naming has to handle.
const std::vector<std::string> kNames = {
    "Door", "door", "DOOR", "Door ", "Lamp", "lamp_2", "x", "X", "a b", "a-b", "0x6000_0x1", "0x6001_0x2",
    "door_obj6000_sub1_pos0", "door_obj6000_sub1_pos0_2", "dup_pos0", "Dup", "Tür"};

struct Row {
  unsigned index, subIndex;
  int objectSize, offset, size;
  std::string name, shortName;
  bool reserved, command, notImplemented, status, usedCommand, pdo;
};

std::string csvLine(const Row& row) {
  const auto flag = [](bool set) { return set ? "x" : ""; };
  char hex[32];
  std::snprintf(hex, sizeof hex, "%x,Object,%x,", row.index, row.subIndex);
  return hex + std::to_string(row.objectSize) + "," + row.name + "," + row.shortName + "," +
         std::to_string(row.offset) + "," + std::to_string(row.size) + "," + flag(row.reserved) + ",x," +
         flag(row.command) + "," + flag(row.notImplemented) + "," + flag(row.status) + "," +
         flag(row.usedCommand) + "," + flag(row.pdo) + "\n";
}

// A sheet of a few objects; each object keeps one size for all its rows
// only most of the time, as real sheets do.
std::string randomSheet(std::mt19937& random) {
  const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const std::vector<int> objectSizes = {8, 16, 24, 32, 33, 48, 64};
  std::vector<Row> rows;
  const int objects = pick(1, 5);
  for (int object = 0; object < objects; ++object) {
    const unsigned index = 0x6000 + static_cast<unsigned>(pick(0, 2));
    const unsigned subIndex = static_cast<unsigned>(pick(0, 2));
    int objectSize = objectSizes[static_cast<std::size_t>(pick(0, static_cast<int>(objectSizes.size()) - 1))];
    const int signals = pick(1, 6);
    for (int i = 0; i < signals; ++i) {
      if (pick(0, 9) == 0) objectSize = objectSizes[static_cast<std::size_t>(pick(0, 6))];
      Row row;
      row.index = index;
      row.subIndex = subIndex;
      row.objectSize = objectSize;
      row.size = pick(1, std::min(objectSize, 40));
      row.offset = pick(0, objectSize - row.size);
      row.name = kNames[static_cast<std::size_t>(pick(0, static_cast<int>(kNames.size()) - 1))];
      row.shortName = kNames[static_cast<std::size_t>(pick(0, static_cast<int>(kNames.size()) - 1))];
      row.reserved = pick(0, 7) == 0;
      row.command = pick(0, 2) == 0;
      row.notImplemented = pick(0, 1) == 0;
      row.status = pick(0, 1) == 0;
      row.usedCommand = pick(0, 3) == 0;
      row.pdo = pick(0, 3) == 0;
      rows.push_back(row);
      // A row given twice.
      if (pick(0, 5) == 0) rows.push_back(row);
    }
  }
  std::shuffle(rows.begin(), rows.end(), random);
  std::string sheet = kHeaderRow;
  for (const Row& row : rows) sheet += csvLine(row);
  return sheet;
}

// Checks one node script against the database its run wrote.
void expectScriptFitsDatabase(const std::string& script, const std::string& database) {
  using testsupport::identifiersAfter;
  const std::vector<std::string> statements = identifiersAfter(database, "\nEV_ ");
  const std::set<std::string> variables(statements.begin(), statements.end());
  std::set<std::string> used;
  for (const char* call : {"getValue(", "putValue("}) {
    for (const std::string& name : identifiersAfter(script, call)) used.insert(name);
  }
  used.erase("this");
  for (const std::string& name : used) EXPECT_EQ(variables.count(name), 1u) << "missing in the database: " << name;

  // Each value has one writer: a variable written in the handlers of two
  // signals holds whichever was read last (another signal's bits, a value
  // out of its range, or a string in a numeric variable).
  std::map<std::string, int> writes;
  for (const std::string& name : identifiersAfter(script, "putValue(")) ++writes[name];
  writes.erase("this");
  for (const auto& [name, count] : writes) EXPECT_EQ(count, 1) << "written in " << count << " places: " << name;

  const std::vector<std::string> handled = identifiersAfter(script, "\non envVar ");
  const std::set<std::string> distinct(handled.begin(), handled.end());
  EXPECT_EQ(distinct.size(), handled.size()) << "two handlers share a variable";
  for (const std::string& name : distinct) EXPECT_EQ(variables.count(name), 1u) << "handled, not in the database: " << name;
}

// The header compiles as strict C99 and each of its macros is defined once.
void expectHeaderCompiles(const TempDir& dir) {
  writeFile(dir.file("use.c"), "#include \"macros.h\"\nint main(void) { return 0; }\n");
  const CommandResult compiled = runCommand("cd " + shellQuote(dir.path()) +
                                            " && cc -std=c99 -Wall -Wextra -pedantic -Werror -c -o use.o use.c");
  EXPECT_EQ(compiled.exitCode, 0) << compiled.output;
  const std::string header = readFile(dir.file("macros.h"));
  const std::vector<std::string> defined = testsupport::identifiersAfter(header, "\n#define ");
  EXPECT_EQ(std::set<std::string>(defined.begin(), defined.end()).size(), defined.size())
      << "a macro is defined twice";
}

// What follows "Adding environmant variables ..." up to the not-used report.
std::string signalPassReports(const std::string& output) {
  const std::string start = "Adding environmant variables to database \"./node.dbc\"...\n\n";
  const auto from = output.find(start);
  const auto to = output.find("\nsignals not used:");
  if (from == std::string::npos || to == std::string::npos) return output;
  return output.substr(from + start.size(), to - from - start.size());
}

TEST(GeneratedFilesWork, RowGivenTwiceGetsCountedNamesAndIsReported) {
  TempDir dir;
  writeFile(dir.file("signals.ini"), kColumnMap);
  const std::string row = "6000,Object,1,16,Lamp,Lamp,4,2,,x,x,,,,\n";
  writeFile(dir.file("signals.csv"), std::string(kHeaderRow) + row + row + row);
  const CommandResult run = runProgram({"-m", "3", "-sdb", "./node.dbc", "-xls", "./signals.csv", "-out",
                                        "./node.cin", "-nme", "Taxi", "-tme", "Tester"},
                                       dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto report = [](const std::string& name) {
    return "The following signal is included twice:\n---------------------------------------\n"
           " Signal name:            \"Lamp\"\n Object:                 0x6000\n Sub object:             0x1\n"
           " Signal position:        4\n"
           " VARIABLE NAME TO DISPLAY THE VALUE ON A PANEL: \"sc_" + name + "\"\n"
           " VARIABLE NAME TO INITIATE AN SDO DOWNLOAD:     \"coval_" + name + "\"\n\n";
  };
  const std::string expected = report("lamp_obj6000_sub1_pos4") + report("lamp_obj6000_sub1_pos4_2");
  EXPECT_EQ(signalPassReports(run.output), expected);
  EXPECT_NE(readFile(dir.file("signals_log.txt")).find(testsupport::crlf(expected)), std::string::npos);
  const std::string script = readFile(dir.file("node.cin"));
  for (const char* name : {"sc_lamp", "sc_lamp_obj6000_sub1_pos4", "sc_lamp_obj6000_sub1_pos4_2"}) {
    EXPECT_NE(script.find(std::string("\non envVar ") + name + "\r\n"), std::string::npos) << name;
  }
}

TEST(GeneratedFilesWork, SharedMacroNamesAreReportedAfterTheHeaderIsWritten) {
  TempDir dir;
  writeFile(dir.file("signals.ini"), kColumnMap);
  writeFile(dir.file("signals.csv"), std::string(kHeaderRow) +
                                         "6001,Object,0,8,Dup 1,dup,0,1,,x,,,x,,\n"
                                         "6001,Object,0,8,Dup 2,Dup,1,1,,x,,,x,,\n"
                                         "6001,Object,0,8,Dup 3,DUP,1,1,,x,,,x,,\n"
                                         "6001,Object,1,8,Other,dup,0,1,,x,,,x,,\n");
  const CommandResult run = runProgram({"-m", "2", "-xls", "./signals.csv", "-out", "./macros.h", "-nme",
                                        "Dut", "-tme", "Tester"},
                                       dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const std::string warnings =
      "Warning: signals of object 0x6001sub0 share the macro name \"dup\"; signal \"Dup 1\" gets \"dup_pos0\"\n\n"
      "Warning: signals of object 0x6001sub0 share the macro name \"dup\"; signal \"Dup 2\" gets \"dup_pos1\"\n\n"
      "Warning: signals of object 0x6001sub0 share the macro name \"dup\"; signal \"Dup 3\" gets \"dup_pos1_2\"\n\n";
  // The sheet check sees the two signals at offset 1 first.
  const std::string overlap =
      "Warning: object 0x6001sub0: signals \"Dup 2\" (bits 1-1) and \"Dup 3\" (bits 1-1) overlap\n\n";
  EXPECT_NE(run.output.find("Scanning Excel sheet \"./signals.csv\"...\n\n" + overlap + warnings +
                            "\nmacros are generated for the following signals:\n"),
            std::string::npos)
      << run.output;
  EXPECT_EQ(readFile(dir.file("signals_log.txt")).rfind(testsupport::crlf(overlap + warnings), 0), 0u);
  EXPECT_NE(readFile(dir.file("macros.h")).find("#define sxu_dup_0x6001sub1(u)"), std::string::npos);
}

TEST(GeneratedFilesWork, RandomSheetsInEveryMode) {
  if (runCommand("command -v cc").exitCode != 0) GTEST_SKIP() << "no C compiler";
  constexpr int kSheets = 40;
  for (int seed = 1; seed <= kSheets; ++seed) {
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
    const std::string sheet = randomSheet(random);
    SCOPED_TRACE("seed " + std::to_string(seed) + ", sheet:\n" + sheet);
    TempDir dir;
    writeFile(dir.file("signals.csv"), sheet);
    writeFile(dir.file("signals.ini"), kColumnMap);

    const CommandResult macros = runProgram({"-m", "2", "-xls", "./signals.csv", "-out", "./macros.h", "-nme",
                                             "Dut", "-tme", "Tester", "-mex", "ULL"},
                                            dir.path());
    ASSERT_EQ(macros.exitCode, 0) << macros.output;
    expectHeaderCompiles(dir);

    for (const char* mode : {"1", "3"}) {
      SCOPED_TRACE(std::string("mode ") + mode);
      const std::string output = std::string("./node.") + (mode[0] == '1' ? "can" : "cin");
      const CommandResult run = runProgram({"-m", mode, "-id", "5", "-idt", "6", "-sdb", "./node.dbc", "-deldb",
                                            "-xls", "./signals.csv", "-out", output, "-nme", "Taxi", "-tme",
                                            "Tester"},
                                           dir.path());
      ASSERT_EQ(run.exitCode, 0) << run.output;
      expectScriptFitsDatabase(readFile(dir.file(output)), readFile(dir.file("node.dbc")));
    }
  }
}

}  // namespace
