#include <gtest/gtest.h>

#include "util/TextStream.h"

namespace {

TEST(TextStream, AsGivenKeepsBytesUntilCrLfIsChosenAgain) {
  TextStream stream;
  stream.line("a");
  stream.setLineEnd(TextStream::LineEnd::AsGiven);
  stream.write("kept\r\nlf only\n");
  stream.line("b");
  stream.setLineEnd(TextStream::LineEnd::CrLf);
  stream.line("c");
  EXPECT_EQ(stream.contents(), "a\r\nkept\r\nlf only\nb\nc\r\n");
}

}  // namespace
