// Writes the chunks of a file on a thread of its own, so that composing the
// next chunk overlaps with the system copying the last one into the file.
// One chunk is in flight at a time; handing over the next waits for it.
#pragma once

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

#include "util/ByteBuffer.h"

class ZChunkWriter {
 public:
  explicit ZChunkWriter(std::FILE* file);
  // Finishes the chunk in flight.
  ~ZChunkWriter();
  ZChunkWriter(const ZChunkWriter&) = delete;
  ZChunkWriter& operator=(const ZChunkWriter&) = delete;

  // Hands over the first `size` bytes of chunk to be written. Once the
  // chunk before it is written, chunk is swapped with that chunk's buffer,
  // which the caller fills next (its old contents are of no use).
  void submit(ZByteBuffer& chunk, std::size_t size);
  // Waits until everything handed over is written and ends the thread.
  // False if any write failed.
  bool finish();

 private:
  void run();

  std::FILE* file_;
  std::mutex mutex_;
  std::condition_variable changed_;
  ZByteBuffer inFlight_;
  std::size_t inFlightSize_ = 0;
  bool busy_ = false;      // inFlight_ still has to be written
  bool stopping_ = false;
  bool failed_ = false;
  std::thread thread_;
};
