// End to end: runs the built program in a temporary directory on committed
// fixture sheets and compares console, log, relations file, database and
// output with reviewed golden files (tests/data/app/golden). Setting
// CO447GEN_UPDATE_GOLDEN=1 rewrites the golden files from the actual run;
// review the difference before committing it. (Runs that need POSIX to
// fail: GenerationRunTest-posix.cpp.)
//
// basic.xlsx is basic.csv saved as a workbook whose worksheet is "Signals":
// copy basic.csv to Signals.csv and run
//   soffice --headless --infilter="CSV:44,34,76,1,1/2/2/1/3/2/4/1" --convert-to xlsx Signals.csv
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "app/RunFixtures.h"

namespace {

using testsupport::CommandResult;
using testsupport::crlf;
using testsupport::dataPath;
using testsupport::readFile;
using testsupport::runProgram;
using testsupport::TempDir;
using testsupport::writeFile;

namespace fs = std::filesystem;

const std::string kBanner =
    "\n" + std::string(76, '-') +
    "\n    co447gen 1.0.0 - CANopen CiA 447 signal mapper and macro generator\n"
    "    Copyright (C) 2026 the co447gen developers\n" +
    std::string(76, '-') + "\n\n";

// Copies a fixture sheet and its column map into dir as signals.<ext> and
// signals.ini, so that the log and relations files land in dir too.
void placeSheet(const TempDir& dir, const std::string& fixture, const std::string& extension = ".csv") {
  fs::copy_file(dataPath("app/" + fixture + extension), dir.file("signals" + extension));
  fs::copy_file(dataPath("app/" + fixture + ".ini"), dir.file("signals.ini"));
}

std::vector<std::string> mode1Arguments(const std::string& sheet = "./signals.csv") {
  return {"-m", "1", "-id", "5", "-idt", "16", "-sdb", "./taxi.dbc", "-xls", sheet,
          "-out", "./tester.can", "-nme", "Taxi Meter", "-tme", "Tester", "-vd_taxm", "-vd_tard"};
}
std::vector<std::string> mode2Arguments(const std::string& sheet = "./signals.csv") {
  return {"-m", "2", "-xls", sheet, "-out", "./macros.h", "-nme", "Taximeter", "-tme", "Tester", "-mex", "ULL"};
}
std::vector<std::string> mode3Arguments(const std::string& sheet = "./signals.csv") {
  return {"-m", "3", "-sdb", "./taxi.dbc", "-xls", sheet, "-out", "./node.cin", "-nme", "Taximeter", "-tme", "Tester"};
}

// What follows the banner; fails the test when the banner is missing.
std::string afterBanner(const CommandResult& result) {
  EXPECT_EQ(result.output.rfind(kBanner, 0), 0u) << result.output;
  return result.output.rfind(kBanner, 0) == 0 ? result.output.substr(kBanner.size()) : result.output;
}

// The mode 2 header records the date and time it was generated; those two
// values differ from run to run and are masked.
std::string maskGenerationTime(std::string text) {
  for (const std::string label : {"generation date: ", "generation time: "}) {
    const auto start = text.find(label);
    if (start == std::string::npos) continue;
    const auto valueStart = start + label.size();
    const auto valueEnd = text.find_first_of("\r\n", valueStart);
    text.replace(valueStart, valueEnd - valueStart, "<masked>");
  }
  return text;
}

// Every occurrence of from replaced by to.
std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// Compares with a golden file; on a difference, names the first differing
// line rather than printing both files whole.
void expectGolden(const std::string& name, const std::string& actual) {
  const std::string path = dataPath("app/golden/" + name);
  if (std::getenv("CO447GEN_UPDATE_GOLDEN") != nullptr) {
    fs::create_directories(fs::path(path).parent_path());
    writeFile(path, actual);
    return;
  }
  ASSERT_TRUE(fs::exists(path)) << "missing golden file " << name;
  const std::string expected = readFile(path);
  if (expected == actual) return;
  std::size_t line = 1, start = 0;
  std::size_t i = 0;
  for (; i < expected.size() && i < actual.size() && expected[i] == actual[i]; ++i) {
    if (expected[i] == '\n') {
      ++line;
      start = i + 1;
    }
  }
  const auto lineAt = [&](const std::string& text) { return text.substr(start, text.find('\n', start) - start); };
  ADD_FAILURE() << name << " differs in line " << line << ":\n expected: " << lineAt(expected)
                << "\n   actual: " << lineAt(actual);
}

struct ModeCase {
  std::string name;
  std::vector<std::string> (*arguments)(const std::string&);
  std::string output;  // file name in the work directory
  bool nodeScript;     // modes 1 and 3: database and relations file
};

const std::vector<ModeCase> kModes = {
    {"mode1", mode1Arguments, "tester.can", true},
    {"mode2", mode2Arguments, "macros.h", false},
    {"mode3", mode3Arguments, "node.cin", true},
};

TEST(GenerationRun, EveryModeMatchesItsGoldenFiles) {
  for (const ModeCase& mode : kModes) {
    SCOPED_TRACE(mode.name);
    TempDir dir;
    placeSheet(dir, "basic");
    const CommandResult result = runProgram(mode.arguments("./signals.csv"), dir.path());
    EXPECT_EQ(result.exitCode, 0) << result.output;
    expectGolden(mode.name + "/console.txt", afterBanner(result));
    expectGolden(mode.name + "/signals_log.txt", readFile(dir.file("signals_log.txt")));
    const std::string output = readFile(dir.file(mode.output));
    expectGolden(mode.name + "/" + mode.output, mode.nodeScript ? output : maskGenerationTime(output));
    EXPECT_EQ(testsupport::exists(dir.file("object_signal_relations.txt")), mode.nodeScript);
    EXPECT_EQ(testsupport::exists(dir.file("taxi.dbc")), mode.nodeScript);
    if (mode.nodeScript) {
      expectGolden(mode.name + "/object_signal_relations.txt", readFile(dir.file("object_signal_relations.txt")));
      expectGolden(mode.name + "/taxi.dbc", readFile(dir.file("taxi.dbc")));
    }
  }
}

TEST(GenerationRun, Mode3EntersTheNodeVariablesToo) {
  TempDir dir;
  placeSheet(dir, "basic");
  ASSERT_EQ(runProgram(mode3Arguments(), dir.path()).exitCode, 0);
  const std::string database = readFile(dir.file("taxi.dbc"));
  for (const char* name : {"ID_Taximeter", "ID_Dut", "ID_Tester", "ID_ActualClient"}) {
    EXPECT_NE(database.find(std::string("EV_ ") + name + ": 0 [0|16] \"\" 0 "), std::string::npos) << name;
  }
}

// The database line of one variable, without its line end.
std::string variableLine(const std::string& database, const std::string& name) {
  const auto start = database.find(std::string("EV_ ") + name + ":");
  if (start == std::string::npos) return "";
  return database.substr(start, database.find('\r', start) - start);
}

TEST(GenerationRun, SecondRunKeepsOldAttributesUnlessTheDatabaseIsDeleted) {
  TempDir dir;
  placeSheet(dir, "basic");
  const CommandResult first = runProgram(mode1Arguments(), dir.path());
  ASSERT_EQ(first.exitCode, 0) << first.output;
  const std::string firstDatabase = readFile(dir.file("taxi.dbc"));
  const std::string firstOutput = readFile(dir.file("tester.can"));
  EXPECT_EQ(variableLine(firstDatabase, "stval_taxi_state").substr(0, 34), "EV_ stval_taxi_state: 0 [0|255] \"\"");

  // Taxi State shrinks from 8 to 4 bits.
  std::string sheet = readFile(dir.file("signals.csv"));
  const std::string row = "Taxi State,TaxiState,0,8,";
  sheet.replace(sheet.find(row), row.size(), "Taxi State,TaxiState,0,4,");
  writeFile(dir.file("signals.csv"), sheet);

  const CommandResult second = runProgram(mode1Arguments(), dir.path());
  ASSERT_EQ(second.exitCode, 0) << second.output;
  EXPECT_NE(second.output.find("Creating emtpty database \"./taxi.dbc\"...\n\n"), std::string::npos);
  EXPECT_EQ(second.output.find("Deleting Database"), std::string::npos);
  EXPECT_NE(second.output.find("Deleting output file \"./tester.can\"...\n\n"
                               "Generating output file \"./tester.can\"...\n\n"),
            std::string::npos);
  EXPECT_EQ(readFile(dir.file("taxi.dbc")), firstDatabase);
  // The old output was deleted, not appended to.
  EXPECT_EQ(readFile(dir.file("tester.can")).size(), firstOutput.size());

  std::vector<std::string> arguments = mode1Arguments();
  arguments.push_back("-deldb");
  const CommandResult third = runProgram(arguments, dir.path());
  ASSERT_EQ(third.exitCode, 0) << third.output;
  EXPECT_NE(third.output.find("Creating emtpty database \"./taxi.dbc\"...\n\n"
                              "Deleting Database \"./taxi.dbc\"\n\n"
                              "Adding environmant variables to database \"./taxi.dbc\"...\n\n"),
            std::string::npos);
  EXPECT_EQ(variableLine(readFile(dir.file("taxi.dbc")), "stval_taxi_state").substr(0, 33),
            "EV_ stval_taxi_state: 0 [0|15] \"\"");
}

// Against the database of the run before, a sheet that widened a signal,
// grew an object past 32 bits and lost a signal: each variable that keeps
// other attributes than the sheet needs is reported once, on the console
// and in the log, with what to do; the database is written as before, and
// the variables of the lost signal are neither touched nor reported.
TEST(GenerationRun, VariablesThatKeepOldAttributesAreReported) {
  TempDir dir;
  placeSheet(dir, "basic");
  ASSERT_EQ(runProgram(mode1Arguments(), dir.path()).exitCode, 0);
  const std::string firstDatabase = readFile(dir.file("taxi.dbc"));
  std::string sheet = readFile(dir.file("signals.csv"));
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"Taxi State,TaxiState,0,8,", "Taxi State,TaxiState,0,12,"},
           {"6002,Roof lamp status,2,8,", "6002,Roof lamp status,2,40,"},
           {"60A0,Driver identification,1A,16,Driver Id,DriverId,0,16,,x,,,x,,\n", ""}}) {
    ASSERT_NE(sheet.find(from), std::string::npos) << from;
    sheet.replace(sheet.find(from), from.size(), to);
  }
  writeFile(dir.file("signals.csv"), sheet);

  const CommandResult second = runProgram(mode1Arguments(), dir.path());
  ASSERT_EQ(second.exitCode, 0) << second.output;
  const std::string report =
      "Warning: environment variable \"stval_taxi_state\" keeps integer 0 to 255 starting at 0; "
      "the sheet needs integer 0 to 4095 starting at 0\n\n"
      "Warning: environment variable \"stval_0x6002_0x2\" keeps integer 0 to 255 starting at 0; "
      "the sheet needs string\n\n"
      "Warning: environment variable \"stval_lamp\" keeps integer 0 to 1 starting at 0; the sheet needs string\n\n"
      "Database \"./taxi.dbc\" keeps the variables above as they are: run with -deldb if it holds nothing else "
      "you need, or remove them from it\n\n";
  EXPECT_NE(second.output.find("\n\n" + report + "\nsignals not used:\n"), std::string::npos) << second.output;
  EXPECT_NE(readFile(dir.file("signals_log.txt")).find(crlf(report)), std::string::npos);
  EXPECT_EQ(readFile(dir.file("taxi.dbc")), firstDatabase);
}

