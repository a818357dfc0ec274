#include "platform/HeapRoom.h"

// Under AddressSanitizer the blocks come from its own allocator, which this cannot ready.
#if defined(__linux__) && defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#define BW_READY_THE_HEAP 1
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#endif

namespace bw {

#ifdef BW_READY_THE_HEAP

void ReserveHeapRoom(std::size_t bytes) {
    constexpr std::uintptr_t kHuge = std::uintptr_t(2) << 20;
    constexpr std::size_t kMost = std::size_t(32) << 20;  // the most the heap grows at once
    bytes = std::min(bytes, kMost);
    const struct mallinfo2 info = mallinfo2();
    if (info.keepcost >= bytes) return;  // the top of the heap has the room already
    // The heap grows by the asked room beyond what is allocated, and keeps it at its top when
    // blocks are freed (rather than giving it back to the system and asking again).
    // Large blocks come from that room too, rather than each from the system on its own.
    const std::size_t probeSize = info.fordblks + 4096;
    if (probeSize >= kMost) return;
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kMost));
    mallopt(M_TOP_PAD, static_cast<int>(bytes));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kMost));
    // A block larger than all free memory can only come from a grown heap.
    const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    // (Through a volatile pointer, so that the compiler does not drop the block as unused.)
    void* volatile probe = std::malloc(probeSize);
    const auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::uintptr_t from = (before + kHuge - 1) & ~(kHuge - 1);
    if (after > from) madvise(reinterpret_cast<void*>(from), after - from, MADV_HUGEPAGE);
    std::free(probe);
}

#else

void ReserveHeapRoom(std::size_t) {}

#endif

}  // namespace bw
