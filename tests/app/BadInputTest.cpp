// What a user sees for bad input, one test per row of the bad-input table
// in docs/safety.md (the rows that need POSIX: BadInputTest-posix.cpp): the
// built program runs in a temporary directory; each test checks the
// message, the exit code (0 output produced, 2 generation failed) and that
// no existing file was damaged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "app/RunFixtures.h"
#include "input/SheetFiles.h"
#include "input/ZipWriter.h"

namespace {

using runfixtures::endsWith;
using runfixtures::mode1Arguments;
using runfixtures::mode2Arguments;
using runfixtures::placeSheet;
using testsupport::CommandResult;
using testsupport::dataPath;
using testsupport::readFile;
using testsupport::runCommand;
using testsupport::runProgram;
using testsupport::shellQuote;
using testsupport::TempDir;
using testsupport::writeFile;

namespace fs = std::filesystem;

// The tail of a failed sheet read, as every sheet failure ends.
std::string sheetFailure(const std::string& sheet, const std::string& reason) {
  return "Error opening Ecxel sheet \"" + sheet + "\"\n" + reason + "\n\nERROR GENERATING\n";
}

// A zip file of the entries, deflated.
bool writeZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries,
              const zipwriter::Entry* generated = nullptr) {
  std::vector<zipwriter::Entry> all;
  for (const auto& [name, contents] : entries) all.emplace_back(name, contents);
  if (generated != nullptr) all.push_back(*generated);
  zipwriter::writeZip(path, all);
  return true;
}

