#include "framework/ParallelPieceWriter.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "framework/ZGenerator.h"
#include "util/TextStream.h"

namespace {

// A piece that writes lines numbered after it, some of them long, and
// fails when told to.
class NumberedPiece : public ZNewFunction {
 public:
  NumberedPiece(std::size_t number, bool succeed) : number_(number), succeed_(succeed) {}
  bool writeBody(TextStream& stream, ZGeneratorInterface&) override {
    const std::string number = std::to_string(number_);
    stream.line("piece ", number);
    if (number_ % 9 == 0) stream.write(std::string(number_ * 7 % 3000, 'x') + "\nend " + number + "\n");
    return succeed_;
  }

 private:
  std::size_t number_;
  bool succeed_;
};

std::string expectedText(std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string number = std::to_string(i);
    text += "piece " + number + "\r\n";
    if (i % 9 == 0) text += std::string(i * 7 % 3000, 'x') + "\r\nend " + number + "\r\n";
  }
  return text;
}

TEST(ParallelPieceWriter, WritesInListOrderWhateverTheThreads) {
  struct Case {
    std::size_t pieces;
    std::size_t failing;  // index of a failing piece; pieces for none
  };
  const std::vector<Case> cases = {{0, 0}, {1, 1}, {63, 63}, {64, 10}, {65, 64}, {3000, 3000}, {3000, 1777}};
  SignalTable table;
  ZCoMacro447InteractionLayer generator(table);
  for (const Case& c : cases) {
    for (unsigned threads : {1u, 2u, 4u}) {
      std::vector<std::unique_ptr<ZNoslFunction>> pieces;
      for (std::size_t i = 0; i < c.pieces; ++i) pieces.push_back(std::make_unique<NumberedPiece>(i, i != c.failing));
      TextStream output;
      output.write("head\n");
      const bool written = writePiecesInParallel(pieces, output, generator, threads);
      EXPECT_EQ(written, c.failing >= c.pieces) << c.pieces << " pieces, " << threads << " threads";
      EXPECT_TRUE(output.contents() == "head\r\n" + expectedText(c.pieces))
          << c.pieces << " pieces, " << threads << " threads";
      EXPECT_TRUE(pieces.empty());
      // The output goes on writing CR LF line ends.
      output.line("tail");
      EXPECT_EQ(output.contents().substr(output.contents().size() - 6), "tail\r\n");
    }
  }
}

// A piece that runs out of memory on whichever thread composes it ends the
// writing with that, on the caller's thread, once every thread stopped.
TEST(ParallelPieceWriter, WhatAPieceThrowsIsThrownToTheCaller) {
  class ThrowingPiece : public ZNewFunction {
   public:
    bool writeBody(TextStream&, ZGeneratorInterface&) override { throw std::bad_alloc(); }
  };
  SignalTable table;
  ZCoMacro447InteractionLayer generator(table);
  for (std::size_t throwing : {0u, 1777u, 2999u}) {
    for (unsigned threads : {1u, 2u, 4u}) {
      std::vector<std::unique_ptr<ZNoslFunction>> pieces;
      for (std::size_t i = 0; i < 3000; ++i) {
        if (i == throwing) {
          pieces.push_back(std::make_unique<ThrowingPiece>());
        } else {
          pieces.push_back(std::make_unique<NumberedPiece>(i, true));
        }
      }
      TextStream output;
      EXPECT_THROW(writePiecesInParallel(pieces, output, generator, threads), std::bad_alloc)
          << "piece " << throwing << ", " << threads << " threads";
      EXPECT_TRUE(pieces.empty());
    }
  }
}

}  // namespace
