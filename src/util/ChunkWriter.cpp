#include "util/ChunkWriter.h"

ZChunkWriter::ZChunkWriter(std::FILE* file) : file_(file), thread_([this] { run(); }) {}

ZChunkWriter::~ZChunkWriter() { finish(); }

void ZChunkWriter::submit(ZByteBuffer& chunk, std::size_t size) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
  inFlight_.swap(chunk);
  inFlightSize_ = size;
  busy_ = true;
  changed_.notify_all();
}

bool ZChunkWriter::finish() {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    stopping_ = true;
    changed_.notify_all();
  }
  if (thread_.joinable()) thread_.join();
  return !failed_;
}

void ZChunkWriter::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return busy_ || stopping_; });
    if (!busy_) return;
    // The chunk is not touched by anyone else until busy_ is cleared.
    lock.unlock();
    const bool written = std::fwrite(inFlight_.bytes.get(), 1, inFlightSize_, file_) == inFlightSize_;
    lock.lock();
    if (!written) failed_ = true;
    busy_ = false;
    changed_.notify_all();
  }
}
