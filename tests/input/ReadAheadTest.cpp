#include "input/sources/ReadAhead.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

namespace {

// A source that hands out `text` in pieces of at most `piece` bytes and
// then answers `last` (0: the end, negative: a failure).
struct PieceSource {
  std::string text;
  std::size_t piece;
  long long last;
  std::size_t position = 0;
  long long operator()(char* buffer, std::size_t size) {
    if (position >= text.size()) return last;
    const std::size_t count = std::min({size, piece, text.size() - position});
    std::copy_n(text.data() + position, count, buffer);
    position += count;
    return static_cast<long long>(count);
  }
};

std::string pattern(std::size_t size) {
  std::string text(size, '\0');
  for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>('a' + i % 23);
  return text;
}

TEST(ReadAhead, GivesTheSourceBytesInOrderThenItsLastAnswer) {
  struct Case {
    std::size_t size, piece, chunkBytes, chunks, readSize;
    long long last;
  };
  const std::vector<Case> cases = {
      {0, 1, 16, 2, 8, 0},            // empty source
      {1000, 1000, 64, 2, 7, 0},      // pieces larger than a chunk
      {1000, 3, 64, 1, 100, 0},       // one chunk in flight
      {100000, 4096, 1000, 4, 333, 0},
      {5000, 100, 256, 3, 50, -1},    // fails after all its bytes
      {0, 1, 16, 2, 8, -1},           // fails at once
  };
  for (const Case& c : cases) {
    const std::string text = pattern(c.size);
    PieceSource source{text, c.piece, c.last};
    ReadAhead ahead([&source](char* buffer, std::size_t size) { return source(buffer, size); }, c.chunkBytes,
                     c.chunks);
    std::string got;
    std::vector<char> buffer(c.readSize);
    long long answer = 0;
    while ((answer = ahead.read(buffer.data(), buffer.size())) > 0) {
      ASSERT_LE(static_cast<std::size_t>(answer), c.readSize);
      got.append(buffer.data(), static_cast<std::size_t>(answer));
    }
    EXPECT_EQ(answer, c.last) << c.size << "/" << c.piece;
    EXPECT_TRUE(got == text) << c.size << "/" << c.piece;
    // The last answer is kept.
    EXPECT_EQ(ahead.read(buffer.data(), buffer.size()), c.last);
  }
}

TEST(ReadAhead, StopsWhenDroppedBeforeTheEnd) {
  long long calls = 0;
  {
    ReadAhead ahead(
        [&calls](char* buffer, std::size_t size) {
          ++calls;
          std::fill_n(buffer, size, 'x');
          return static_cast<long long>(size);
        },
        16, 2);
    char buffer[4];
    EXPECT_EQ(ahead.read(buffer, sizeof buffer), 4);
  }
  // It read at most the chunks it may keep, plus the one being given out.
  EXPECT_LE(calls, 3);
}

// What the source throws on the reading thread (out of memory) reaches the
// caller, after the bytes read before, and again on every later read.
TEST(ReadAhead, WhatTheSourceThrowsIsThrownByRead) {
  PieceSource source{pattern(5000), 100, 0};
  ReadAhead ahead(
      [&source](char* buffer, std::size_t size) {
        if (source.position >= source.text.size()) throw std::bad_alloc();
        return source(buffer, size);
      },
      256, 3);
  std::string got;
  char buffer[64];
  EXPECT_THROW(
      for (;;) got.append(buffer, static_cast<std::size_t>(ahead.read(buffer, sizeof buffer))), std::bad_alloc);
  EXPECT_TRUE(got == source.text);
  EXPECT_THROW(ahead.read(buffer, sizeof buffer), std::bad_alloc);
}

}  // namespace
