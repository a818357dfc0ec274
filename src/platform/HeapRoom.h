#pragma once
// Room on the heap for a burst of many small blocks, such as the texts of a large grid being
// filled. Memory is first touched a page at a time, and each first touch costs a trap into
// the system; a heap grown ahead in huge pages costs one trap per 2 MB instead.

#include <cstddef>

namespace bw {

// Makes the heap keep at least `bytes` free at its top for what follows, grown at once and in
// huge pages where the system offers them (Linux with the GNU C library; elsewhere, and under
// AddressSanitizer, nothing).
// The room is only reserved: pages are made as they are used. Cheap when the room is there.
void ReserveHeapRoom(std::size_t bytes);

}  // namespace bw
