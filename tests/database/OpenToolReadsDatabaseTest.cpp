// An open tool (canmatrix, through python3) reads the databases we write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "database/EnvVarDatabaseWriter.h"
#include "database/VariableAttributes.h"

namespace {

using testsupport::crlf;
using testsupport::readFile;
using testsupport::runCommand;
using testsupport::shellQuote;
using testsupport::TempDir;
using testsupport::writeFile;
using OpenResult = EnvVarDatabaseWriter::OpenResult;

// A python3 that can import canmatrix, or "" (the system's own python3 first:
// another one earlier in PATH may lack the system's packages).
std::string pythonWithCanmatrix() {
  for (const char* python : {"/usr/bin/python3", "python3"}) {
    if (runCommand(std::string(python) + " -c 'import canmatrix.formats'").exitCode == 0) return python;
  }
  return std::string();
}

// Runs the checking script on a database with the expectations given.
testsupport::CommandResult checkWithCanmatrix(const std::string& python, const TempDir& dir,
                                              const std::string& database, const std::string& expectations) {
  const std::string expectationFile = dir.file("expected.txt");
  writeFile(expectationFile, expectations);
  const std::string script = std::string(CO447GEN_SOURCE_DIR) + "/tests/database/check_dbc.py";
  return runCommand(python + " " + shellQuote(script) + " " + shellQuote(database) + " " +
                    shellQuote(expectationFile));
}

struct Variable {
  std::string name;
  int32_t typeCode;
  uint64_t maximum, initial;
  std::string expected;  // type, minimum, maximum and initial value as canmatrix reports them
};

// One variable of every kind a run enters.
const std::vector<Variable>& everyKind() {
  static const std::vector<Variable> variables = {
      {"ID_Taximeter", kTypeCodeNumeric, 16, 0, "0 0 16 0"},
      {"ID_Dut", kTypeCodeNumeric, 16, 0, "0 0 16 0"},
      {"ID_Tester", kTypeCodeNumeric, 16, 0, "0 0 16 0"},
      {"ID_ActualClient", kTypeCodeNumeric, 16, 0, "0 0 16 0"},
      {"sc_roof_light", kTypeCodeNumeric, 1, 0, "0 0 1 0"},
      {"coval_roof_light", kTypeCodeNumeric, maxValueOfBits(1), maxValueOfBits(1), "0 0 1 1"},
      {"sc_fare_limit", kTypeCodeNumeric, 1, 0, "0 0 1 0"},
      {"coval_fare_limit", kTypeCodeNumeric, maxValueOfBits(32), maxValueOfBits(32), "0 0 4294967295 4294967295"},
      {"sc_trip_code", kTypeCodeNumeric, 1, 0, "0 0 1 0"},
      {"coval_trip_code", kTypeCodeString, maxValueOfBits(40), maxValueOfBits(40), "2 0 0 0"},
      {"gs_taxi_state", kTypeCodeNumeric, 1, 0, "0 0 1 0"},
      {"stval_0x6000_0x1", kTypeCodeNumeric, maxValueOfBits(32), 0, "0 0 4294967295 0"},
      {"stval_taxi_state", kTypeCodeNumeric, maxValueOfBits(8), 0, "0 0 255 0"},
      {"gs_serial_number", kTypeCodeNumeric, 1, 0, "0 0 1 0"},
      {"stval_0x6010_0x2", kTypeCodeString, maxValueOfBits(64), 0, "2 0 0 0"},
      {"stval_serial_number", kTypeCodeString, maxValueOfBits(48), 0, "2 0 0 0"},
      {"stval_a_signal_name_that_is_longer_than_thirty_two_characters", kTypeCodeNumeric, 3, 0, "0 0 3 0"},
  };
  return variables;
}

bool addAll(EnvVarDatabaseWriter& writer) {
  for (const Variable& v : everyKind()) {
    if (!writer.addVariable(v.name, kVariableCodeReadWrite, v.typeCode, 0, v.maximum, v.initial)) return false;
  }
  return true;
}

std::string expectedVariables() {
  std::string text;
  for (const Variable& v : everyKind()) text += "ev " + v.name + " " + v.expected + "\n";
  return text;
}

TEST(OpenToolReadsDatabase, EveryVariableKindOfANewDatabase) {
  const std::string python = pythonWithCanmatrix();
  if (python.empty()) GTEST_SKIP() << "python3 with canmatrix is not installed";
  TempDir dir;
  const std::string path = dir.file("node.dbc");
  EnvVarDatabaseWriter writer("Tester");
  ASSERT_EQ(writer.openOrCreateDatabase(path), OpenResult::Created);
  ASSERT_TRUE(addAll(writer));
  ASSERT_TRUE(writer.saveAndClose());
  const auto result = checkWithCanmatrix(python, dir, path, expectedVariables() + "node Tester\n");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("ok\n"), std::string::npos) << result.output;
}

