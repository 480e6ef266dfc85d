#include "util/ByteBuffer.h"

#include <cstring>

void ByteBuffer::grow(std::size_t wanted, std::size_t keep) {
  if (wanted <= capacity) return;
  std::unique_ptr<char[]> grown(new char[wanted]);
  if (keep > 0) std::memcpy(grown.get(), bytes.get(), keep);
  bytes = std::move(grown);
  capacity = wanted;
}
