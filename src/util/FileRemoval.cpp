#include "util/FileRemoval.h"

#include <fcntl.h>
#include <unistd.h>

#include <mutex>
#include <thread>
#include <vector>

#include "util/Paths.h"

namespace {

// The threads that release removed files; joined before the program ends.
class Releasers {
 public:
  ~Releasers() { joinAll(); }
  void add(std::thread thread) {
    std::lock_guard<std::mutex> lock(mutex_);
    threads_.push_back(std::move(thread));
  }
  void joinAll() {
    std::vector<std::thread> threads;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      threads.swap(threads_);
    }
    for (std::thread& thread : threads) thread.join();
  }

 private:
  std::mutex mutex_;
  std::vector<std::thread> threads_;
};

Releasers& releasers() {
  static Releasers instance;
  return instance;
}

}  // namespace

bool removeFileInBackground(const std::string& path) {
  const std::string native = nativePath(path);
  // While a descriptor stays open the file outlives its name: unlink only
  // takes the name away, and closing the last descriptor frees the file.
  const int descriptor = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (::unlink(native.c_str()) != 0) {
    if (descriptor >= 0) ::close(descriptor);
    return false;
  }
  if (descriptor >= 0) releasers().add(std::thread([descriptor] { ::close(descriptor); }));
  return true;
}

void finishFileRemovals() { releasers().joinAll(); }