// The parts of a workbook with one sheet named sheetName; the sheet part
// itself (xl/worksheets/sheet1.xml) is left to the caller.
std::vector<std::pair<std::string, std::string>> workbookParts(const std::string& sheetName) {
  return {
      {"[Content_Types].xml",
       "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
       "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
       "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>"},
      {"_rels/.rels",
       "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
       "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
      {"xl/workbook.xml",
       "<?xml version=\"1.0\"?><workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
       "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets><sheet name=\"" +
           sheetName + "\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
      {"xl/_rels/workbook.xml.rels",
       "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
       "worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
  };
}

const char kSheetHead[] =
    "<?xml version=\"1.0\"?><worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<sheetData>";
const char kSheetTail[] = "</sheetData></worksheet>";

// Sets the uncompressed size that the local header and the central
// directory record of the zip's last entry declare.
void declareUncompressedSize(const std::string& path, uint32_t size) {
  std::string bytes = readFile(path);
  const auto patch = [&bytes, size](std::size_t at) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((size >> (8 * i)) & 0xff);
  };
  const std::size_t local = bytes.rfind(std::string("PK\x03\x04", 4));
  const std::size_t central = bytes.rfind(std::string("PK\x01\x02", 4));
  ASSERT_NE(local, std::string::npos);
  ASSERT_NE(central, std::string::npos);
  patch(local + 22);
  patch(central + 24);
  writeFile(path, bytes);
}

// A database above 1 GiB is refused before it is read, and left as it is.
TEST(BadInput, DatabaseOver1GiB) {
  TempDir dir;
  placeSheet(dir);
  const std::uintmax_t size = (std::uintmax_t{1} << 30) + 1;
  writeFile(dir.file("taxi.dbc"), "");
  fs::resize_file(dir.file("taxi.dbc"), size);
  const CommandResult result = runProgram(mode1Arguments(), dir.path());
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_TRUE(endsWith(result.output, "Database \"./taxi.dbc\" cannot be opened\nERROR GENERATING\n")) << result.output;
  EXPECT_EQ(fs::file_size(dir.file("taxi.dbc")), size);
  EXPECT_FALSE(testsupport::exists(dir.file("tester.can")));
}

TEST(BadInput, MissingSheet) {
  TempDir dir;
  fs::copy_file(dataPath("app/basic.ini"), dir.file("signals.ini"));
  const CommandResult result = runProgram(mode2Arguments("./signals.xlsx"), dir.path());
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_TRUE(endsWith(result.output, sheetFailure("./signals.xlsx", "Specified Excel document doesn't exist")))
      << result.output;
}

TEST(BadInput, CorruptSheet) {
  const std::string workbook = readFile(dataPath("app/basic.xlsx"));
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"cut short", workbook.substr(0, workbook.size() / 2)},
      {"not a workbook", std::string(4096, '\x5a')},
      {"zip of something else", "PK\x03\x04 not really a zip"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    placeSheet(dir);
    writeFile(dir.file("signals.xlsx"), c.second);
    const CommandResult result = runProgram(mode2Arguments("./signals.xlsx"), dir.path());
    EXPECT_EQ(result.exitCode, 2) << c.first;
    EXPECT_TRUE(endsWith(result.output, sheetFailure("./signals.xlsx", "Specified Excel document cannot be opened")))
        << c.first << "\n" << result.output;
    EXPECT_EQ(readFile(dir.file("signals.xlsx")), c.second) << c.first;
    EXPECT_FALSE(testsupport::exists(dir.file("macros.h"))) << c.first;
  }
}

// A workbook that names a shared strings part it does not hold would show
// every text cell empty; one with two entries that are one name to its
// reader (ASCII case and "\" for "/" aside) reads differently in other
// programs. Both are damaged: the run ends before the database or the
// output is touched.
TEST(BadInput, IncompleteOrAmbiguousWorkbook) {
  // Row 2 holds a used signal; its used flag is shared string 0.
  const auto sheet = [](const std::string& name) {
    return sheetfiles::worksheetXml(
        "<row r=\"2\"><c r=\"A2\"><v>6000</v></c><c r=\"C2\"><v>1</v></c><c r=\"D2\"><v>32</v></c>"
        "<c r=\"E2\" t=\"inlineStr\"><is><t>" + name + "</t></is></c><c r=\"G2\"><v>0</v></c>"
        "<c r=\"H2\"><v>8</v></c><c r=\"J2\" t=\"s\"><v>0</v></c></row>");
  };
  struct Case {
    const char* what;
    std::function<void(sheetfiles::Parts&)> change;
    bool damaged;
  };
  const std::vector<Case> cases = {
      {"whole", [](sheetfiles::Parts&) {}, false},
      {"shared strings part missing",
       [](sheetfiles::Parts& parts) {
         parts.erase(std::remove_if(parts.begin(), parts.end(),
                                    [](const auto& part) { return part.first == "xl/sharedStrings.xml"; }),
                     parts.end());
       },
       true},
      {"one name twice", [&](sheetfiles::Parts& parts) { parts.emplace_back("xl/worksheets/sheet1.xml", sheet("B")); },
       true},
      {"names that differ in case",
       [&](sheetfiles::Parts& parts) { parts.emplace_back("XL/Worksheets/Sheet1.xml", sheet("B")); }, true},
      {"names that differ in separator",
       [&](sheetfiles::Parts& parts) { parts.emplace_back("xl\\worksheets\\sheet1.xml", sheet("B")); }, true},
  };
  const std::string database = "VERSION \"\"\r\n\r\nBU_: Tester\r\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    fs::copy_file(dataPath("app/basic.ini"), dir.file("signals.ini"));
    sheetfiles::Parts parts = sheetfiles::xlsxParts({{"Signals", sheet("A")}}, {"<t>x</t>"});
    c.change(parts);
    sheetfiles::writeZip(dir.file("signals.xlsx"), parts);
    writeFile(dir.file("taxi.dbc"), database);
    writeFile(dir.file("tester.can"), "old script\r\n");
    const CommandResult result = runProgram(mode1Arguments("./signals.xlsx"), dir.path());
    if (!c.damaged) {
      EXPECT_EQ(result.exitCode, 0) << result.output;
      EXPECT_NE(readFile(dir.file("taxi.dbc")).find("EV_ gs_a: "), std::string::npos);
      continue;
    }
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(endsWith(result.output, sheetFailure("./signals.xlsx", "Specified Excel document cannot be opened")))
        << result.output;
    EXPECT_EQ(readFile(dir.file("taxi.dbc")), database);
    EXPECT_TRUE(readFile(dir.file("tester.can")) == "old script\r\n");
    EXPECT_TRUE(runfixtures::leftovers(dir.path()).empty());
  }
}

