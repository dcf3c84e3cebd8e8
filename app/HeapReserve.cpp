#include "HeapReserve.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SUMWISE_SANITIZED_HEAP 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define SUMWISE_SANITIZED_HEAP 1
#endif
// The reserve works on glibc's own heap; a sanitizer brings an allocator of its own.
#if defined(__GLIBC__) && !defined(SUMWISE_SANITIZED_HEAP)
#define SUMWISE_GLIBC_HEAP 1
#endif

#include <unistd.h>

#ifdef SUMWISE_GLIBC_HEAP
#include <malloc.h>
#include <sys/mman.h>
#endif

namespace sumwise::app {

bool HeapReserveApplies() {
#ifdef SUMWISE_GLIBC_HEAP
    return true;
#else
    return false;
#endif
}

PageRange WholePagesIn(void* block, std::size_t bytes) {
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto from = (reinterpret_cast<std::uintptr_t>(block) + page - 1) & ~(page - 1);
    const auto to = (reinterpret_cast<std::uintptr_t>(block) + bytes) & ~(page - 1);
    return to > from ? PageRange{reinterpret_cast<void*>(from), to - from} : PageRange{};
}

#ifdef SUMWISE_GLIBC_HEAP

namespace {

#ifndef MADV_POPULATE_WRITE
constexpr int MADV_POPULATE_WRITE = 23; // Linux 5.14; older headers lack the name
#endif

// Larger than the backing store of the window at 200% (about 2.3 MiB), so that it too comes
// from the heap rather than from a fresh mapping of its own.
constexpr int kMmapThreshold = 4 * 1024 * 1024;

} // namespace

void KeepStartupBlocksInHeap(std::size_t reserveBytes) {
    mallopt(M_MMAP_THRESHOLD, kMmapThreshold);
    // Freed heap goes back to the system only when more than this lies free at its top:
    // twice the threshold, as glibc sets it itself once it raises the threshold, and never
    // less than the reserve, which must stay.
    mallopt(M_TRIM_THRESHOLD,
            static_cast<int>(std::max<std::size_t>(2 * kMmapThreshold, 2 * reserveBytes)));
}

// On a virtual machine the first touch of a page is the dearest single step of start-up
// (about 10 µs each, over a thousand of them); the kernel maps a range in one call for a
// fraction of that. The block is freed at once: its pages stay with the heap for the
// allocations that follow, so the peak memory does not grow.
std::size_t ReserveStartupHeap(std::size_t bytes) {
    if (bytes == 0) {
        return 0;
    }
    void* block = std::malloc(bytes);
    if (block == nullptr) {
        return 0;
    }
    const PageRange pages = WholePagesIn(block, bytes);
    std::size_t mapped = 0;
    if (pages.bytes > 0 && madvise(pages.start, pages.bytes, MADV_POPULATE_WRITE) == 0) {
        mapped = pages.bytes;
    }
    std::free(block);
    return mapped;
}

#else

void KeepStartupBlocksInHeap(std::size_t) {}

std::size_t ReserveStartupHeap(std::size_t) {
    return 0;
}

#endif

} // namespace sumwise::app
