#include "app/HeapSetup.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {

// The heap is reserved in one step of this size (address space only; pages
// are filled when touched), so that a run of 100 000 signals never grows it
// again.
constexpr std::size_t kHeapReserve = 256u << 20;
// Blocks up to this size come from the heap rather than from mappings of
// their own (the C library's upper limit for the setting).
constexpr int kLargestHeapBlock = 32 << 20;
constexpr std::uintptr_t kHugePage = 2u << 20;

}  // namespace

#if defined(__GLIBC__)

void prepareHeapForLargeRuns() {
  // Most of a run's time would otherwise go to page faults: every 4 KiB
  // page of the growing tables faults once, and again after freed memory
  // went back to the system. Keeping freed memory, reserving the heap at
  // once and asking for transparent huge pages on it makes one fault per
  // 2 MiB. Where the system refuses, nothing changes but speed.
  mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kHeapReserve));
  mallopt(M_TOP_PAD, static_cast<int>(kHeapReserve));
  const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
  // A block larger than what is left makes the heap grow, by the reserve.
  // (The volatile write keeps the compiler from leaving out the pair.)
  void* block = std::malloc(1u << 20);
  if (block != nullptr) *static_cast<volatile char*>(block) = 0;
  std::free(block);
  const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
  const std::uintptr_t start = (before + kHugePage - 1) & ~(kHugePage - 1);
  if (start < end) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

#else

// Other C libraries keep their own policy.
void prepareHeapForLargeRuns() {}

#endif
