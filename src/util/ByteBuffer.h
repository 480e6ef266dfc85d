// Room for bytes that are written before they are read: unlike a string
// it is not filled with zeros when it grows.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>

struct ByteBuffer {
  std::unique_ptr<char[]> bytes;
  std::size_t capacity = 0;

  // Grows to at least `wanted` bytes, keeping the first `keep`.
  void grow(std::size_t wanted, std::size_t keep);
  void swap(ByteBuffer& other) {
    std::swap(bytes, other.bytes);
    std::swap(capacity, other.capacity);
  }
};
