#include "framework/ParallelPieceWriter.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

#include "util/TextStream.h"

namespace {

// Pieces per batch: enough that a batch is worth handing to a thread,
// few enough that the threads share the work evenly.
constexpr std::size_t kPiecesPerBatch = 64;
// Helpers stop composing ahead while the texts composed and not yet written
// take this many bytes. Enough to even out batches of different sizes; more
// would only spread the texts over memory that is touched for the first
// time, which costs more than composing. (A single huge piece, which the
// writer writes itself, may keep the writer busy for a while.)
constexpr std::size_t kBytesAhead = 4u << 20;
// Batches per helper thread: a small file is composed by the writer alone,
// without the stack and the memory arena another thread would take.
constexpr std::size_t kBatchesPerHelper = 16;

struct Batch {
  std::size_t first = 0;
  std::size_t last = 0;  // one past
  std::unique_ptr<TextStream> text;  // in memory, once composed; null when composing threw
  bool written = true;   // every piece's body succeeded
  bool done = false;
};

// Hands out batches. The writer takes the batch it is about to write when
// no helper has taken it yet and writes it straight into the output (no
// copy, and a single huge piece streams out as it is written); helpers
// compose the batches after it into memory, up to kBytesAhead. While a
// helper still composes the batch the writer is at, the writer composes
// the next free batch into memory too, rather than wait.
class Composer {
 public:
  Composer(std::vector<std::unique_ptr<ZNoslFunction>>& pieces, ZGeneratorInterface& generator)
      : pieces_(pieces), generator_(generator), batches_((pieces.size() + kPiecesPerBatch - 1) / kPiecesPerBatch) {
    for (std::size_t i = 0; i < batches_.size(); ++i) {
      batches_[i].first = i * kPiecesPerBatch;
      batches_[i].last = std::min(pieces.size(), (i + 1) * kPiecesPerBatch);
    }
  }

  std::size_t batchCount() const { return batches_.size(); }

  // Composes batches ahead of the writer until none is left (a helper).
  void help() {
    for (;;) {
      std::size_t index = 0;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        // Never the batch the writer is at, and not too far ahead of it.
        changed_.wait(lock, [this] {
          return stopping_ || next_ >= batches_.size() || (next_ > writing_ && bytesAhead_ < kBytesAhead);
        });
        if (stopping_ || next_ >= batches_.size()) return;
        index = next_++;
      }
      composeAhead(index);
    }
  }

  // Writes batch `index` to the output: composes it there when no helper
  // has taken it, otherwise waits for the helper and copies its text.
  // False when a piece failed.
  bool writeNext(std::size_t index, TextStream& output) {
    Batch& batch = batches_[index];
    bool written = true;
    bool own = false;
    for (;;) {
      std::unique_lock<std::mutex> lock(mutex_);
      writing_ = index;
      changed_.notify_all();
      if (next_ == index) {
        ++next_;
        own = true;
        break;
      }
      if (batch.done) break;
      // A helper is composing this batch: compose one after it meanwhile.
      if (next_ < batches_.size() && bytesAhead_ < kBytesAhead) {
        const std::size_t ahead = next_++;
        lock.unlock();
        composeAhead(ahead);
        continue;
      }
      changed_.wait(lock, [&batch] { return batch.done; });
      break;
    }
    if (own) {
      written = writeBatch(batch, output);
    } else if (batch.text == nullptr) {
      // Composing it failed (out of memory): the run ends with that.
      std::lock_guard<std::mutex> lock(mutex_);
      std::rethrow_exception(failure_);
    } else {
      // The composed text already has its line ends. (The output of a
      // generator writes CR LF.)
      output.setLineEnd(TextStream::LineEnd::AsGiven);
      output.write(batch.text->view());
      output.setLineEnd(TextStream::LineEnd::CrLf);
      const std::size_t size = batch.text->view().size();
      written = batch.written;
      std::lock_guard<std::mutex> lock(mutex_);
      // The stream goes back for the next batch: its memory is already
      // touched, and warm in the cache.
      spare_.push_back(std::move(batch.text));
      bytesAhead_ -= size;
      changed_.notify_all();
    }
    for (std::size_t i = batch.first; i < batch.last; ++i) pieces_[i].reset();
    return written;
  }