TEST(GenerationRun, Mode2SheetOfOnlyReservedSignalsGivesEmptyListsAndAHeader) {
  TempDir dir;
  placeSheet(dir, "reserved-only");
  const CommandResult result = runProgram(mode2Arguments(), dir.path());
  ASSERT_EQ(result.exitCode, 0) << result.output;
  const std::string emptyLists =
      "\nmacros are generated for the following signals:\n" + std::string(47, '-') +
      "\nINDEX    SUB    START    SIZE    SIGNAL NAME\n\n"
      "\nsignals bigger than 8 bit or passing byte boundaries:\n" + std::string(53, '-') +
      "\nINDEX    SUB    START    SIZE    SIGNAL NAME\n\n"
      "\nsignals not used:\n-----------------\nINDEX    SUB    START    SIZE    SIGNAL NAME\n\n";
  EXPECT_EQ(afterBanner(result),
            "Generated output file: \"./macros.h\"\n"
            "Used Excel sheet:      \"./signals.csv\"\n"
            "Error logging file:    \"./signals_log.txt\"\n\n"
            "Scanning Excel sheet \"./signals.csv\"...\n\n" +
                emptyLists);
  EXPECT_EQ(readFile(dir.file("signals_log.txt")), crlf(emptyLists));
  const std::string header = readFile(dir.file("macros.h"));
  EXPECT_FALSE(header.empty());
  for (const char* name : {"ResLow", "ResHigh", "ResCmd"}) {
    EXPECT_EQ(header.find(name), std::string::npos) << name;
  }
}