// A run that reads no signal at all says so after its reports of reading,
// on the console and in the log, in every mode, and goes on.
TEST(BadInput, SheetThatGivesNoSignal) {
  const std::string map = readFile(dataPath("app/basic.ini"));
  const std::string sheet = readFile(dataPath("app/basic.csv"));
  const auto replaced = [](std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
  };
  struct Case {
    const char* what;
    std::string map;
    std::string sheet;
  };
  const std::vector<Case> cases = {
      {"SkipRows past the data", replaced(map, "SkipRows=1", "SkipRows=500"), sheet},
      {"used flags read from an empty column", replaced(map, "SignalIsUsed=9", "SignalIsUsed=20"), sheet},
      {"no data rows", map, sheet.substr(0, sheet.find('\n') + 1)},
  };
  const std::string warning = "Warning: no signal was read from \"./signals.csv\"\n\n";
  for (const Case& c : cases) {
    for (const auto& [arguments, next] :
         {std::make_pair(mode1Arguments(), "Creating emtpty database"),
          std::make_pair(runfixtures::mode2Arguments(), "\nmacros are generated for the following signals:"),
          std::make_pair(runfixtures::mode3Arguments(), "Creating emtpty database")}) {
      SCOPED_TRACE(std::string(c.what) + ", mode " + arguments[1]);
      TempDir dir;
      writeFile(dir.file("signals.ini"), c.map);
      writeFile(dir.file("signals.csv"), c.sheet);
      const CommandResult result = runProgram(arguments, dir.path());
      EXPECT_EQ(result.exitCode, 0) << result.output;
      EXPECT_NE(result.output.find("Scanning Excel sheet \"./signals.csv\"...\n\n" + warning + next),
                std::string::npos)
          << result.output;
      EXPECT_NE(readFile(dir.file("signals_log.txt")).find(testsupport::crlf(warning)), std::string::npos);
    }
  }
}

// A workbook saved with a password (encrypted.xls, see make-encrypted.py).
TEST(BadInput, EncryptedSheet) {
  TempDir dir;
  fs::copy_file(dataPath("bad-input/encrypted.xls"), dir.file("signals.xls"));
  fs::copy_file(dataPath("input/Signals.ini"), dir.file("signals.ini"));
  const CommandResult result = runProgram(mode1Arguments("./signals.xls"), dir.path());
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_TRUE(endsWith(result.output, sheetFailure("./signals.xls", "Specified Excel document cannot be opened")))
      << result.output;
  EXPECT_EQ(readFile(dir.file("signals.xls")), readFile(dataPath("bad-input/encrypted.xls")));
  EXPECT_FALSE(testsupport::exists(dir.file("taxi.dbc")));
  EXPECT_FALSE(testsupport::exists(dir.file("tester.can")));
}

// A sheet part of 260 MiB of blanks (more than any entry may inflate to)
// that deflates to about 1 MiB: once declaring its size, once claiming to
// be small. Both stop at the cap on inflated bytes instead of filling
// memory.
TEST(BadInput, ZipBomb) {
  TempDir bombs;
  zipwriter::Entry sheet("xl/worksheets/sheet1.xml", kSheetHead);
  sheet.filler = 260ull << 20;
  sheet.tail = kSheetTail;
  ASSERT_TRUE(writeZip(bombs.file("honest.xlsx"), workbookParts("Signals"), &sheet));
  ASSERT_LT(fs::file_size(bombs.file("honest.xlsx")), 2u << 20);
  fs::copy_file(bombs.file("honest.xlsx"), bombs.file("lying.xlsx"));
  declareUncompressedSize(bombs.file("lying.xlsx"), 4096);
  for (const std::string bomb : {"honest.xlsx", "lying.xlsx"}) {
    TempDir dir;
    placeSheet(dir);
    fs::copy_file(bombs.file(bomb), dir.file("signals.xlsx"));
    const CommandResult result = runProgram(mode2Arguments("./signals.xlsx"), dir.path());
    EXPECT_EQ(result.exitCode, 2) << bomb;
    EXPECT_TRUE(endsWith(result.output, sheetFailure("./signals.xlsx", "Specified Excel document cannot be opened")))
        << bomb << "\n" << result.output;
  }
}

TEST(BadInput, MissingSheetSignals) {
  TempDir dir;
  placeSheet(dir);
  auto parts = workbookParts("Signale");
  parts.emplace_back("xl/worksheets/sheet1.xml", std::string(kSheetHead) + kSheetTail);
  ASSERT_TRUE(writeZip(dir.file("signals.xlsx"), parts));
  const CommandResult result = runProgram(mode2Arguments("./signals.xlsx"), dir.path());
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_TRUE(endsWith(result.output,
                       sheetFailure("./signals.xlsx", "Excel sheet with specified name or index cannot be activated")))
      << result.output;
}

