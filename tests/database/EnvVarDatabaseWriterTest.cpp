#include "database/EnvVarDatabaseWriter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "database/VariableAttributes.h"
#include "util/FileLock.h"

namespace {

using testsupport::crlf;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;
using OpenResult = EnvVarDatabaseWriter::OpenResult;

constexpr int32_t kRw = kVariableCodeReadWrite;

bool addNumeric(EnvVarDatabaseWriter& writer, const std::string& name, uint64_t maximum, uint64_t initial = 0) {
  return writer.addVariable(name, kRw, kTypeCodeNumeric, 0, maximum, initial);
}

const char kEmptyDatabase[] =
    "VERSION \"\"\n"
    "\n"
    "NS_ :\n"
    "\n"
    "BS_:\n"
    "\n"
    "BU_: Tester\n"
    "\n";

TEST(EnvVarDatabase, NewDatabaseIsWrittenAtCreationAndFilledOnSave) {
  TempDir dir;
  const std::string path = dir.file("node.dbc");
  EnvVarDatabaseWriter writer("");
  ASSERT_EQ(writer.openOrCreateDatabase(path), OpenResult::Created);
  EXPECT_EQ(readFile(path), crlf(kEmptyDatabase));
  EXPECT_TRUE(addNumeric(writer, "ID_Taximeter", 16));
  EXPECT_TRUE(addNumeric(writer, "ID_Dut", 16));
  EXPECT_TRUE(writer.variableExists("ID_Dut"));
  EXPECT_FALSE(writer.variableExists("ID_dut"));
  ASSERT_TRUE(writer.saveAndClose());
  EXPECT_EQ(readFile(path), crlf(std::string(kEmptyDatabase) +
                                 "EV_ ID_Taximeter: 0 [0|16] \"\" 0 1 DUMMY_NODE_VECTOR3 Tester;\n"
                                 "EV_ ID_Dut: 0 [0|16] \"\" 0 2 DUMMY_NODE_VECTOR3 Tester;\n"));
  // Closed: nothing more can be added or saved.
  EXPECT_FALSE(addNumeric(writer, "late", 1));
  EXPECT_EQ(writer.errorText(), "No database is open");
  EXPECT_FALSE(writer.saveAndClose());
}

// Enough variables, with names short and long, to fill several blocks of
// the writer's statement store: every name stays known and every statement
// is written once, in order, in the file's line-end style.
TEST(EnvVarDatabase, ManyVariablesKeepTheirNamesAndOrder) {
  TempDir dir;
  for (const bool crlfFile : {true, false}) {
    const std::string path = dir.file(crlfFile ? "crlf.dbc" : "lf.dbc");
    writeFile(path, crlfFile ? crlf(kEmptyDatabase) : std::string(kEmptyDatabase));
    EnvVarDatabaseWriter writer("");
    ASSERT_EQ(writer.openOrCreateDatabase(path), OpenResult::Opened);
    const int count = 30000;
    auto nameOf = [](int i) { return "v" + std::to_string(i) + std::string(static_cast<std::size_t>(i % 40), 'n'); };
    std::string expected = kEmptyDatabase;
    for (int i = 0; i < count; ++i) {
      ASSERT_TRUE(addNumeric(writer, nameOf(i), 255));
      expected += "EV_ " + nameOf(i) + ": 0 [0|255] \"\" 0 " + std::to_string(i + 1) + " DUMMY_NODE_VECTOR3 Tester;\n";
    }
    for (int i = 0; i < count; i += 997) EXPECT_TRUE(writer.variableExists(nameOf(i))) << i;
    EXPECT_FALSE(writer.variableExists("v1nn"));
    // A name entered again keeps its first statement.
    EXPECT_TRUE(writer.addVariable(nameOf(5), kRw, kTypeCodeNumeric, 0, 1, 0));
    ASSERT_TRUE(writer.saveAndClose());
    EXPECT_TRUE(readFile(path) == (crlfFile ? crlf(expected) : expected)) << path;
  }
}

TEST(EnvVarDatabase, NodeNameBecomesAnIdentifier) {
  const struct {
    std::string given, node;
  } cases[] = {{"", "Tester"}, {"TaxiTester", "TaxiTester"}, {"Taxi Tester", "Taxi_Tester"}};
  for (const auto& c : cases) {
    TempDir dir;
    EnvVarDatabaseWriter writer(c.given);
    ASSERT_EQ(writer.openOrCreateDatabase(dir.file("n.dbc")), OpenResult::Created);
    ASSERT_TRUE(addNumeric(writer, "ID_ActualClient", 16));
    ASSERT_TRUE(writer.saveAndClose());
    const std::string text = readFile(dir.file("n.dbc"));
    EXPECT_NE(text.find("\r\nBU_: " + c.node + "\r\n"), std::string::npos) << c.given;
    EXPECT_NE(text.find(" DUMMY_NODE_VECTOR3 " + c.node + ";\r\n"), std::string::npos) << c.given;
  }
}

TEST(EnvVarDatabase, MaxValueOfBits) {
  const struct {
    int32_t bits;
    uint64_t max;
  } cases[] = {{-5, 0},           {0, 0},
               {1, 1},            {8, 255},
               {16, 65535},       {31, 2147483647u},
               {32, 4294967295u}, {33, 8589934591u},
               {63, 9223372036854775807u}, {64, UINT64_MAX},
               {100, UINT64_MAX}};
  for (const auto& c : cases) EXPECT_EQ(maxValueOfBits(c.bits), c.max) << c.bits;
}

// Every kind of variable a run enters, with the attributes the run derives
// from signal and object sizes, and the statement it must become.
TEST(EnvVarDatabase, AttributesOfEveryVariableKind) {
  const uint64_t kObjectOfSizeZero = 1;  // an object variable of size <= 0 has maximum 1
  const struct {
    std::string name;
    int32_t typeCode;
    uint64_t maximum, initial;
    std::string statement;
  } cases[] = {
      {"ID_Dut", kTypeCodeNumeric, 16, 0, "EV_ ID_Dut: 0 [0|16] \"\" 0 1 DUMMY_NODE_VECTOR3 Tester;"},
      {"sc_roof_light", kTypeCodeNumeric, 1, 0, "EV_ sc_roof_light: 0 [0|1] \"\" 0 2 DUMMY_NODE_VECTOR3 Tester;"},
      {"coval_roof_light", kTypeCodeNumeric, maxValueOfBits(1), maxValueOfBits(1),
       "EV_ coval_roof_light: 0 [0|1] \"\" 1 3 DUMMY_NODE_VECTOR3 Tester;"},
      {"coval_brightness", kTypeCodeNumeric, maxValueOfBits(8), maxValueOfBits(8),
       "EV_ coval_brightness: 0 [0|255] \"\" 255 4 DUMMY_NODE_VECTOR3 Tester;"},
      {"coval_fare", kTypeCodeNumeric, maxValueOfBits(32), maxValueOfBits(32),
       "EV_ coval_fare: 0 [0|4294967295] \"\" 4294967295 5 DUMMY_NODE_VECTOR3 Tester;"},
      {"coval_empty", kTypeCodeNumeric, maxValueOfBits(0), maxValueOfBits(0),
       "EV_ coval_empty: 0 [0|0] \"\" 0 6 DUMMY_NODE_VECTOR3 Tester;"},
      {"coval_serial", kTypeCodeString, maxValueOfBits(40), maxValueOfBits(40),
       "EV_ coval_serial: 2 [0|0] \"\" 0 7 DUMMY_NODE_VECTOR8003 Tester;"},
      {"gs_taxi_state", kTypeCodeNumeric, 1, 0, "EV_ gs_taxi_state: 0 [0|1] \"\" 0 8 DUMMY_NODE_VECTOR3 Tester;"},
      {"stval_0x6000_0x1", kTypeCodeNumeric, maxValueOfBits(32), 0,
       "EV_ stval_0x6000_0x1: 0 [0|4294967295] \"\" 0 9 DUMMY_NODE_VECTOR3 Tester;"},
      {"stval_0x6001_0x0", kTypeCodeNumeric, kObjectOfSizeZero, 0,
       "EV_ stval_0x6001_0x0: 0 [0|1] \"\" 0 10 DUMMY_NODE_VECTOR3 Tester;"},
      {"stval_0x6002_0x2", kTypeCodeString, maxValueOfBits(64), 0,
       "EV_ stval_0x6002_0x2: 2 [0|0] \"\" 0 11 DUMMY_NODE_VECTOR8003 Tester;"},
      {"stval_taxi_state", kTypeCodeNumeric, maxValueOfBits(8), 0,
       "EV_ stval_taxi_state: 0 [0|255] \"\" 0 12 DUMMY_NODE_VECTOR3 Tester;"},
      {"stval_trip_id", kTypeCodeString, maxValueOfBits(48), 0,
       "EV_ stval_trip_id: 2 [0|0] \"\" 0 13 DUMMY_NODE_VECTOR8003 Tester;"},
  };
  TempDir dir;
  const std::string path = dir.file("kinds.dbc");
  EnvVarDatabaseWriter writer("");
  ASSERT_EQ(writer.openOrCreateDatabase(path), OpenResult::Created);
  std::string expected = kEmptyDatabase;
  for (const auto& c : cases) {
    EXPECT_TRUE(writer.addVariable(c.name, kRw, c.typeCode, 0, c.maximum, c.initial)) << c.name;
    expected += c.statement + "\n";
  }
  ASSERT_TRUE(writer.saveAndClose());
  EXPECT_EQ(readFile(path), crlf(expected));
}

TEST(EnvVarDatabase, SecondOpenKeepsOldAttributesAndContinuesIds) {
  TempDir dir;
  const std::string path = dir.file("node.dbc");
  {
    EnvVarDatabaseWriter first("");
    ASSERT_EQ(first.openOrCreateDatabase(path), OpenResult::Created);
    ASSERT_TRUE(addNumeric(first, "gs_door", 1));
    ASSERT_TRUE(addNumeric(first, "stval_door", 255));
    ASSERT_TRUE(first.saveAndClose());
  }
  const std::string afterFirstRun = readFile(path);

  // A run that finds every variable: nothing changes, the file is still written back.
  EnvVarDatabaseWriter again("");
  ASSERT_EQ(again.openOrCreateDatabase(path), OpenResult::Opened);
  EXPECT_TRUE(again.variableExists("stval_door"));
  EXPECT_TRUE(addNumeric(again, "stval_door", 65535, 7));
  ASSERT_TRUE(again.saveAndClose());
  EXPECT_EQ(readFile(path), afterFirstRun);

  // A run with a changed sheet: old variables keep their range, new ones get the next ids.
  EnvVarDatabaseWriter changed("");
  ASSERT_EQ(changed.openOrCreateDatabase(path), OpenResult::Opened);
  EXPECT_TRUE(addNumeric(changed, "stval_door", 65535));
  EXPECT_TRUE(addNumeric(changed, "gs_window", 1));
  EXPECT_TRUE(addNumeric(changed, "stval_window", 15));
  ASSERT_TRUE(changed.saveAndClose());
  EXPECT_EQ(readFile(path), afterFirstRun + crlf("EV_ gs_window: 0 [0|1] \"\" 0 3 DUMMY_NODE_VECTOR3 Tester;\n"
                                                 "EV_ stval_window: 0 [0|15] \"\" 0 4 DUMMY_NODE_VECTOR3 Tester;\n"));
}

TEST(EnvVarDatabase, IdsContinueAfterTheHighestIdOfForeignStatements) {
  TempDir dir;
  const std::string path = dir.file("foreign.dbc");
  writeFile(path,
            "BU_: A B Tester\n"
            "EV_ speed : 1 [-1.5|1e3] \"km/h\" 0.5 41 DUMMY_NODE_VECTOR8001 A,B;\n"
            "EV_\tlabel:2 [ 0 | 0 ] \"a \\\"quoted\\\" unit\"\t0 7 DUMMY_NODE_VECTOR0 Other_Node ;  \n");
  EnvVarDatabaseWriter writer("");
  ASSERT_EQ(writer.openOrCreateDatabase(path), OpenResult::Opened) << writer.errorText();
  EXPECT_TRUE(writer.variableExists("speed"));
  EXPECT_TRUE(writer.variableExists("label"));
  ASSERT_TRUE(addNumeric(writer, "gs_x", 1));
  ASSERT_TRUE(writer.saveAndClose());
  const std::string text = readFile(path);
  EXPECT_NE(text.find("\nEV_ gs_x: 0 [0|1] \"\" 0 42 DUMMY_NODE_VECTOR3 Tester;\n"), std::string::npos) << text;
}

// Where new statements go in an existing file. Each case runs once with LF
// and once with CR LF line ends; the file keeps its style.
TEST(EnvVarDatabase, InsertionPositionAndLineEndStyle) {
  const std::string added = "EV_ gs_new: 0 [0|1] \"\" 0 8 DUMMY_NODE_VECTOR3 Tester;\n";
  const std::string addedFirst = "EV_ gs_new: 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR3 Tester;\n";
  const struct {
    const char* what;
    std::string before, after;
  } cases[] = {
      {"after the last variable, not after a look-alike inside a comment",
       "BU_: Tester\n\nEV_ a: 0 [0|1] \"\" 0 7 DUMMY_NODE_VECTOR3 Tester;\n\nCM_ \"two\nEV_ lines\";\n",
       "BU_: Tester\n\nEV_ a: 0 [0|1] \"\" 0 7 DUMMY_NODE_VECTOR3 Tester;\n" + added +
           "\nCM_ \"two\nEV_ lines\";\n"},
      {"before the comments when there is no variable",
       "NS_ :\n\tCM_\n\tBA_\n\nBU_: Tester\n\nBO_ 1 M: 8 Tester\n SG_ S : 0|8@1+ (1,0) [0|255] \"\" Tester\n\n"
       "CM_ \"first\nBA_ inside\nEV_ inside\";\nBA_DEF_ \"X\" INT 0 1;\n",
       "NS_ :\n\tCM_\n\tBA_\n\nBU_: Tester\n\nBO_ 1 M: 8 Tester\n SG_ S : 0|8@1+ (1,0) [0|255] \"\" Tester\n\n" +
           addedFirst + "CM_ \"first\nBA_ inside\nEV_ inside\";\nBA_DEF_ \"X\" INT 0 1;\n"},
      {"before attributes when there is no comment",
       "BU_: Tester\nBO_ 1 M: 8 Tester\nBA_DEF_ \"X\" INT 0 1;\nBA_ \"X\" 1;\n",
       "BU_: Tester\nBO_ 1 M: 8 Tester\n" + addedFirst + "BA_DEF_ \"X\" INT 0 1;\nBA_ \"X\" 1;\n"},
      {"before value descriptions", "BU_: Tester\nVAL_ 1 S 0 \"off\" ;\n",
       "BU_: Tester\n" + addedFirst + "VAL_ 1 S 0 \"off\" ;\n"},
      {"at the end", "VERSION \"\"\n\nBU_: Tester\n\nBO_ 1 M: 8 Tester\n",
       "VERSION \"\"\n\nBU_: Tester\n\nBO_ 1 M: 8 Tester\n" + addedFirst},
      {"at the end of a file without a final line end", "BU_: Tester", "BU_: Tester\n" + addedFirst},
      {"after a last variable without a final line end",
       "BU_: Tester\nEV_ a: 0 [0|1] \"\" 0 7 DUMMY_NODE_VECTOR3 Tester;",
       "BU_: Tester\nEV_ a: 0 [0|1] \"\" 0 7 DUMMY_NODE_VECTOR3 Tester;\n" + added},
      {"node added to the node list", "BU_: Taximeter  RoofBar \n", "BU_: Taximeter  RoofBar Tester \n" + addedFirst},
      {"node added to an empty node list", "BU_:\nCM_ \"c\";\n", "BU_: Tester\n" + addedFirst + "CM_ \"c\";\n"},
      {"node list added before the messages", "VERSION \"\"\nBO_ 1 M: 8 X\n",
       "VERSION \"\"\nBU_: Tester\nBO_ 1 M: 8 X\n" + addedFirst},
      {"node list added to an empty file", "", "BU_: Tester\n" + addedFirst},
  };
  for (const auto& c : cases) {
    for (const bool crLf : {false, true}) {
      TempDir dir;
      const std::string path = dir.file("old.dbc");
      writeFile(path, crLf ? crlf(c.before) : c.before);
      EnvVarDatabaseWriter writer("");
      ASSERT_EQ(writer.openOrCreateDatabase(path), OpenResult::Opened) << c.what << ": " << writer.errorText();
      ASSERT_TRUE(addNumeric(writer, "gs_new", 1)) << c.what;
      ASSERT_TRUE(writer.saveAndClose()) << c.what;
      // An empty file has no line ends of its own: it gets CR LF.
      const bool expectCrLf = crLf || c.before.find('\n') == std::string::npos;
      EXPECT_EQ(readFile(path), expectCrLf ? crlf(c.after) : c.after) << c.what << (crLf ? " (CR LF)" : " (LF)");
    }
  }
}

TEST(EnvVarDatabase, MixedLineEndsAreKeptAndNewLinesFollowTheFirst) {
  TempDir dir;
  const std::string path = dir.file("mixed.dbc");
  writeFile(path, "BU_: Tester\r\nBO_ 1 M: 8 Tester\nCM_ \"x\";\r\n");
  EnvVarDatabaseWriter writer("");
  ASSERT_EQ(writer.openOrCreateDatabase(path), OpenResult::Opened);
  ASSERT_TRUE(addNumeric(writer, "gs_new", 1));
  ASSERT_TRUE(writer.saveAndClose());
  EXPECT_EQ(readFile(path),
            "BU_: Tester\r\nBO_ 1 M: 8 Tester\nEV_ gs_new: 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR3 Tester;\r\nCM_ \"x\";\r\n");
}

// A statement of every kind the format has, as other tools write them.
TEST(EnvVarDatabase, StatementsOfEveryKeywordAreADatabase) {
  const std::string file =
      "VERSION \"1.0\"\n\nNS_ :\n\tNS_DESC_\n\tCM_\n\tBA_DEF_\n\tBA_\n\tVAL_\n\tCAT_DEF_\n\tCAT_\n\tFILTER\n"
      "\tBA_DEF_DEF_\n\tEV_DATA_\n\tENVVAR_DATA_\n\tSGTYPE_\n\tSGTYPE_VAL_\n\tBA_DEF_SGTYPE_\n\tBA_SGTYPE_\n"
      "\tSIG_TYPE_REF_\n\tVAL_TABLE_\n\tSIG_GROUP_\n\tSIG_VALTYPE_\n\tSIGTYPE_VALTYPE_\n\tBO_TX_BU_\n"
      "\tBA_DEF_REL_\n\tBA_REL_\n\tBA_DEF_DEF_REL_\n\tBU_SG_REL_\n\tBU_EV_REL_\n\tBU_BO_REL_\n\tSG_MUL_VAL_\n\n"
      "BS_:\n\nBU_: Tester Node\nVAL_TABLE_ States 1 \"on\" 0 \"off\" ;\n\n"
      "BO_ 100 Msg: 8 Node\n SG_ Sig : 0|8@1+ (1,0) [0|255] \"\" Tester\n\n"
      "BO_TX_BU_ 100 : Node,Tester;\n\n"
      "EV_ a: 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR3 Tester;\n"
      "ENVVAR_DATA_ a: 8;\nEV_DATA_ a: 8;\nSGTYPE_ T : 8@1+ (1,0) [0|255] \"\" 0 States;\n"
      "SGTYPE_VAL_ T 0 \"off\" ;\nCM_ \"a comment\nover two lines\";\nBA_DEF_ BO_ \"Cycle\" INT 0 1000;\n"
      "BA_DEF_SGTYPE_ \"X\" INT 0 1;\nBA_DEF_REL_ BU_SG_REL_ \"R\" INT 0 1;\nBA_DEF_DEF_ \"Cycle\" 100;\n"
      "BA_DEF_DEF_REL_ \"R\" 0;\nBA_ \"Cycle\" BO_ 100 10;\nBA_SGTYPE_ \"X\" SGTYPE_ T 1;\n"
      "BA_REL_ \"R\" BU_SG_REL_ Node SG_ 100 Sig 1;\nBU_SG_REL_ x;\nBU_EV_REL_ x;\nBU_BO_REL_ x;\n"
      "VAL_ 100 Sig 1 \"on\" 0 \"off\" ;\nCAT_DEF_ 1 Cat 0 ;\nCAT_ BO_ 100 1;\nFILTER 0 Cat ;\n"
      "SIG_TYPE_REF_ 100 Sig : T;\nSIG_GROUP_ 100 G 1 : Sig;\nSIG_VALTYPE_ 100 Sig : 1;\n"
      "SIGTYPE_VALTYPE_ T : 1;\nSG_MUL_VAL_ 100 Sig Sig 0-1;\nNS_DESC_ x;\n";
  TempDir dir;
  const std::string path = dir.file("full.dbc");
  writeFile(path, file);
  EnvVarDatabaseWriter writer("");
  EXPECT_EQ(writer.openOrCreateDatabase(path), OpenResult::Opened) << writer.errorText();
  EXPECT_TRUE(writer.variableExists("a"));
}

// The reason names the line and what stands there, so that a user can mend
// the file instead of throwing it away.
TEST(EnvVarDatabase, FileThatIsNoDatabaseCannotBeOpened) {
  const std::string cannotRead = "line 1: \"EV_\" statement cannot be read from ";
  const struct {
    const char* what;
    std::string bytes;
    std::string error;
  } cases[] = {
      {"binary", std::string("BU_: Tester\n\0\x01\x02", 15), "line 2: a NUL byte, which no text file holds"},
      {"missing semicolon", "BU_: T\nEV_ a: 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR3 T\n",
       "line 2: \"EV_\" statement ends before it is complete"},
      {"no access code", "EV_ a: 0 [0|1] \"\" 0 1 T;\n", cannotRead + "\"T;\""},
      {"no node", "EV_ a: 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR3 ;\n", cannotRead + "\";\""},
      {"text after the statement", "EV_ a: 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR3 T; x\n", cannotRead + "\"x\""},
      {"range not a number", "EV_ a: 0 [0|max] \"\" 0 1 DUMMY_NODE_VECTOR3 T;\n",
       cannotRead + "\"max] \"\" 0 1 DUMMY_NODE_VECTOR3 T;\""},
      {"id out of range", "EV_ a: 0 [0|1] \"\" 0 99999999999999999999 DUMMY_NODE_VECTOR3 T;\n",
       cannotRead + "\"99999999999999999999 DUMMY_NODE_VECTOR3 ...\""},
      {"indented statement over two lines", "BU_:\n  EV_ a: 0 [0|1] \"\" 0 1\n DUMMY_NODE_VECTOR3 T;\n",
       "line 2: \"EV_\" statement ends before it is complete"},
      {"unclosed string", "BU_: T\nCM_ \"never closed;\nBA_ \"X\" 1;\nBA_ \"Y\" 2;\n",
       "line 4: a quoted string starts here and is never closed"},
      // Text that is no database at all: its statements start with other words.
      {"C source", "#include <stdio.h>\nint main(void) {\n  return 0;\n}\n", "line 1: \"#include\" is not a statement"},
      {"a keyword in lower case", "VERSION \"\"\nbu_: Tester\n", "line 2: \"bu_\" is not a statement"},
      {"an unknown word after real statements", "VERSION \"\"\n\nBU_: Tester\nMESSAGE 1 M: 8 Tester\n",
       "line 4: \"MESSAGE\" is not a statement"},
      {"a keyword only as a prefix", "VERSION_X \"\"\n", "line 1: \"VERSION_X\" is not a statement"},
      {"a comment mark after a statement's start", "VERSION \"\"\n#// x\n", "line 2: \"#//\" is not a statement"},
      // Shown safely: control characters escaped, a long word cut (not
      // inside a UTF-8 character).
      {"control characters", "VERSION \"\"\n\x1b[2J\x07 x\n", "line 2: \"\\x1B[2J\\x07\" is not a statement"},
      {"a long word", std::string(39, 'W') + "\xC3\xA4\xC3\xA4 x\n",
       "line 1: \"" + std::string(39, 'W') + "...\" is not a statement"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string path = dir.file("bad.dbc");
    writeFile(path, c.bytes);
    EnvVarDatabaseWriter writer("");
    EXPECT_EQ(writer.openOrCreateDatabase(path), OpenResult::OpenFailed) << c.what;
    EXPECT_EQ(writer.errorText(), c.error) << c.what;
    EXPECT_FALSE(addNumeric(writer, "gs_x", 1)) << c.what;
    EXPECT_EQ(readFile(path), c.bytes) << c.what;
  }
}

// While another run holds the database's lock, a writer waits (telling so
// once) and gives up after its wait limit; once the lock is free it goes
// on, and a saved database leaves no lock file behind.
TEST(EnvVarDatabase, LockOfAnotherRunIsWaitedFor) {
  TempDir dir;
  const std::string path = dir.file("node.dbc");
  writeFile(path, "BU_: Tester\n");
  FileLock other;
  ASSERT_EQ(other.acquire(path, {}, std::chrono::milliseconds(0)), FileLock::Result::Locked);

  EnvVarDatabaseWriter writer("");
  writer.setLockWaitLimit(std::chrono::milliseconds(200));
  int notices = 0;
  EXPECT_EQ(writer.lockDatabase(path, [&notices] { ++notices; }), FileLock::Result::TimedOut);
  EXPECT_EQ(notices, 1);
  EXPECT_EQ(writer.openOrCreateDatabase(path), OpenResult::OpenFailed);
  EXPECT_EQ(notices, 1);

  std::thread releaser([&other] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    other.release();
  });
  writer.setLockWaitLimit(std::chrono::seconds(30));
  notices = 0;
  EXPECT_EQ(writer.lockDatabase(path, [&notices] { ++notices; }), FileLock::Result::Locked);
  releaser.join();
  EXPECT_EQ(notices, 1);
  ASSERT_EQ(writer.openOrCreateDatabase(path), OpenResult::Opened);
  ASSERT_TRUE(addNumeric(writer, "gs_new", 1));
  ASSERT_TRUE(writer.saveAndClose());
  EXPECT_EQ(testsupport::listing(dir.path()), "node.dbc ");
}

// Some tools start a database with a UTF-8 byte order mark. It belongs to
// no statement, stays where it is, and a statement inserted at the start
// of the text comes after it.
TEST(EnvVarDatabase, ByteOrderMarkIsKept) {
  const std::string mark = "\xEF\xBB\xBF";
  const std::string added = "EV_ gs_new: 0 [0|1] \"\" 0 2 DUMMY_NODE_VECTOR3 Tester;\r\n";
  const struct {
    const char* what;
    std::string before;
    std::string after;
  } cases[] = {
      {"variables", mark + "VERSION \"\"\r\n\r\nBU_: Tester\r\nEV_ a: 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR0 Tester;\r\n",
       mark + "VERSION \"\"\r\n\r\nBU_: Tester\r\nEV_ a: 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR0 Tester;\r\n" + added},
      {"node list before the first statement", mark + "BO_ 1 M: 8 X\r\n",
       mark + "BU_: Tester\r\nBO_ 1 M: 8 X\r\n" + "EV_ gs_new: 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR3 Tester;\r\n"},
      {"nothing but the mark", mark,
       mark + "BU_: Tester\r\n" + "EV_ gs_new: 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR3 Tester;\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string path = dir.file("node.dbc");
    writeFile(path, c.before);
    EnvVarDatabaseWriter writer("");
    ASSERT_EQ(writer.openOrCreateDatabase(path), OpenResult::Opened) << writer.errorText();
    ASSERT_TRUE(addNumeric(writer, "gs_new", 1));
    ASSERT_TRUE(writer.saveAndClose());
    EXPECT_EQ(readFile(path), c.after);
  }
  // Only at the start: elsewhere the bytes begin no statement.
  TempDir dir;
  writeFile(dir.file("node.dbc"), "VERSION \"\"\r\n" + mark + "BU_: Tester\r\n");
  EnvVarDatabaseWriter writer("");
  EXPECT_EQ(writer.openOrCreateDatabase(dir.file("node.dbc")), OpenResult::OpenFailed);
  EXPECT_EQ(writer.errorText(), "line 2: \"\xEF\xBB\xBF" "BU_\" is not a statement");
}

// A database above 1 GiB is refused before it is read (a sparse file here).
TEST(EnvVarDatabase, DatabaseAbove1GiBIsNotRead) {
  TempDir dir;
  const std::string path = dir.file("node.dbc");
  writeFile(path, "");
  std::filesystem::resize_file(path, EnvVarDatabaseWriter::kMaxDatabaseBytes + 1);
  EnvVarDatabaseWriter writer("");
  EXPECT_EQ(writer.openOrCreateDatabase(path), OpenResult::OpenFailed);
  EXPECT_EQ(writer.errorText(), "The file is larger than 1 GiB");
  EXPECT_EQ(std::filesystem::file_size(path), EnvVarDatabaseWriter::kMaxDatabaseBytes + 1);
}

TEST(EnvVarDatabase, PathLengthLimit) {
  TempDir dir;
  // Repeated separators lengthen a path without changing the file it names.
  const auto pathOfLength = [&dir](std::size_t length, const std::string& name) {
    const std::size_t fixed = dir.path().size() + name.size();
    return dir.path() + std::string(length - fixed, '/') + name;
  };
  const std::string longest = pathOfLength(EnvVarDatabaseWriter::kMaxPathLength, "a.dbc");
  EnvVarDatabaseWriter writer("");
  EXPECT_EQ(writer.openOrCreateDatabase(longest), OpenResult::Created);
  EXPECT_TRUE(writer.saveAndClose());
  EXPECT_EQ(writer.openOrCreateDatabase(longest), OpenResult::Opened);

  const std::string existingTooLong = pathOfLength(EnvVarDatabaseWriter::kMaxPathLength + 1, "a.dbc");
  EXPECT_EQ(writer.openOrCreateDatabase(existingTooLong), OpenResult::OpenFailed);
  EXPECT_EQ(writer.errorText(), "The path is longer than 1024 characters");
  const std::string newTooLong = pathOfLength(EnvVarDatabaseWriter::kMaxPathLength + 1, "b.dbc");
  EXPECT_EQ(writer.openOrCreateDatabase(newTooLong), OpenResult::CreateFailed);
  EXPECT_FALSE(testsupport::exists(dir.file("b.dbc")));
  EXPECT_FALSE(writer.saveAndClose());
}

TEST(EnvVarDatabase, RefusedVariablesAddNothing) {
  const struct {
    std::string name;
    int32_t variableCode, typeCode;
    std::string error;
  } cases[] = {
      {std::string(500, 'v'), kRw, kTypeCodeNumeric, "The variable name is 500 characters or longer"},
      {"", kRw, kTypeCodeNumeric, "The variable name is not an identifier"},
      {"gs door", kRw, kTypeCodeNumeric, "The variable name is not an identifier"},
      {"gs_x;", kRw, kTypeCodeNumeric, "The variable name is not an identifier"},
      {"1gs", kRw, kTypeCodeNumeric, "The variable name is not an identifier"},
      {"gs_x", 4, kTypeCodeNumeric, "Type code 0 or variable code 4 is not valid"},
      {"gs_x", kRw, 3, "Type code 3 or variable code 3 is not valid"},
  };
  TempDir dir;
  const std::string path = dir.file("node.dbc");
  EnvVarDatabaseWriter writer("");
  ASSERT_EQ(writer.openOrCreateDatabase(path), OpenResult::Created);
  for (const auto& c : cases) {
    EXPECT_FALSE(writer.addVariable(c.name, c.variableCode, c.typeCode, 0, 1, 0)) << c.name;
    EXPECT_EQ(writer.errorText(), c.error) << c.name;
    EXPECT_FALSE(writer.variableExists(c.name)) << c.name;
  }
  EXPECT_TRUE(addNumeric(writer, std::string(499, 'v'), 1));
  ASSERT_TRUE(writer.saveAndClose());
  EXPECT_EQ(readFile(path), crlf(std::string(kEmptyDatabase) + "EV_ " + std::string(499, 'v') +
                                 ": 0 [0|1] \"\" 0 1 DUMMY_NODE_VECTOR3 Tester;\n"));
}

TEST(EnvVarDatabase, CreationFailures) {
  TempDir dir;
  writeFile(dir.file("file"), "x");
  const struct {
    std::string path;
    std::string error;
  } cases[] = {
      // Where no file can be made, not even the lock can.
      {dir.file("missing/node.dbc"), "Lock file \"" + dir.path() + "/missing/.node.dbc.co447gen-lock\" cannot be used"},
      {dir.path(), "\"" + dir.path() + "\" exists but cannot be read as a file"},
      {dir.file("file/node.dbc"), "Lock file \"" + dir.path() + "/file/.node.dbc.co447gen-lock\" cannot be used"},
  };
  for (const auto& c : cases) {
    EnvVarDatabaseWriter writer("");
    EXPECT_EQ(writer.openOrCreateDatabase(c.path), OpenResult::CreateFailed) << c.path;
    EXPECT_EQ(writer.errorText(), c.error) << c.path;
    EXPECT_FALSE(addNumeric(writer, "gs_x", 1));
  }
}

}  // namespace
