#include "HeapReserve.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

namespace sumwise::app {
namespace {

// How many of the whole pages inside [block, block + bytes) are in memory now.
std::size_t ResidentPages(void* block, std::size_t bytes) {
    const PageRange pages = WholePagesIn(block, bytes);
    std::vector<unsigned char> state(pages.bytes / static_cast<std::size_t>(sysconf(_SC_PAGESIZE)));
    if (pages.bytes == 0 || mincore(pages.start, pages.bytes, state.data()) != 0) {
        return 0;
    }
    std::size_t resident = 0;
    for (unsigned char s : state) {
        resident += s & 1;
    }
    return resident;
}

// The point of the reserve: what start-up allocates next is already in memory, before the
// program writes to it, so it costs no page fault.
TEST(HeapReserveTest, TheNextAllocationsAreAlreadyInMemory) {
    if (!HeapReserveApplies()) {
        GTEST_SKIP() << "the allocator is not glibc's own";
    }
    KeepStartupBlocksInHeap(kStartupHeapBytes);
    const std::size_t mapped = ReserveStartupHeap(kStartupHeapBytes);
    if (mapped == 0) {
        GTEST_SKIP() << "this kernel cannot map a range ahead of use";
    }
    EXPECT_GE(mapped, kStartupHeapBytes - 2 * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)));
    const std::size_t bytes = kStartupHeapBytes / 2;
    void* block = std::malloc(bytes);
    ASSERT_NE(block, nullptr);
    const std::size_t pages = bytes / static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    EXPECT_GE(ResidentPages(block, bytes), pages - 1);
    std::free(block);
}

// A window's backing store (at 100% and at 200%) comes from the heap, not from a mapping
// of its own that would be faulted in page by page.
TEST(HeapReserveTest, LargeBlocksComeFromTheHeap) {
    if (!HeapReserveApplies()) {
        GTEST_SKIP() << "the allocator is not glibc's own";
    }
    KeepStartupBlocksInHeap(kStartupHeapBytes);
    for (const std::size_t bytes : {std::size_t{582 * 252 * 4}, std::size_t{1164 * 504 * 4}}) {
        const std::size_t mappedBefore = mallinfo2().hblkhd;
        void* block = std::malloc(bytes);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(mallinfo2().hblkhd, mappedBefore) << bytes << " bytes had a mapping of their own";
        std::free(block);
    }
}

TEST(HeapReserveTest, NothingToReserveMapsNothing) {
    EXPECT_EQ(ReserveStartupHeap(0), 0U);
    void* block = std::malloc(64);
    EXPECT_NE(block, nullptr);
    std::free(block);
}

} // namespace
} // namespace sumwise::app

#endif
