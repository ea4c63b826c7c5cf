// Allocator tuning for the programs that convert (the executable and the
// benchmark); the conversion itself allocates as it always does.
#ifndef JASSCRIBE_DRIVER_ALLOCATOR_H_
#define JASSCRIBE_DRIVER_ALLOCATOR_H_

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#endif

/// A conversion's time goes partly into page faults: it allocates a few large
/// buffers once each (the script, its normalised copy, the function texts,
/// the outputs) and touches every page of them for the first time. On the
/// development machine a fault costs 10 to 20 microseconds, and a large
/// map's 4,000 of them were a fifth of its run. Two changes bring them to a
/// few hundred:
/// - large buffers come from the heap, so freed ones are reused instead of
///   each being mapped afresh and faulted in again;
/// - the first 16 MiB of heap are asked for as huge pages (where the kernel
///   grants them on request), one fault per 2 MiB instead of per 4 KiB. The
///   memory stays unused until touched, and a small script's peak grows by
///   at most a huge page or two.
inline void fTuneAllocator() {
#if defined(__GLIBC__)
  constexpr size_t kMiB = 1024 * 1024;
  mallopt(M_MMAP_THRESHOLD, 64 * kMiB);
  // Freed heap at the top would otherwise go back to the system, and with
  // it the huge-page request.
  mallopt(M_TRIM_THRESHOLD, 128 * kMiB);
#if defined(MADV_HUGEPAGE)
  constexpr size_t kHugeHeap = 16 * kMiB;
  constexpr uintptr_t kHugePage = 2 * kMiB;
  if (void* p = std::malloc(kHugeHeap)) {
    const uintptr_t at = reinterpret_cast<uintptr_t>(p);
    const uintptr_t begin = (at + kHugePage - 1) & ~(kHugePage - 1);
    const uintptr_t end = (at + kHugeHeap) & ~(kHugePage - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    std::free(p);
  }
#endif
#endif
}

#endif  // JASSCRIBE_DRIVER_ALLOCATOR_H_
