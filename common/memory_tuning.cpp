#include "common/memory_tuning.h"

#include <cstdint>
#include <cstdlib> // defines __GLIBC__ on the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace common {

namespace {

#if defined(__GLIBC__)
// The heap is first grown by this much at once, so that one region can take huge pages.
constexpr std::size_t heapReserve = 256u * 1024 * 1024;
constexpr std::uintptr_t hugePage = 2u * 1024 * 1024;

// Asks for transparent huge pages in the heap's first region. Opening the largest geoset touches
// some 30 MiB of fresh memory; in 4 KiB pages each first touch is a fault costing more than the
// work done on the page (half of an open and save of the largest model went to faults), in 2 MiB
// pages there are a few dozen. The region is virtual: only what is touched is ever resident.
// Where the system gives huge pages only on request (the default) this is that request; where it
// gives none, nothing changes.
void preferHugePagesInTheHeap() {
    mallopt(M_TOP_PAD, static_cast<int>(heapReserve));
    // A block larger than what is left at the heap's top makes it grow, by the reserve too.
    void* block = std::malloc(hugePage);
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const auto end = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    std::free(block);
    const std::uintptr_t alignedStart = (start + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t alignedEnd = end & ~(hugePage - 1);
    if (alignedEnd > alignedStart)
        ::madvise(reinterpret_cast<void*>(alignedStart), alignedEnd - alignedStart, MADV_HUGEPAGE);
    // Later growth in ordinary steps again.
    mallopt(M_TOP_PAD, 128 * 1024);
}
#endif

} // namespace

void keepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    // 32 MiB is the largest threshold the library takes on 64-bit systems; a full history of
    // the largest geoset is about 110 MiB, so trimming starts only well past it.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
    preferHugePagesInTheHeap();
#endif
}

void prefault(void* block, std::size_t size) {
#if defined(__GLIBC__) && defined(MADV_POPULATE_WRITE)
    // Small blocks are not worth the call.
    constexpr std::size_t least = 256 * 1024;
    constexpr std::uintptr_t page = 4096;
    if (!block || size < least)
        return;
    const auto start = (reinterpret_cast<std::uintptr_t>(block) + page - 1) & ~(page - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(block) + size) & ~(page - 1);
    if (end > start)
        ::madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
#else
    (void)block;
    (void)size;
#endif
}

} // namespace common
