// The line writer where Windows has its own: a directory is refused also
// when named with "\". (Device names: PathsTest-win32.cpp; the rest:
// TextStreamTest.cpp.)
#include "util/TextStream.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"

namespace {

using testsupport::TempDir;

TEST(TextStream, DirectoryIsNotOpened) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("d"));
  for (const auto mode : {TextStream::Mode::Truncate, TextStream::Mode::Append}) {
    TextStream out;
    EXPECT_FALSE(out.open(dir.file("d"), mode));
    EXPECT_FALSE(out.open(dir.file("d") + "\\", mode));
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("d")));
}

}  // namespace