TEST(GenerationRun, WorkbookAndCsvOfTheSameSheetGiveTheSameFiles) {
  for (const ModeCase& mode : kModes) {
    SCOPED_TRACE(mode.name);
    TempDir csv, workbook;
    placeSheet(csv, "basic");
    placeSheet(workbook, "basic", ".xlsx");
    const CommandResult fromCsv = runProgram(mode.arguments("./signals.csv"), csv.path());
    const CommandResult fromWorkbook = runProgram(mode.arguments("./signals.xlsx"), workbook.path());
    ASSERT_EQ(fromWorkbook.exitCode, 0) << fromWorkbook.output;
    EXPECT_EQ(replaceAll(fromWorkbook.output, "signals.xlsx", "signals.csv"), fromCsv.output);
    for (const char* file : {"signals_log.txt", "object_signal_relations.txt", "taxi.dbc"}) {
      EXPECT_EQ(readFile(workbook.file(file)), readFile(csv.file(file))) << file;
    }
    EXPECT_EQ(maskGenerationTime(readFile(workbook.file(mode.output))),
              maskGenerationTime(readFile(csv.file(mode.output))));
  }
}

TEST(GenerationRun, BundledExampleRunsInEveryMode) {
  for (const ModeCase& mode : kModes) {
    SCOPED_TRACE(mode.name);
    TempDir dir;
    const std::string examples = std::string(CO447GEN_SOURCE_DIR) + "/examples/";
    fs::copy_file(examples + "ds447-taxi-signals.xlsx", dir.file("signals.xlsx"));
    fs::copy_file(examples + "ds447-taxi-signals.ini", dir.file("signals.ini"));
    const CommandResult result = runProgram(mode.arguments("./signals.xlsx"), dir.path());
    ASSERT_EQ(result.exitCode, 0) << result.output;
    // One bad row (a size with a unit); the unused row is skipped silently.
    EXPECT_NE(result.output.find("Not readed objects:\n-------------------\n"
                                 "Excel data row 41 is incomplete or errorneous\n\n"),
              std::string::npos);
    EXPECT_EQ(result.output.find("included twice") != std::string::npos, mode.nodeScript);
    // Its layout is sound: the sheet check finds nothing.
    EXPECT_EQ(result.output.find("Warning:"), std::string::npos) << result.output;
    EXPECT_GT(readFile(dir.file(mode.output)).size(), 1000u);
  }
}