  void stop() {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    changed_.notify_all();
  }

  // What ended composing on some thread (out of memory), or null.
  std::exception_ptr failure() {
    std::lock_guard<std::mutex> lock(mutex_);
    return failure_;
  }

 private:
  // Composes a batch into memory for the writer to copy. What it throws
  // (out of memory) ends the composing: the batch is done without a text,
  // and the writer throws it again when it gets there.
  void composeAhead(std::size_t index) {
    Batch& batch = batches_[index];
    std::unique_ptr<TextStream> text;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!spare_.empty()) {
        text = std::move(spare_.back());
        spare_.pop_back();
      }
    }
    bool written = true;
    try {
      if (text == nullptr) text = std::make_unique<TextStream>();
      text->clear();
      // Batches of one generator are much alike: room for a little more
      // than the last one took.
      text->reserve(lastBatchBytes_.load(std::memory_order_relaxed) / 4 * 5);
      written = writeBatch(batch, *text);
    } catch (...) {
      std::lock_guard<std::mutex> lock(mutex_);
      if (failure_ == nullptr) failure_ = std::current_exception();
      batch.done = true;
      stopping_ = true;
      changed_.notify_all();
      return;
    }
    lastBatchBytes_.store(text->view().size(), std::memory_order_relaxed);
    std::lock_guard<std::mutex> lock(mutex_);
    bytesAhead_ += text->view().size();
    batch.text = std::move(text);
    batch.written = written;
    batch.done = true;
    changed_.notify_all();
  }

  bool writeBatch(const Batch& batch, TextStream& stream) {
    bool written = true;
    for (std::size_t i = batch.first; i < batch.last; ++i) {
      if (!pieces_[i]->writeBody(stream, generator_)) written = false;
    }
    return written;
  }

  std::vector<std::unique_ptr<ZNoslFunction>>& pieces_;
  ZGeneratorInterface& generator_;
  std::deque<Batch> batches_;  // a deque: its elements never move
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::unique_ptr<TextStream>> spare_;  // written, to be reused
  std::size_t next_ = 0;     // the next batch nobody has taken
  std::size_t writing_ = 0;  // the batch the writer is at
  std::size_t bytesAhead_ = 0;  // composed by helpers, not yet written
  std::atomic<std::size_t> lastBatchBytes_{0};
  bool stopping_ = false;
  std::exception_ptr failure_;  // the first thing composing threw
};

}  // namespace

unsigned pieceWriterThreads() { return std::clamp(std::thread::hardware_concurrency(), 1u, 4u); }

bool writePiecesInParallel(std::vector<std::unique_ptr<ZNoslFunction>>& pieces, TextStream& output,
                           ZGeneratorInterface& generator, unsigned threads) {
  Composer composer(pieces, generator);
  std::vector<std::thread> helpers;
  const std::size_t helperCount =
      std::min<std::size_t>(threads > 1 ? threads - 1 : 0, composer.batchCount() / kBatchesPerHelper);
  for (std::size_t i = 0; i < helperCount; ++i) {
    // A thread the system refuses (no memory for its stack) leaves the
    // work to the threads there are.
    try {
      helpers.emplace_back([&composer] { composer.help(); });
    } catch (const std::system_error&) {
      break;
    }
  }

  bool allWritten = true;
  std::exception_ptr failure;
  try {
    for (std::size_t index = 0; index < composer.batchCount(); ++index) {
      if (!composer.writeNext(index, output)) allWritten = false;
    }
  } catch (...) {
    failure = std::current_exception();
  }
  composer.stop();
  for (std::thread& helper : helpers) helper.join();
  pieces.clear();
  if (failure != nullptr) std::rethrow_exception(failure);
  return allWritten && !output.failed();
}
