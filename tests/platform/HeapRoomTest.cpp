// The heap readied for a burst of small blocks: the room is there at once, the blocks that
// follow take it without growing the heap again, and asking again for room it has costs nothing.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/HeapRoom.h"

#if defined(__linux__) && defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#define BW_HEAP_IS_READIED 1
#include <malloc.h>
#include <unistd.h>
#endif

namespace bw {
namespace {

#ifdef BW_HEAP_IS_READIED
TEST(HeapRoom, TheRoomIsKeptAtTheTopAndSmallBlocksTakeIt) {
    constexpr size_t kRoom = size_t(8) << 20;
    ReserveHeapRoom(kRoom);
    ASSERT_GE(mallinfo2().keepcost, kRoom);
    const void* top = sbrk(0);
    std::vector<std::unique_ptr<char[]>> blocks;
    for (int i = 0; i < 20000; ++i) {  // about 1.3 MB of text-sized blocks
        blocks.emplace_back(new char[48]);
        blocks.back()[47] = char(i);
    }
    EXPECT_EQ(sbrk(0), top);
    blocks.clear();  // freed blocks stay in the room rather than going back to the system
    EXPECT_GE(mallinfo2().keepcost, kRoom / 2);
    ReserveHeapRoom(kRoom / 2);
    EXPECT_EQ(sbrk(0), top);
}
#endif

}  // namespace
}  // namespace bw