// A column map that is no ini file: the run says so, reads every column as
// column A (so no row is used) and still writes its output.
TEST(BadInput, GarbageColumnMap) {
  TempDir dir;
  placeSheet(dir);
  std::string garbage;
  for (int i = 0; i < 512; ++i) garbage += static_cast<char>((i * 73 + 11) % 256);
  writeFile(dir.file("signals.ini"), garbage);
  const CommandResult result = runProgram(mode2Arguments(), dir.path());
  EXPECT_EQ(result.exitCode, 0) << result.output;
  const std::string warning =
      "Warning: ini file \"./signals.ini\" has no entries in section \"XLSImport\"; every column is read from "
      "column A\n\n";
  EXPECT_NE(result.output.find("Scanning Excel sheet \"./signals.csv\"...\n\n" + warning), std::string::npos)
      << result.output;
  EXPECT_NE(readFile(dir.file("signals_log.txt")).find(testsupport::crlf(warning)), std::string::npos);
  EXPECT_TRUE(testsupport::exists(dir.file("macros.h")));
  EXPECT_EQ(readFile(dir.file("signals.ini")), garbage);
}

// A NUL byte makes a .csv file binary: it is refused whole. A workbook
// cannot carry one in its XML; its escape for it is dropped.
TEST(BadInput, NulByteInName) {
  {
    TempDir dir;
    placeSheet(dir);
    std::string sheet = readFile(dir.file("signals.csv"));
    sheet.replace(sheet.find("Taxi State"), 10, std::string("Taxi\0State", 10));
    writeFile(dir.file("signals.csv"), sheet);
    const CommandResult result = runProgram(mode1Arguments(), dir.path());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(endsWith(result.output, sheetFailure("./signals.csv", "Specified Excel document cannot be opened")))
        << result.output;
    EXPECT_FALSE(testsupport::exists(dir.file("taxi.dbc")));
  }
  {
    TempDir dir;
    placeSheet(dir);
    auto parts = workbookParts("Signals");
    parts.emplace_back("xl/worksheets/sheet1.xml",
                       std::string(kSheetHead) +
                           "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>6000</t></is></c>"
                           "<c r=\"C2\"><v>1</v></c><c r=\"D2\"><v>32</v></c>"
                           "<c r=\"E2\" t=\"inlineStr\"><is><t>Taxi_x0000_State</t></is></c>"
                           "<c r=\"G2\"><v>0</v></c><c r=\"H2\"><v>8</v></c>"
                           "<c r=\"J2\" t=\"inlineStr\"><is><t>x</t></is></c></row>" +
                           kSheetTail);
    ASSERT_TRUE(writeZip(dir.file("signals.xlsx"), parts));
    const CommandResult result = runProgram(mode1Arguments("./signals.xlsx"), dir.path());
    EXPECT_EQ(result.exitCode, 0) << result.output;
    const std::string script = readFile(dir.file("tester.can"));
    EXPECT_NE(script.find("gs_taxistate"), std::string::npos);
    EXPECT_EQ(script.find('\0'), std::string::npos);
  }
}

// Writes the basic sheet with the texts of some cells replaced.
void placeSheetWithNames(const TempDir& dir, const std::vector<std::pair<std::string, std::string>>& replacements) {
  placeSheet(dir);
  std::string sheet = readFile(dir.file("signals.csv"));
  for (const auto& replacement : replacements) {
    const std::size_t at = sheet.find(replacement.first);
    ASSERT_NE(at, std::string::npos) << replacement.first;
    sheet.replace(at, replacement.first.size(), replacement.second);
  }
  writeFile(dir.file("signals.csv"), sheet);
}

// The header must stay valid C whatever the names hold, and a name must not
// define a macro (the names below try INJECTED): checked by the C compiler
// where there is one, in strict C99, which replaces trigraphs.
void expectHeaderCompiles(const std::string& header) {
  if (runCommand("command -v cc").exitCode != 0) return;
  const std::string check = header + ".check.c";
  writeFile(check, "#include \"" + fs::path(header).filename().string() +
                       "\"\n#ifdef INJECTED\n#error a name defined a macro\n#endif\nint headerCompiled;\n");
  const CommandResult compiled =
      runCommand("cc -std=c99 -Wall -Wextra -pedantic -Werror -fsyntax-only " + shellQuote(check));
  EXPECT_EQ(compiled.exitCode, 0) << compiled.output;
}