// Messages, signals, comments (one over several lines), attributes and
// value tables survive; the only change is the block of new variables
// before the first comment. Checked with LF and with CR LF line ends.
TEST(OpenToolReadsDatabase, ExistingDatabaseKeepsEverythingElse) {
  const std::string python = pythonWithCanmatrix();
  const std::string original = readFile(testsupport::dataPath("database/taxi.dbc"));
  ASSERT_NE(original.find("\nCM_ "), std::string::npos);
  for (const bool crLf : {false, true}) {
    TempDir dir;
    const std::string path = dir.file("taxi.dbc");
    const std::string before = crLf ? crlf(original) : original;
    writeFile(path, before);
    EnvVarDatabaseWriter writer("Taximeter");
    ASSERT_EQ(writer.openOrCreateDatabase(path), OpenResult::Opened) << writer.errorText();
    ASSERT_TRUE(addAll(writer));
    ASSERT_TRUE(writer.saveAndClose());

    std::string block;
    int id = 1;
    for (const Variable& v : everyKind()) {
      const bool isString = v.typeCode == kTypeCodeString;
      block += "EV_ " + v.name + ": " + std::to_string(v.typeCode) + " [0|" +
               std::to_string(isString ? 0 : v.maximum) + "] \"\" " + std::to_string(isString ? 0 : v.initial) +
               " " + std::to_string(id++) + (isString ? " DUMMY_NODE_VECTOR8003" : " DUMMY_NODE_VECTOR3") +
               " Taximeter;\n";
    }
    const std::size_t firstComment = before.find(crLf ? "\r\nCM_ " : "\nCM_ ") + (crLf ? 2 : 1);
    const std::string expected =
        before.substr(0, firstComment) + (crLf ? crlf(block) : block) + before.substr(firstComment);
    EXPECT_EQ(readFile(path), expected) << (crLf ? "CR LF" : "LF");

    if (python.empty()) continue;
    const auto result = checkWithCanmatrix(python, dir, path,
                                           expectedVariables() +
                                               "frame TaximeterStatus TaxiState Fare Distance\n"
                                               "frame RoofBarCommand RoofLight Brightness\n"
                                               "node Taximeter\nnode TariffDisplay\nnode RoofBar\n");
    EXPECT_EQ(result.exitCode, 0) << result.output;
  }
  if (python.empty()) GTEST_SKIP() << "python3 with canmatrix is not installed; bytes were compared";
}

// Databases of other tools, extended: a comment line and a comment before
// the messages (the variables go after them), and variables under the
// long names database editors keep in an attribute (none added twice).
TEST(OpenToolReadsDatabase, ExtendedDatabasesOfOtherTools) {
  const std::string python = pythonWithCanmatrix();
  if (python.empty()) GTEST_SKIP() << "python3 with canmatrix is not installed";
  const struct {
    const char* fixture;
    std::string expected;  // beyond everyKind
  } cases[] = {
      {"long-names.dbc",
       "ev stval_a_status_signal_with_a_very_long_name 0 0 255 0\n"
       "ev coval_a_command_signal_with_a_long_name_too 0 0 0 0\nev EnvSpeed 1 -1.5 1000 0.5\n"
       "frame TaximeterStatus TaxiState\n"},
      {"comment-first.dbc",
       "ev stval_a_status_signal_with_a_very_long_name 0 0 255 0\n"
       "ev coval_a_command_signal_with_a_long_name_too 0 0 255 0\n"
       "frame TaximeterStatus TaxiState Fare\nframe RoofBarCommand RoofLight Brightness\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fixture);
    TempDir dir;
    const std::string path = dir.file("bench.dbc");
    writeFile(path, readFile(testsupport::dataPath(std::string("database/") + c.fixture)));
    EnvVarDatabaseWriter writer("Tester");
    ASSERT_EQ(writer.openOrCreateDatabase(path), OpenResult::Opened) << writer.errorText();
    ASSERT_TRUE(addAll(writer));
    for (const char* name :
         {"stval_a_status_signal_with_a_very_long_name", "coval_a_command_signal_with_a_long_name_too"}) {
      ASSERT_TRUE(writer.addVariable(name, kVariableCodeReadWrite, kTypeCodeNumeric, 0, 255, 0));
    }
    ASSERT_TRUE(writer.saveAndClose());
    const auto result = checkWithCanmatrix(python, dir, path, expectedVariables() + c.expected + "node Tester\n");
    EXPECT_EQ(result.exitCode, 0) << result.output;
  }
}

}  // namespace
