#include "input/sources/ReadAhead.h"

#include <algorithm>
#include <cstring>
#include <utility>

ReadAhead::ReadAhead(Source source, std::size_t chunkBytes, std::size_t chunks)
    : source_(std::move(source)), chunkBytes_(std::max<std::size_t>(chunkBytes, 1)),
      maxChunks_(std::max<std::size_t>(chunks, 1)), thread_([this] { run(); }) {}

ReadAhead::~ReadAhead() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void ReadAhead::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    // taken_ counts the chunks queued and the one handed out.
    changed_.wait(lock, [this] { return stopping_ || taken_ < maxChunks_; });
    if (stopping_) return;
    Chunk chunk;
    if (!free_.empty()) {
      chunk.bytes = std::move(free_.back());
      free_.pop_back();
    }
    ++taken_;
    lock.unlock();
    // What the source throws (out of memory) is thrown again by read().
    try {
      chunk.bytes.resize(chunkBytes_);
      chunk.result = source_(&chunk.bytes[0], chunkBytes_);
    } catch (...) {
      chunk.failure = std::current_exception();
      chunk.result = -1;
    }
    lock.lock();
    const bool last = chunk.result <= 0;
    ready_.push_back(std::move(chunk));
    changed_.notify_all();
    if (last) return;  // the end or a failure: nothing more to read
  }
}

long long ReadAhead::read(char* buffer, std::size_t size) {
  if (!haveCurrent_ || (current_.result > 0 && offset_ >= static_cast<std::size_t>(current_.result))) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (haveCurrent_) {
      free_.push_back(std::move(current_.bytes));
      --taken_;
      changed_.notify_all();
    }
    changed_.wait(lock, [this] { return !ready_.empty(); });
    current_ = std::move(ready_.front());
    ready_.pop_front();
    offset_ = 0;
    haveCurrent_ = true;
  }
  if (current_.failure != nullptr) std::rethrow_exception(current_.failure);
  if (current_.result <= 0) return current_.result;
  const std::size_t count = std::min(size, static_cast<std::size_t>(current_.result) - offset_);
  std::memcpy(buffer, current_.bytes.data() + offset_, count);
  offset_ += count;
  return static_cast<long long>(count);
}
