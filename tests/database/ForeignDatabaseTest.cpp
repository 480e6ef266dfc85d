// Databases that other tools wrote: comment lines, long variable names kept
// in attributes, comments before the messages, and variables whose
// attributes differ from what a run asks for.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "database/EnvVarDatabaseWriter.h"
#include "database/VariableAttributes.h"

namespace {

using testsupport::readFile;
using testsupport::TempDir;
using OpenResult = EnvVarDatabaseWriter::OpenResult;

const std::string kVariableA = "EV_ a: 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR3 Tester;\n";
const std::string kMessage = "BO_ 1 M: 8 Tester\n SG_ S : 0|8@1+ (1,0) [0|255] \"\" Tester\n";

// A file, with "$" where "gs_new" goes.
struct MarkedFile {
  const char* what;
  std::string marked;
};

// Adds "gs_new" to the file, once with LF and once with CR LF line ends.
void expectInsertedAt(const MarkedFile& file, const std::string& added) {
  SCOPED_TRACE(file.what);
  const std::string& marked = file.marked;
  const std::size_t at = marked.find('$');
  ASSERT_NE(at, std::string::npos);
  const std::string before = marked.substr(0, at) + marked.substr(at + 1);
  const std::string after = marked.substr(0, at) + added + marked.substr(at + 1);
  for (const bool crLf : {false, true}) {
    SCOPED_TRACE(crLf ? "CR LF" : "LF");
    TempDir dir;
    const std::string path = dir.file("old.dbc");
    testsupport::writeFile(path, crLf ? testsupport::crlf(before) : before);
    EnvVarDatabaseWriter writer("");
    ASSERT_EQ(writer.openOrCreateDatabase(path), OpenResult::Opened) << writer.errorText();
    EXPECT_FALSE(writer.variableExists("b"));
    ASSERT_TRUE(writer.addVariable("gs_new", kVariableCodeReadWrite, kTypeCodeNumeric, 0, 1, 0));
    ASSERT_TRUE(writer.saveAndClose());
    EXPECT_EQ(readFile(path), crLf ? testsupport::crlf(after) : after);
  }
}

// Lines whose first word starts with "//" are comments wherever a statement
// may start: kept byte for byte, holding no statement, and a quote in them
// opens no string. Inside a string such a line is text of the string.
TEST(ForeignDatabase, CommentLinesAreKept) {
  const std::string added = "EV_ gs_new: 0 [0|1] \"\" 0 2 DUMMY_NODE_VECTOR3 Tester;\n";
  const MarkedFile files[] = {
      {"before the first statement, with an open quote",
       "// made by \"hand\nVERSION \"\"\nBU_: Tester\n" + kVariableA + "$"},
      {"indented, between a message and its signals",
       "BU_: Tester\nBO_ 1 M: 8 Tester\n  // the signals\n SG_ S : 0|8@1+ (1,0) [0|255] \"\" Tester\n" + kVariableA +
           "$// the end"},
      {"between variables, looking like one",
       "BU_: Tester\n" + kVariableA + "//EV_ b: 0 [0|1] \"\" 0 5 DUMMY_NODE_VECTOR3 Tester;\n" +
                                                "EV_ c: 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR3 Tester;\n$CM_ \"x\";\n"},
      {"a string line that starts with //", "BU_: Tester\nCM_ \"first\n// second\";\n" + kVariableA + "$"},
  };
  for (const MarkedFile& file : files) expectInsertedAt(file, added);
}

// Without variables in the file, new ones follow the sections that precede
// them (node list, value tables, messages, their senders) even where a
// comment stands before or between the messages; a file in the format's
// order gets them before its first following section, as before.
TEST(ForeignDatabase, NewVariablesFollowTheMessagesWhereverCommentsStand) {
  const std::string added = "EV_ gs_new: 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR3 Tester;\n";
  const MarkedFile files[] = {
      {"a general comment before the messages",
       "BU_: Tester\n\nCM_ \"bench bus\";\n\n" + kMessage + "\n$CM_ BO_ 1 \"m\";\nBA_ \"X\" 1;\n"},
      {"a comment between the messages, none after", "BU_: Tester\n" + kMessage + "CM_ BO_ 1 \"m\";\n" +
                                                         "BO_ 2 N: 1 Tester\n\n$"},
      {"comments and attributes between value table and messages, senders last",
       "BU_: Tester\nVAL_TABLE_ T 1 \"on\" ;\nCM_ \"c\";\nBA_ \"X\" 1;\n" + kMessage +
           "BO_TX_BU_ 1 : Tester;\n$VAL_ 1 S 1 \"on\" ;\n"},
      {"a comment before the node list", "CM_ \"c\";\nBU_: Tester\n$BA_ \"X\" 1;\n"},
      {"the format's order", "VERSION \"\"\n\nBU_: Tester\n\n" + kMessage + "\n\n$CM_ \"c\";\nBA_ \"X\" 1;\n"},
  };
  for (const MarkedFile& file : files) expectInsertedAt(file, added);
}

// Database editors store a long name as a shortened "EV_" name and an
// attribute: the variable exists under its long name and is not added again.
TEST(ForeignDatabase, LongNamesOfEditorsNameTheirVariables) {
  const std::string original = readFile(testsupport::dataPath("database/long-names.dbc"));
  TempDir dir;
  testsupport::writeFile(dir.file("bench.dbc"), original);
  EnvVarDatabaseWriter writer("Tester");
  ASSERT_EQ(writer.openOrCreateDatabase(dir.file("bench.dbc")), OpenResult::Opened) << writer.errorText();
  for (const char* name :
       {"stval_a_status_signal_with_a_very_long_name", "coval_a_command_signal_with_a_long_name_too"}) {
    ASSERT_TRUE(writer.addVariable(name, kVariableCodeReadWrite, name[0] == 'c' ? kTypeCodeString : kTypeCodeNumeric, 0,
                                   255, 0));
  }
  ASSERT_TRUE(writer.saveAndClose());
  EXPECT_EQ(readFile(dir.file("bench.dbc")), original);
}

std::string describe(const KeptVariable& variable) {
  return variable.name + ": " + describeAttributes(variable.kept) + " / " + describeAttributes(variable.needed);
}

// A variable of the file that a run asks for with other attributes keeps
// its own and is noted once; a string has no range to differ in; the run's
// own variables are not compared.
TEST(ForeignDatabase, VariablesThatKeepOtherAttributesAreNoted) {
  const struct {
    std::string name;
    int32_t typeCode;
    uint64_t maximum, initial;
  } asked[] = {
      {"ID_Taximeter", kTypeCodeNumeric, 16, 0},
      {"stval_a_status_signal_with_a_very_long_name", kTypeCodeNumeric, 4095, 0},
      {"stval_a_status_signal_with_a_very_long_name", kTypeCodeString, 0, 0},
      {"coval_a_command_signal_with_a_long_name_too", kTypeCodeString, 255, 255},
      {"EnvSpeed", kTypeCodeNumeric, 1000, 0},
      {"ID_Taximeter", kTypeCodeString, 0, 0},
      {"stval_new", kTypeCodeNumeric, 1, 0},
      {"stval_new", kTypeCodeNumeric, 3, 0},
  };
  TempDir dir;
  const std::string path = dir.file("bench.dbc");
  testsupport::writeFile(path, readFile(testsupport::dataPath("database/long-names.dbc")));
  EnvVarDatabaseWriter writer("Tester");
  ASSERT_EQ(writer.openOrCreateDatabase(path), OpenResult::Opened) << writer.errorText();
  for (const auto& a : asked) {
    ASSERT_TRUE(writer.addVariable(a.name, kVariableCodeReadWrite, a.typeCode, 0, a.maximum, a.initial)) << a.name;
  }
  std::string noted;
  for (const KeptVariable& variable : writer.keptVariables()) noted += describe(variable) + "\n";
  EXPECT_EQ(noted,
            "stval_a_status_signal_with_a_very_long_name: integer 0 to 255 starting at 0"
            " / integer 0 to 4095 starting at 0\n"
            "EnvSpeed: floating -1.5 to 1000 starting at 0.5 / integer 0 to 1000 starting at 0\n"
            "ID_Taximeter: integer 0 to 16 starting at 0 / string\n");
}

}  // namespace
