// A path given for one role that names the file of another role is refused
// before the run starts, however it is spelled (symbolic links:
// FileRolesTest-posix.cpp; the spellings of Windows: FileRolesTest-win32.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/FileRolesFixtures.h"

namespace {

using namespace rolefixtures;
using testsupport::TempDir;
using testsupport::writeFile;

namespace fs = std::filesystem;

TEST(FileRoles, EverySpellingOfOneFileIsFound) {
  Files files;
  const std::string dir = files.dir.path();
  const std::string sheet = files.at("s.xlsx");
  const std::string database = files.at("db/taxi.dbc");
  fs::create_hard_link(sheet, files.at("hard.xlsx"));

  const std::string outSheet = "parameter \"-out\" (output file) names the same file as the signal description file \"";
  expectMessages({
      {"distinct files pass", mode1(sheet, database, dir + "/out.can"), ""},
      {"output is the sheet", mode2(sheet, sheet), outSheet + sheet + "\""},
      {"spelled with ..", mode2(sheet, dir + "/db/../s.xlsx"), outSheet + sheet + "\""},
      {"spelled with . and //", mode2(sheet, dir + "/./db//../s.xlsx"), outSheet + sheet + "\""},
      {"spelled with backslashes", mode2(sheet, dir + "\\db\\..\\s.xlsx"), outSheet + sheet + "\""},
      {"a hard link to the sheet", mode2(sheet, dir + "/hard.xlsx"), outSheet + sheet + "\""},
      {"output is the column map", mode2(sheet, dir + "/s.ini"),
       "parameter \"-out\" (output file) names the same file as the column map \"" + dir + "/s.ini\""},
      {"output is the log", mode2(sheet, dir + "/./s_log.txt"),
       "parameter \"-out\" (output file) names the same file as the log file \"" + dir + "/s_log.txt\""},
      {"a log that does not exist yet",
       mode2(dir + "/new.xlsx", dir + "/db/../new_log.txt"),
       "parameter \"-out\" (output file) names the same file as the log file \"" + dir + "/new_log.txt\""},
      {"output is the relations file to be", mode1(sheet, database, dir + "/db/../object_signal_relations.txt"),
       "parameter \"-out\" (output file) names the same file as the relations file \"" + dir +
           "/object_signal_relations.txt\""},
      {"mode 2 has no relations file", mode2(sheet, dir + "/object_signal_relations.txt"), ""},
      {"output is the database", mode1(sheet, database, dir + "/db/./taxi.dbc"),
       "parameter \"-out\" (output file) names the same file as the database \"" + database + "\""},
      {"database is the sheet", mode1(sheet, dir + "/hard.xlsx", dir + "/out.can"),
       "parameter \"-sdb\" (database to generate) names the same file as the signal description file \"" + sheet +
           "\""},
      {"database is the column map", mode1(sheet, dir + "/s.ini", dir + "/out.can"),
       "parameter \"-sdb\" (database to generate) names the same file as the column map \"" + dir + "/s.ini\""},
      {"database is the log", mode1(sheet, dir + "/s_log.txt", dir + "/out.can"),
       "parameter \"-sdb\" (database to generate) names the same file as the log file \"" + dir + "/s_log.txt\""},
      {"database is the relations file to be", mode1(sheet, dir + "/object_signal_relations.txt", dir + "/o.can"),
       "parameter \"-sdb\" (database to generate) names the same file as the relations file \"" + dir +
           "/object_signal_relations.txt\""},
      // The relations file is written before the sheet is read.
      {"the sheet is the relations file", mode1(dir + "/object_signal_relations.txt", database, dir + "/o.can"),
       "parameter \"-xls\" (signal description file) names the same file as the relations file \"" + dir +
           "/object_signal_relations.txt\""},
      {"the sheet is the relations file through ..", mode1(dir + "/db/../object_signal_relations.txt", database,
                                                           dir + "/o.can"),
       "parameter \"-xls\" (signal description file) names the same file as the relations file \"" + dir +
           "/db/../object_signal_relations.txt\""},
      {"mode 2 reads a sheet of that name", mode2(dir + "/object_signal_relations.txt", dir + "/o.h"), ""},
      {"-xls before -sdb", mode1(dir + "/object_signal_relations.txt", dir + "/object_signal_relations.txt",
                                 dir + "/o.can"),
       "parameter \"-xls\" (signal description file) names the same file as the relations file \"" + dir +
           "/object_signal_relations.txt\""},
      // -sdb is checked first, and against the sheet before the log.
      {"both wrong: -sdb first", mode1(sheet, dir + "/s_log.txt", sheet),
       "parameter \"-sdb\" (database to generate) names the same file as the log file \"" + dir + "/s_log.txt\""},
  });
}

TEST(FileRoles, RelativeSpellingsFromTheWorkingDirectory) {
  Files files;
  const fs::path previous = fs::current_path();
  fs::current_path(files.dir.path());
  const std::string shown = parse(mode2("./s.xlsx", "db/../s.xlsx"));
  const std::string other = parse(mode2("s.xlsx", "./db/../../" + fs::path(files.dir.path()).filename().string() +
                                                      "/s.ini"));
  fs::current_path(previous);
  EXPECT_EQ(shown, kPrefix +
                       "parameter \"-out\" (output file) names the same file as the signal description file "
                       "\"./s.xlsx\"\n\n");
  EXPECT_EQ(other, kPrefix + "parameter \"-out\" (output file) names the same file as the column map \"s.ini\"\n\n");
}

// Nothing is opened or written when the roles collide: the sheet that the
// output (or the relations file's header) would have replaced is still
// there, and no log is written.
TEST(FileRoles, RefusedRunTouchesNothing) {
  struct Case {
    std::string sheet;
    std::vector<std::string> arguments;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"s.csv", {"-m", "2", "-xls", "./s.csv", "-out", "./s.csv", "-nme", "A", "-tme", "B"},
       "parameter \"-out\" (output file) names the same file as the signal description file \"./s.csv\""},
      {"object_signal_relations.txt",
       {"-m", "1", "-id", "5", "-idt", "6", "-sdb", "./x.dbc", "-xls", "./object_signal_relations.txt", "-out",
        "./x.can", "-nme", "A", "-tme", "B"},
       "parameter \"-xls\" (signal description file) names the same file as the relations file "
       "\"./object_signal_relations.txt\""},
      {"object_signal_relations.txt",
       {"-m", "3", "-sdb", "./x.dbc", "-xls", "./object_signal_relations.txt", "-out", "./x.cin", "-nme", "A",
        "-tme", "B"},
       "parameter \"-xls\" (signal description file) names the same file as the relations file "
       "\"./object_signal_relations.txt\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    TempDir dir;
    const std::string base = fs::path(c.sheet).stem().string();
    writeFile(dir.file(c.sheet), "the user's sheet");
    writeFile(dir.file(base + ".ini"), "[XLSImport]\n");
    const testsupport::CommandResult result = testsupport::runProgram(c.arguments, dir.path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.output.find(kPrefix + c.message + "\n\n"), std::string::npos) << result.output;
    EXPECT_EQ(testsupport::readFile(dir.file(c.sheet)), "the user's sheet");
    // Only the sheet and its column map: no log, no database, no output.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
  }
}

}  // namespace
