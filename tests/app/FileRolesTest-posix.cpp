// The file roles where symbolic links spell the paths: a link names the
// file it leads to, also one that is not there yet. (The other spellings:
// FileRolesTest.cpp.)
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "app/FileRolesFixtures.h"
#include "util/Paths.h"

namespace {

using namespace rolefixtures;
using testsupport::TempDir;

namespace fs = std::filesystem;

TEST(FileRoles, SymbolicLinksNameTheFileTheyLeadTo) {
  Files files;
  const std::string dir = files.dir.path();
  const std::string sheet = files.at("s.xlsx");
  const std::string database = files.at("db/taxi.dbc");
  fs::create_symlink(sheet, files.at("link.xlsx"));
  fs::create_directory_symlink(files.at("db"), files.at("dblink"));
  fs::create_symlink(files.at("s_log.txt"), files.at("loglink.h"));
  // A link to where the relations file will be created.
  fs::create_symlink(files.at("object_signal_relations.txt"), files.at("relations-to-be.h"));

  const std::string outSheet = "parameter \"-out\" (output file) names the same file as the signal description file \"";
  expectMessages({
      {"a symbolic link to the sheet", mode2(sheet, dir + "/link.xlsx"), outSheet + sheet + "\""},
      {"the sheet given through a link", mode2(dir + "/link.xlsx", sheet), outSheet + dir + "/link.xlsx\""},
      {"output is the log through a link", mode2(sheet, dir + "/loglink.h"),
       "parameter \"-out\" (output file) names the same file as the log file \"" + dir + "/s_log.txt\""},
      {"output is the relations file to be", mode1(sheet, database, dir + "/relations-to-be.h"),
       "parameter \"-out\" (output file) names the same file as the relations file \"" + dir +
           "/object_signal_relations.txt\""},
      {"output is the database through a linked directory", mode1(sheet, database, dir + "/dblink/taxi.dbc"),
       "parameter \"-out\" (output file) names the same file as the database \"" + database + "\""},
  });
}

TEST(FileRoles, ResolvedPaths) {
  TempDir dir;
  fs::create_directory(dir.file("a"));
  fs::create_symlink("a", dir.file("rel"));
  fs::create_symlink(dir.file("missing/deeper"), dir.file("dangling"));
  fs::create_symlink("loop2", dir.file("loop1"));
  fs::create_symlink("loop1", dir.file("loop2"));
  const std::string root = resolvedPath(dir.path());
  EXPECT_EQ(resolvedPath(dir.file("rel/x.h")), root + "/a/x.h");
  EXPECT_EQ(resolvedPath(dir.file("rel/../rel/./x.h")), root + "/a/x.h");
  EXPECT_EQ(resolvedPath(dir.file("dangling")), root + "/missing/deeper");
  EXPECT_EQ(resolvedPath(dir.file("nothing/../a")), root + "/a");
  EXPECT_EQ(resolvedPath("/../.."), "/");
  // A loop of links ends; the result only has to be the same every time.
  EXPECT_EQ(resolvedPath(dir.file("loop1")), resolvedPath(dir.file("loop1")));
}

}  // namespace
