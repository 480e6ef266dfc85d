// Reads a byte source ahead on a thread of its own: while the caller parses
// one chunk of an inflating zip entry, the next chunks are inflated. The
// source is only called from that thread once reading ahead has started,
// and it must outlive the ReadAhead.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class ReadAhead {
 public:
  // Fills buffer with the next bytes: their number, 0 at the end, negative
  // when the source cannot be read.
  using Source = std::function<long long(char* buffer, std::size_t size)>;

  // Keeps up to `chunks` chunks of `chunkBytes` read ahead. Throws
  // std::system_error when the thread cannot be started.
  explicit ReadAhead(Source source, std::size_t chunkBytes = 256 * 1024, std::size_t chunks = 4);
  // Stops reading ahead (a read in progress is finished first).
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // The same answers the source gives, in the same order: the number of
  // bytes copied into buffer, 0 at the end, negative on failure. The end and
  // a failure are kept: later calls give them again. What the source threw
  // is thrown here, again on later calls.
  long long read(char* buffer, std::size_t size);

 private:
  struct Chunk {
    std::string bytes;
    long long result = 0;  // what the source answered for this chunk
    std::exception_ptr failure;  // what it threw instead
  };

  void run();

  Source source_;
  std::size_t chunkBytes_;
  std::size_t maxChunks_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Chunk> ready_;       // read, not yet taken
  std::vector<std::string> free_;  // buffers to read into
  std::size_t taken_ = 0;         // chunks read but not given back
  bool stopping_ = false;
  // The chunk being handed out to read().
  Chunk current_;
  std::size_t offset_ = 0;
  bool haveCurrent_ = false;
  std::thread thread_;
};
