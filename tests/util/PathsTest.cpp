// Splitting and joining paths, and what stands at one.
#include "util/Paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

using testsupport::TempDir;

TEST(Paths, SplitAndDirectoryRule) {
  struct Case {
    std::string path, directory, name, extension;
  };
  // The separator appended to a directory path is the platform's.
  const std::string end(1, kDirectorySeparator);
  const std::vector<Case> cases = {
      {"out.can", "", "out", ".can"},
      {"./out.can", "./", "out", ".can"},
      {"/tmp/gen/node", "/tmp/gen/node" + end, "", ""},
      {"/tmp/gen/node//", "/tmp/gen/node" + end, "", ""},
      {"dir\\sub\\a.b.xlsx", "dir\\sub\\", "a.b", ".xlsx"},
      {"/a.b/c", "/a.b/c" + end, "", ""},
      {"nodot", "", "nodot", ""},
  };
  for (const Case& c : cases) {
    const SplitPath parts = splitPath(c.path);
    EXPECT_EQ(parts.drive, "") << c.path;
    EXPECT_EQ(parts.directory, c.directory) << c.path;
    EXPECT_EQ(parts.name, c.name) << c.path;
    EXPECT_EQ(parts.extension, c.extension) << c.path;
  }
  SplitPath ini = splitPath("/x/sheet.xlsx");
  ini.extension = ".ini";
  EXPECT_EQ(joinPath(ini), "/x/sheet.ini");
}

TEST(Paths, ExistenceTreatsBackslashAsSeparator) {
  TempDir dir;
  testsupport::writeFile(dir.file("f.txt"), "x");
  EXPECT_TRUE(isReadableFile(dir.file("f.txt")));
  EXPECT_TRUE(isReadableFile(dir.path() + "\\f.txt"));
  EXPECT_FALSE(isReadableFile(dir.path()));  // a directory is no file
  EXPECT_EQ(pathKindAt(dir.path() + "\\", true), PathKind::Directory);
  EXPECT_FALSE(isReadableFile(dir.file("g.txt")));
  EXPECT_TRUE(deleteFile(dir.file("f.txt")));
  EXPECT_FALSE(isReadableFile(dir.file("f.txt")));
  EXPECT_FALSE(deleteFile(dir.file("f.txt")));
}

}  // namespace
