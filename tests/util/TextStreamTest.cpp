#include "util/TextStream.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "util/Paths.h"

namespace {

using testsupport::TempDir;

TEST(TextStream, EveryLineFeedBecomesCrLf) {
  ZTextStream stream;
  stream.line("a");
  stream.write("b\nc");
  stream.line();
  static const char* const kListing[] = {"x", ""};
  stream.lines(kListing);
  EXPECT_EQ(stream.contents(), "a\r\nb\r\nc\r\nx\r\n\r\n");
}

TEST(TextStream, LineOfSeveralPiecesIsOneLine) {
  ZTextStream stream;
  const std::string middle = "b\nc";
  stream.line("a", middle, std::string_view("d"));
  stream.line("", "");
  EXPECT_EQ(stream.contents(), "ab\r\ncd\r\n\r\n");
}

TEST(TextStream, AppendKeepsEarlierContentAndTruncateReplacesIt) {
  TempDir dir;
  const std::string path = dir.file("f.txt");
  {
    ZTextStream out;
    ASSERT_TRUE(out.open(path, ZTextStream::Mode::Append));
    out.line("one");
    EXPECT_TRUE(out.close());
  }
  {
    ZTextStream out;
    ASSERT_TRUE(out.open(path, ZTextStream::Mode::Append));
    out.line(std::string(100000, 'z'));
  }
  EXPECT_EQ(testsupport::readFile(path), "one\r\n" + std::string(100000, 'z') + "\r\n");
  {
    ZTextStream out;
    ASSERT_TRUE(out.open(path, ZTextStream::Mode::Truncate));
    out.line("new");
  }
  EXPECT_EQ(testsupport::readFile(path), "new\r\n");
}

TEST(TextStream, UnopenableFileFailsAndWritesAreRefused) {
  TempDir dir;
  ZTextStream out;
  EXPECT_FALSE(out.open(dir.file("missing/f.txt"), ZTextStream::Mode::Truncate));
  EXPECT_FALSE(out.isOpen());
  out.line("lost");
  EXPECT_TRUE(out.failed());
  EXPECT_FALSE(out.close());
}

TEST(Paths, SplitAndDirectoryRule) {
  struct Case {
    std::string path, directory, name, extension;
  };
  const std::vector<Case> cases = {
      {"out.can", "", "out", ".can"},
      {"./out.can", "./", "out", ".can"},
      {"/tmp/gen/node", "/tmp/gen/node/", "", ""},
      {"/tmp/gen/node//", "/tmp/gen/node/", "", ""},
      {"C:\\gen\\node", "C:\\gen\\node/", "", ""},
      {"dir\\sub\\a.b.xlsx", "dir\\sub\\", "a.b", ".xlsx"},
      {"/a.b/c", "/a.b/c/", "", ""},
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
  EXPECT_TRUE(fileExists(dir.file("f.txt")));
  EXPECT_TRUE(fileExists(dir.path() + "\\f.txt"));
  EXPECT_FALSE(fileExists(dir.path()));  // a directory is no file
  EXPECT_TRUE(directoryExists(dir.path() + "\\"));
  EXPECT_FALSE(fileExists(dir.file("g.txt")));
  EXPECT_TRUE(deleteFile(dir.file("f.txt")));
  EXPECT_FALSE(fileExists(dir.file("f.txt")));
  EXPECT_FALSE(deleteFile(dir.file("f.txt")));
}

}  // namespace
