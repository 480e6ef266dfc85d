#include "util/TextStream.h"

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

namespace {

using testsupport::TempDir;

TEST(TextStream, EveryLineFeedBecomesCrLf) {
  TextStream stream;
  stream.line("a");
  stream.write("b\nc");
  stream.line();
  static const char* const kListing[] = {"x", ""};
  stream.lines(kListing);
  EXPECT_EQ(stream.contents(), "a\r\nb\r\nc\r\nx\r\n\r\n");
}

TEST(TextStream, LineOfSeveralPiecesIsOneLine) {
  TextStream stream;
  const std::string middle = "b\nc";
  stream.line("a", middle, std::string_view("d"));
  stream.line("", "");
  EXPECT_EQ(stream.contents(), "ab\r\ncd\r\n\r\n");
}

TEST(TextStream, AppendKeepsEarlierContentAndTruncateReplacesIt) {
  TempDir dir;
  const std::string path = dir.file("f.txt");
  {
    TextStream out;
    ASSERT_TRUE(out.open(path, TextStream::Mode::Append));
    out.line("one");
    EXPECT_TRUE(out.close());
  }
  {
    TextStream out;
    ASSERT_TRUE(out.open(path, TextStream::Mode::Append));
    out.line(std::string(100000, 'z'));
  }
  EXPECT_EQ(testsupport::readFile(path), "one\r\n" + std::string(100000, 'z') + "\r\n");
  {
    TextStream out;
    ASSERT_TRUE(out.open(path, TextStream::Mode::Truncate));
    out.line("new");
  }
  EXPECT_EQ(testsupport::readFile(path), "new\r\n");
}

TEST(TextStream, UnopenableFileFailsAndWritesAreRefused) {
  TempDir dir;
  TextStream out;
  EXPECT_FALSE(out.open(dir.file("missing/f.txt"), TextStream::Mode::Truncate));
  EXPECT_FALSE(out.isOpen());
  out.line("lost");
  EXPECT_TRUE(out.failed());
  EXPECT_FALSE(out.close());
}

// Files of several chunks are handed to the file a chunk at a time; the
// bytes must arrive complete and in order, whatever the size of the pieces.
TEST(TextStream, LargeFileArrivesWholeAndInOrder) {
  TempDir dir;
  const std::string path = dir.file("big.txt");
  std::string expected;
  {
    TextStream out;
    ASSERT_TRUE(out.open(path, TextStream::Mode::Truncate));
    for (int i = 0; i < 200000; ++i) {
      const std::string number = std::to_string(i);
      out.line("line ", number, i % 7 == 0 ? "\nsplit" : "");
      expected += "line " + number + (i % 7 == 0 ? "\r\nsplit" : "") + "\r\n";
      if (i % 50000 == 0) {
        // A single text longer than a chunk, with line feeds inside.
        const std::string block = std::string(3 << 20, 'b') + "\n" + std::string(100, 'c');
        out.write(block);
        expected += std::string(3 << 20, 'b') + "\r\n" + std::string(100, 'c');
      }
    }
    EXPECT_TRUE(out.close());
  }
  EXPECT_GT(expected.size(), std::size_t{8} << 20);
  EXPECT_TRUE(testsupport::readFile(path) == expected);
}

TEST(TextStream, ContentsCanBeTakenBetweenWrites) {
  TextStream stream;
  stream.write("a\n");
  EXPECT_EQ(stream.contents(), "a\r\n");
  stream.write(std::string(1000, 'x'));
  stream.line("y");
  EXPECT_EQ(stream.contents(), "a\r\n" + std::string(1000, 'x') + "y\r\n");
}

}  // namespace
