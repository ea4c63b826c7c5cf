// Allocator tuning for the programs that convert (the executable and the
// benchmark); the conversion itself allocates as it always does.
#ifndef JASSCRIBE_DRIVER_ALLOCATOR_H_
#define JASSCRIBE_DRIVER_ALLOCATOR_H_

#if defined(__GLIBC__)
#include <malloc.h>
#endif

/// A conversion allocates a few large buffers once each: the script, its
/// normalised copy, the function texts and the joined outputs. Above glibc's
/// mmap threshold each of them is mapped afresh and every page faults in
/// once more; on the development machine those faults were a tenth of a
/// large map's run. Taken from the heap instead, they reuse pages that are
/// already there.
inline void fKeepLargeBuffersOnHeap() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
#endif
}

#endif  // JASSCRIBE_DRIVER_ALLOCATOR_H_