// Line breaks in names: the node scripts and the database carry identifiers
// only; the header keeps the text inside its comments.
TEST(BadInput, LineBreakInName) {
  TempDir dir;
  placeSheetWithNames(dir, {{"Taxi State", "\"Taxi\r\nState\""},
                            {"Taximeter status,1,32,Door", "\"Taximeter\nstatus\",1,32,\"Door\n#define X 1\""}});
  const CommandResult script = runProgram(mode1Arguments(), dir.path());
  EXPECT_EQ(script.exitCode, 0) << script.output;
  // The sheet's CR LF is one line break, which the identifier rule makes "_".
  EXPECT_NE(readFile(dir.file("tester.can")).find("stval_taxi_state"), std::string::npos);
  EXPECT_NE(readFile(dir.file("taxi.dbc")).find("EV_ stval_door__define_x_1: "), std::string::npos);
  const CommandResult header = runProgram(mode2Arguments(), dir.path());
  EXPECT_EQ(header.exitCode, 0) << header.output;
  expectHeaderCompiles(dir.file("macros.h"));
}

// "*/" in a name or object name would end a comment of the header early.
TEST(BadInput, CommentEndInName) {
  TempDir dir;
  placeSheetWithNames(dir, {{"Taxi State", "Taxi */ int broken; /* State"},
                            {"Taximeter status,1,32,Door", "Taximeter */ status,1,32,Door*/"}});
  const CommandResult result = runProgram(mode2Arguments(), dir.path());
  EXPECT_EQ(result.exitCode, 0) << result.output;
  const std::string header = readFile(dir.file("macros.h"));
  EXPECT_EQ(header.find("*/ int broken"), std::string::npos);
  EXPECT_NE(header.find("Taxi * / int broken; / * State"), std::string::npos);
  expectHeaderCompiles(dir.file("macros.h"));
}

// The compiler joins a line that ends in a backslash (or in "??/", which it
// reads as one) with the next before it looks for the end of a comment, so
// "*", a backslash, a line break and "/" would end one too. The output path
// stands in the header's file comment and holds "*/" here.
TEST(BadInput, LineJoinInName) {
  if (testsupport::onWindows()) GTEST_SKIP() << "a file name on Windows cannot hold \"*\"";
  TempDir dir;
  placeSheetWithNames(dir, {{"Taxi State", "\"Taxi*\\\n/\n#define INJECTED 1\n#error from the sheet\n\""},
                            {"Taximeter status,1,32,Door",
                             "\"Taximeter*?\?/\n/\n#define INJECTED 2\",1,32,\"Door*\\ \n\\\n/\n#define INJECTED 3\""}});
  fs::create_directory(dir.file("out*"));
  std::vector<std::string> arguments = mode2Arguments();
  arguments[5] = "./out*/macros.h";
  const CommandResult result = runProgram(arguments, dir.path());
  EXPECT_EQ(result.exitCode, 0) << result.output;
  const std::string header = readFile(dir.file("out*/macros.h"));
  EXPECT_NE(header.find("  \\file ./out* /macros.h\r\n"), std::string::npos);
  EXPECT_NE(header.find("signal \"Taxi*\\\r\n /\r\n#define INJECTED 1\r\n"), std::string::npos);
  EXPECT_NE(header.find(": Taximeter*?? /\r\n/\r\n#define INJECTED 2\r\n"), std::string::npos);
  EXPECT_NE(header.find("signal \"Door*\\ \r\n\\\r\n /\r\n#define INJECTED 3\" : "), std::string::npos);
  expectHeaderCompiles(dir.file("out*/macros.h"));
}