// ---- Runs that end early: their message, "ERROR GENERATING", exit code 2.

const std::string kMode1Settings =
    "Generation mode:       1 (tester node)\n"
    "DUT node ID:           5\n"
    "Tester node ID:        16\n"
    "DUT devcie name:       Taxi_Meter\n"
    "Tester name:           Tester\n"
    "Generated database:    \"./taxi.dbc\"\n"
    "Generated NOSL file:   \"./tester.can\"\n"
    "Used Excel sheet:      \"./signals.csv\"\n"
    "Error logging file:    \"./signals_log.txt\"\n\n";
const std::string kMode2Start =
    "Generated output file: \"./macros.h\"\n"
    "Used Excel sheet:      \"./signals.csv\"\n"
    "Error logging file:    \"./signals_log.txt\"\n\n";

TEST(GenerationRunFailure, LogFileOrSheetCannotBeOpened) {
  struct Case {
    std::string name;
    void (*prepare)(const TempDir&);
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"log path is a directory",
       [](const TempDir& dir) {
         placeSheet(dir, "basic");
         fs::create_directory(dir.file("signals_log.txt"));
       },
       kMode2Start + "Error opening error logging file \"./signals_log.txt\"\nERROR GENERATING\n"},
      {"column map missing",
       [](const TempDir& dir) { fs::copy_file(dataPath("app/basic.csv"), dir.file("signals.csv")); },
       kMode2Start + "Scanning Excel sheet \"./signals.csv\"...\n\n"
                     "Error opening Ecxel sheet \"./signals.csv\"\n"
                     "ini file \"./signals.ini\" does not exist\nERROR GENERATING\n"},
      {"sheet missing",
       [](const TempDir& dir) { fs::copy_file(dataPath("app/basic.ini"), dir.file("signals.ini")); },
       kMode2Start + "Scanning Excel sheet \"./signals.csv\"...\n\n"
                     "Error opening Ecxel sheet \"./signals.csv\"\n"
                     "Specified Excel document doesn't exist\n\nERROR GENERATING\n"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    c.prepare(dir);
    const CommandResult result = runProgram(mode2Arguments(), dir.path());
    EXPECT_EQ(result.exitCode, 2) << c.name;
    EXPECT_EQ(afterBanner(result), c.expected) << c.name;
    EXPECT_FALSE(testsupport::exists(dir.file("macros.h"))) << c.name;
  }
}

