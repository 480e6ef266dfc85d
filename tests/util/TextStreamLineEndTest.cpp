#include <gtest/gtest.h>

#include "util/TextStream.h"

namespace {

TEST(TextStream, AsGivenKeepsBytesUntilCrLfIsChosenAgain) {
  ZTextStream stream;
  stream.line("a");
  stream.setLineEnd(ZTextStream::LineEnd::AsGiven);
  stream.write("kept\r\nlf only\n");
  stream.line("b");
  stream.setLineEnd(ZTextStream::LineEnd::CrLf);
  stream.line("c");
  EXPECT_EQ(stream.contents(), "a\r\nkept\r\nlf only\nb\nc\r\n");
}

}  // namespace
