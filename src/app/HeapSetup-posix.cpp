#include "app/HeapSetup.h"

#include <malloc.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// The heap of a run is reserved in one step, this many bytes per byte of
// its sheet (a run of 100 000 signals takes a fifth of it or less) and at
// most kLargestReserve, so that a large run never grows it again; a run
// whose share comes to less than kSmallestReserve reserves nothing.
constexpr uint64_t kReservePerSheetByte = 64;
constexpr std::size_t kLargestReserve = 256u << 20;
constexpr std::size_t kSmallestReserve = 8u << 20;
// Under a limit on its address space, a reservation takes at most this
// share of it.
constexpr std::size_t kLimitShare = 8;
// Beyond the reservation the heap grows in steps of this size.
constexpr int kGrowthStep = 1 << 20;
// Blocks up to this size come from the heap rather than from mappings of
// their own (the C library's upper limit for the setting).
constexpr int kLargestHeapBlock = 32 << 20;
constexpr std::uintptr_t kHugePage = 2u << 20;
// The address space a further memory arena of the C library takes.
constexpr std::size_t kArenaBytes = 64u << 20;

}  // namespace

#if defined(__GLIBC__)

namespace {

// The address space the process may take; 0 without a limit.
std::size_t addressSpaceLimit() {
  struct rlimit limit {};
  if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return 0;
  return static_cast<std::size_t>(limit.rlim_cur);
}

}  // namespace

void prepareHeapForLargeRuns() {
  // Most of a run's time would otherwise go to page faults: every 4 KiB
  // page of the growing tables faults once, and again after freed memory
  // went back to the system. Keeping freed memory, reserving the heap at
  // once (reserveHeapForRun) and asking for transparent huge pages on it
  // makes one fault per 2 MiB.
  mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kLargestReserve));
  mallopt(M_TOP_PAD, kGrowthStep);
  // Every thread that allocates would get an arena of its own, each taking
  // 64 MiB of address space: under a limit, threads share what an eighth
  // of it holds (the main arena at least).
  const std::size_t limit = addressSpaceLimit();
  if (limit != 0) mallopt(M_ARENA_MAX, static_cast<int>(std::max<std::size_t>(1, limit / kLimitShare / kArenaBytes)));
}

void reserveHeapForRun(uint64_t sheetBytes) {
  std::size_t reserve = static_cast<std::size_t>(std::min<uint64_t>(sheetBytes, kLargestReserve) *
                                                 kReservePerSheetByte);
  reserve = std::min(reserve, kLargestReserve);
  const std::size_t limit = addressSpaceLimit();
  if (limit != 0) reserve = std::min(reserve, limit / kLimitShare);
  // A block larger than what is left makes the heap grow, by the block and
  // the pad; where the system refuses that, half of it is tried. (The
  // volatile write keeps the compiler from leaving out the pair.)
  for (; reserve >= kSmallestReserve; reserve /= 2) {
    mallopt(M_TOP_PAD, static_cast<int>(reserve));
    const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    void* block = std::malloc(1u << 20);
    if (block == nullptr) continue;
    *static_cast<volatile char*>(block) = 0;
    std::free(block);
    const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::uintptr_t start = (before + kHugePage - 1) & ~(kHugePage - 1);
    if (start < end) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    break;
  }
  mallopt(M_TOP_PAD, kGrowthStep);
}

#else

// Other C libraries keep their own policy.
void prepareHeapForLargeRuns() {}

void reserveHeapForRun(uint64_t sheetBytes) { (void)sheetBytes; }

#endif
