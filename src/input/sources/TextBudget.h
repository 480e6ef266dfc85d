// Counts the cell text a source hands out during one read. Repeated rows
// and shared strings let a small file stand for far more text than it
// holds; once a read has handed out more text than any real sheet needs,
// the source reports the document as unreadable instead of feeding the
// reader without bound.
#pragma once

#include <cstdint>

class TextBudget {
 public:
  static constexpr uint64_t kMaxBytes = 256ull * 1024 * 1024;

  // False once the texts handed out so far, with this one, exceed the limit.
  bool take(uint64_t bytes) {
    used_ += bytes;
    return used_ <= kMaxBytes;
  }
  void reset() { used_ = 0; }

 private:
  uint64_t used_ = 0;
};
