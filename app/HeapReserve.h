#pragma once

#include <cstddef>

namespace sumwise::app {

// The heap start-up is about to use, faulted in with one call instead of page by page.
inline constexpr std::size_t kStartupHeapBytes = 1536 * 1024;

// Keeps blocks up to a few MiB (the window's backing store among them) in the main heap,
// and freed heap, a reserve of `reserveBytes` among it, for reuse. Called before a second
// thread starts: the allocator's settings are not to change under another thread's
// allocations.
void KeepStartupBlocksInHeap(std::size_t reserveBytes);

// Has the kernel map `bytes` of the main heap at once, for the allocations that follow.
// Returns how many bytes the kernel mapped: 0 where it cannot (not glibc's own allocator, a
// kernel before 5.14), and the program then simply faults its pages in as it touches them.
std::size_t ReserveStartupHeap(std::size_t bytes);

// The whole pages inside [block, block + bytes): what the kernel can be asked about.
struct PageRange {
    void* start = nullptr;
    std::size_t bytes = 0;
};
PageRange WholePagesIn(void* block, std::size_t bytes);

// Whether the reserve can work here at all: glibc's own allocator, not a sanitizer's.
bool HeapReserveApplies();

} // namespace sumwise::app