TEST(GenerationRunFailure, DatabaseCannotBeOpened) {
  TempDir dir;
  placeSheet(dir, "basic");
  // Not a text file, so not a database; it stays as it is.
  const std::string notADatabase("BU_: \0\0\1binary", 15);
  writeFile(dir.file("taxi.dbc"), notADatabase);
  const CommandResult result = runProgram(mode1Arguments(), dir.path());
  EXPECT_EQ(result.exitCode, 2);
  const std::string text = afterBanner(result);
  // Why, on the console and in the log.
  const std::string why = "Database \"./taxi.dbc\" cannot be opened\nline 1: a NUL byte, which no text file holds\n\n";
  const std::string tail = "Creating emtpty database \"./taxi.dbc\"...\n\n" + why + "ERROR GENERATING\n";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << text;
  EXPECT_TRUE(runfixtures::endsWith(readFile(dir.file("signals_log.txt")), crlf(why)));
  EXPECT_EQ(readFile(dir.file("taxi.dbc")), notADatabase);
  EXPECT_FALSE(testsupport::exists(dir.file("tester.can")));
}

TEST(GenerationRunFailure, DatabaseCannotBeCreated) {
  TempDir dir;
  placeSheet(dir, "basic");
  // A directory in place of the database: no file to open, none can be made.
  fs::create_directories(dir.file("taxi.dbc/keep"));
  std::vector<std::string> arguments = mode1Arguments();
  arguments.push_back("-deldb");
  const CommandResult result = runProgram(arguments, dir.path());
  EXPECT_EQ(result.exitCode, 2);
  const std::string tail = "Creating emtpty database \"./taxi.dbc\"...\n\n"
                           "Deleting Database \"./taxi.dbc\"\n\n"
                           "Database \"./taxi.dbc\" cannot be created\nERROR GENERATING\n";
  ASSERT_GE(result.output.size(), tail.size());
  EXPECT_EQ(result.output.substr(result.output.size() - tail.size()), tail) << result.output;
  // -deldb never removes a directory.
  EXPECT_TRUE(fs::is_directory(dir.file("taxi.dbc/keep")));
  EXPECT_FALSE(testsupport::exists(dir.file("tester.can")));
}

TEST(GenerationRunFailure, VariableThatCannotBeAddedEndsTheRunUnsaved) {
  TempDir dir;
  placeSheet(dir, "basic");
  // The ids of this database run out after two more variables, so the
  // third variable of the first signal cannot be entered.
  const std::string database =
      "VERSION \"\"\r\n\r\nNS_ :\r\n\r\nBS_:\r\n\r\nBU_: Tester\r\n\r\n"
      "EV_ ID_Taxi_Meter: 0 [0|16] \"\" 0 1 DUMMY_NODE_VECTOR3 Tester;\r\n"
      "EV_ ID_Dut: 0 [0|16] \"\" 0 2 DUMMY_NODE_VECTOR3 Tester;\r\n"
      "EV_ ID_Tester: 0 [0|16] \"\" 0 3 DUMMY_NODE_VECTOR3 Tester;\r\n"
      "EV_ ID_ActualClient: 0 [0|16] \"\" 0 4 DUMMY_NODE_VECTOR3 Tester;\r\n"
      "EV_ last_id: 0 [0|1] \"\" 0 18446744073709551613 DUMMY_NODE_VECTOR3 Tester;\r\n";
  writeFile(dir.file("taxi.dbc"), database);
  const CommandResult result = runProgram(mode1Arguments(), dir.path());
  EXPECT_EQ(result.exitCode, 2);
  const std::string tail = "Adding environmant variables to database \"./taxi.dbc\"...\n\n"
                           "Error adding environmant variable \"stval_taxi_state\"\n\nERROR GENERATING\n";
  ASSERT_GE(result.output.size(), tail.size());
  EXPECT_EQ(result.output.substr(result.output.size() - tail.size()), tail) << result.output;
  const std::string log = readFile(dir.file("signals_log.txt"));
  const std::string logTail = crlf("Error adding environmant variable \"stval_taxi_state\"\n\n");
  ASSERT_GE(log.size(), logTail.size());
  EXPECT_EQ(log.substr(log.size() - logTail.size()), logTail);
  EXPECT_EQ(readFile(dir.file("taxi.dbc")), database);
  EXPECT_FALSE(testsupport::exists(dir.file("tester.can")));
  // The relations file keeps its header; the signal never got its line.
  EXPECT_EQ(readFile(dir.file("object_signal_relations.txt")),
            crlf("Relations between objects and environment variables:\n" + std::string(52, '-') + "\n\n"));
}

