#include "framework/ZParallelPieceWriter.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "util/TextStream.h"

namespace {

// Pieces per batch: enough that a batch is worth handing to a thread,
// few enough that the threads share the work evenly.
constexpr std::size_t kPiecesPerBatch = 64;
// Batches composed ahead of the one being written; bounds the memory the
// composed texts take.
constexpr std::size_t kBatchesAhead = 16;

struct Batch {
  std::size_t first = 0;
  std::size_t last = 0;  // one past
  std::unique_ptr<ZTextStream> text;  // in memory, once composed
  bool written = true;   // every piece's body succeeded
  bool done = false;
};

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

  // Composes batches until none is left to take (a helper thread).
  void help() {
    for (;;) {
      const std::size_t index = take(false);
      if (index == kNone) return;
      compose(index);
    }
  }

  // Waits for batch `index`, composing batches itself meanwhile; returns it.
  Batch& await(std::size_t index) {
    for (;;) {
      {
        std::unique_lock<std::mutex> lock(mutex_);
        if (batches_[index].done) return batches_[index];
      }
      const std::size_t own = take(true);
      if (own != kNone) {
        compose(own);
        continue;
      }
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [&] { return batches_[index].done; });
      return batches_[index];
    }
  }

  // Batch `index` is written: frees its text and lets the helpers go on.
  void release(std::size_t index) {
    std::lock_guard<std::mutex> lock(mutex_);
    written_ = index + 1;
    changed_.notify_all();
  }

  void stop() {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    changed_.notify_all();
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // The next batch to compose, or kNone when all are taken. Helpers wait
  // while they would run too far ahead of the writer; the writer does not.
  std::size_t take(bool writer) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!writer) {
      changed_.wait(lock, [this] { return stopping_ || next_ >= batches_.size() || next_ < written_ + kBatchesAhead; });
    }
    if (stopping_ || next_ >= batches_.size() || next_ >= written_ + kBatchesAhead) return kNone;
    return next_++;
  }

  void compose(std::size_t index) {
    Batch& batch = batches_[index];
    auto text = std::make_unique<ZTextStream>();
    bool written = true;
    for (std::size_t i = batch.first; i < batch.last; ++i) {
      if (!pieces_[i]->writeBody(*text, generator_)) written = false;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    batch.text = std::move(text);
    batch.written = written;
    batch.done = true;
    changed_.notify_all();
  }

  std::vector<std::unique_ptr<ZNoslFunction>>& pieces_;
  ZGeneratorInterface& generator_;
  std::deque<Batch> batches_;  // a deque: its elements never move
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t next_ = 0;     // the next batch to take
  std::size_t written_ = 0;  // batches written to the output
  bool stopping_ = false;
};

}  // namespace

unsigned pieceWriterThreads() { return std::clamp(std::thread::hardware_concurrency(), 1u, 4u); }

bool writePiecesInParallel(std::vector<std::unique_ptr<ZNoslFunction>>& pieces, ZTextStream& output,
                           ZGeneratorInterface& generator, unsigned threads) {
  Composer composer(pieces, generator);
  std::vector<std::thread> helpers;
  const std::size_t helperCount = std::min<std::size_t>(threads > 1 ? threads - 1 : 0, composer.batchCount());
  for (std::size_t i = 0; i < helperCount; ++i) helpers.emplace_back([&composer] { composer.help(); });

  bool allWritten = true;
  for (std::size_t index = 0; index < composer.batchCount(); ++index) {
    Batch& batch = composer.await(index);
    if (!batch.written) allWritten = false;
    // The composed text already has its line ends. (The output of a
    // generator writes CR LF.)
    output.setLineEnd(ZTextStream::LineEnd::AsGiven);
    output.write(batch.text->contents());
    output.setLineEnd(ZTextStream::LineEnd::CrLf);
    batch.text.reset();
    for (std::size_t i = batch.first; i < batch.last; ++i) pieces[i].reset();
    composer.release(index);
  }
  composer.stop();
  for (std::thread& helper : helpers) helper.join();
  pieces.clear();
  return allWritten && !output.failed();
}