TEST(BadInput, DatabaseBinaryOrMalformed) {
  const struct {
    const char* what;
    std::string bytes;
    std::string why;
  } cases[] = {
      {"binary", std::string("\x7f" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0", 16) + std::string(200, '\x01'),
       "line 1: a NUL byte, which no text file holds"},
      {"malformed variable", "VERSION \"\"\r\n\r\nBU_: Tester\r\n\r\nEV_ broken: 0 [0|1 \"\" 0 1;\r\n",
       "line 5: \"EV_\" statement cannot be read from \"\"\" 0 1;\""},
      {"string never closed", "VERSION \"\r\n\r\nBU_: Tester\r\n",
       "line 1: a quoted string starts here and is never closed"},
      {"C source", "#include \"taxi.h\"\n\nint main(void) {\n  return 0;\n}\n",
       "line 1: \"#include\" is not a statement"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    placeSheet(dir);
    writeFile(dir.file("taxi.dbc"), c.bytes);
    const CommandResult result = runProgram(mode1Arguments(), dir.path());
    EXPECT_EQ(result.exitCode, 2);
    const std::string tail = "Database \"./taxi.dbc\" cannot be opened\n" + c.why + "\n\nERROR GENERATING\n";
    EXPECT_TRUE(endsWith(result.output, tail)) << result.output;
    EXPECT_EQ(readFile(dir.file("taxi.dbc")), c.bytes);
    EXPECT_FALSE(testsupport::exists(dir.file("tester.can")));
  }
}

TEST(BadInput, DatabasePathOver1024Characters) {
  TempDir dir;
  placeSheet(dir);
  std::string path;
  while (path.size() < 1020) path += "./";
  path += "taxi.dbc";
  ASSERT_GT(path.size(), 1024u);
  std::vector<std::string> arguments = mode1Arguments();
  arguments[7] = path;
  const CommandResult result = runProgram(arguments, dir.path());
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_TRUE(endsWith(result.output, "Database \"" + path + "\" cannot be created\nERROR GENERATING\n"))
      << result.output.substr(result.output.size() > 300 ? result.output.size() - 300 : 0);
  EXPECT_FALSE(testsupport::exists(dir.file("taxi.dbc")));
  EXPECT_FALSE(testsupport::exists(dir.file("tester.can")));
}

// A reproducible build fixes the header's moment with SOURCE_DATE_EPOCH; a
// value that is no such moment ends a mode 2 run before anything is opened
// instead of giving the header the clock's moment or a year out of range.
TEST(BadInput, MalformedSourceDateEpoch) {
  struct Case {
    std::string value;
    int exitCode;
    std::string expected;  // the end of the output, or the header's date and time lines
  };
  const auto refused = [](const std::string& value) {
    return "Error executing co447gen: SOURCE_DATE_EPOCH \"" + value +
           "\" is not a whole number of seconds from 0 to 253402300799\n\n";
  };
  const std::vector<Case> cases = {
      {"+1", 1, refused("+1")},
      {" 1", 1, refused(" 1")},
      {"-1", 1, refused("-1")},
      {"abc", 1, refused("abc")},
      {"1e9", 1, refused("1e9")},
      {"253402300800", 1, refused("253402300800")},
      {"99999999999999999999999", 1, refused("99999999999999999999999")},
      {"253402300799", 0, "   generation date: 9999-12-31\r\n   generation time: 23:59\r\n"},
      {"0000", 0, "   generation date: 1970-1-1\r\n   generation time: 0:0\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("SOURCE_DATE_EPOCH=\"" + c.value + "\"");
    TempDir dir;
    placeSheet(dir);
    const testsupport::ScopedEnvironment epoch("SOURCE_DATE_EPOCH", c.value.c_str());
    const CommandResult result = runProgram(mode2Arguments(), dir.path());
    EXPECT_EQ(result.exitCode, c.exitCode) << result.output;
    if (c.exitCode != 0) {
      EXPECT_TRUE(endsWith(result.output, c.expected)) << result.output;
      EXPECT_FALSE(testsupport::exists(dir.file("signals_log.txt")));
      EXPECT_FALSE(testsupport::exists(dir.file("macros.h")));
    } else {
      EXPECT_NE(readFile(dir.file("macros.h")).find(c.expected), std::string::npos);
    }
  }
  // Only the header records a moment: the node scripts do not look at it.
  TempDir dir;
  placeSheet(dir);
  const testsupport::ScopedEnvironment epoch("SOURCE_DATE_EPOCH", "abc");
  EXPECT_EQ(runProgram(mode1Arguments(), dir.path()).exitCode, 0);
}

// -nme Dut names the DUT's variable "ID_Dut", which is also its node id
// variable: the run says so once, before it enters the variables.
TEST(BadInput, NameThatIsANodeVariable) {
  TempDir dir;
  placeSheet(dir);
  std::vector<std::string> arguments = mode1Arguments();
  arguments[13] = "Dut";  // -nme
  arguments[15] = "Dut";  // -tme
  const CommandResult result = runProgram(arguments, dir.path());
  EXPECT_EQ(result.exitCode, 0) << result.output;
  const std::string warning =
      "Warning: environment variable \"ID_Dut\" serves the device under test's name (-nme), the device under "
      "test's node id and the tester's name (-tme)\n\n";
  const std::size_t at = result.output.find("Adding environmant variables to database \"./taxi.dbc\"...\n\n" + warning);
  EXPECT_NE(at, std::string::npos) << result.output;
  EXPECT_EQ(result.output.find(warning, at + warning.size()), std::string::npos) << "warned twice";
  EXPECT_NE(readFile(dir.file("signals_log.txt")).find(testsupport::crlf(warning)), std::string::npos);
  EXPECT_EQ(testsupport::identifiersAfter(readFile(dir.file("taxi.dbc")), "EV_ ID_").size(), 2u);
}

}  // namespace