// A directory where the output goes: nothing is deleted or written.
TEST(GenerationRunFailure, DirectoryInPlaceOfTheOutput) {
  TempDir dir;
  placeSheet(dir, "basic");
  fs::create_directory(dir.file("macros.h"));
  const CommandResult result = runProgram(mode2Arguments(), dir.path());
  EXPECT_EQ(result.exitCode, 2);
  // Found before the run names its other files.
  EXPECT_EQ(afterBanner(result), "Generated output file: \"./macros.h\"\n"
                                 "Error writing output file \"./macros.h\"\n\nERROR GENERATING\n");
  EXPECT_TRUE(fs::is_directory(dir.file("macros.h")));
}

// An output that cannot be made (a name longer than any file system takes)
// ends modes 1 and 3 before the database is saved; old output and database
// stay as they were. (A directory the user may not write:
// BadInput.OutputDirectoryNotWritable.)
TEST(GenerationRunFailure, OutputThatCannotBeMadeLeavesTheDatabaseAsItWas) {
  const std::string output = "./" + std::string(300, 'o') + ".can";
  for (std::vector<std::string> arguments : {mode1Arguments(), mode3Arguments()}) {
    SCOPED_TRACE(arguments[1]);
    TempDir dir;
    placeSheet(dir, "basic");
    const std::string database = "VERSION \"\"\r\n\r\nBU_: Tester\r\n";
    writeFile(dir.file("taxi.dbc"), database);
    arguments[arguments[1] == "1" ? 11 : 7] = output;
    const CommandResult result = runProgram(arguments, dir.path());
    EXPECT_EQ(result.exitCode, 2);
    const std::string tail = "Error writing output file \"" + output + "\"\n\nERROR GENERATING\n";
    EXPECT_EQ(result.output.substr(result.output.size() - std::min(result.output.size(), tail.size())), tail)
        << result.output;
    EXPECT_EQ(result.output.find("Saving database"), std::string::npos);
    EXPECT_EQ(readFile(dir.file("taxi.dbc")), database);
    EXPECT_EQ(testsupport::listing(dir.path()).find("co447gen-"), std::string::npos);
  }
}

TEST(GenerationRunFailure, RelationsFileThatCannotBeOpenedIsReportedAndTheRunGoesOn) {
  TempDir dir;
  placeSheet(dir, "basic");
  fs::create_directory(dir.file("object_signal_relations.txt"));
  const CommandResult result = runProgram(mode1Arguments(), dir.path());
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(afterBanner(result).rfind("Relations file \"./object_signal_relations.txt\" cannot be opened\n\n" +
                                          kMode1Settings,
                                      0),
            0u)
      << result.output;
  EXPECT_TRUE(fs::is_directory(dir.file("object_signal_relations.txt")));
  EXPECT_GT(readFile(dir.file("tester.can")).size(), 0u);
}

TEST(GenerationRun, SecondRunReplacesLogAndRelationsFiles) {
  TempDir dir;
  placeSheet(dir, "basic");
  ASSERT_EQ(runProgram(mode3Arguments(), dir.path()).exitCode, 0);
  const std::string relations = readFile(dir.file("object_signal_relations.txt"));
  const std::string log = readFile(dir.file("signals_log.txt"));
  ASSERT_EQ(runProgram(mode3Arguments(), dir.path()).exitCode, 0);
  EXPECT_EQ(readFile(dir.file("object_signal_relations.txt")), relations);
  EXPECT_EQ(readFile(dir.file("signals_log.txt")), log);
}

}  // namespace
