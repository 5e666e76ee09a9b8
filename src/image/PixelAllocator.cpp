#include "image/PixelAllocator.h"

#include <cstring>
#include <new>

#if defined(__linux__) && !defined(__SANITIZE_ADDRESS__)
// The address sanitizer watches heap blocks only: its builds keep every
// block on the heap so that no overrun goes unseen.
#define TARVEX_MAPPED_PIXELS 1
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace s::image::win {

namespace {

constexpr std::align_val_t kHeapAlignment{64};

#if defined(TARVEX_MAPPED_PIXELS)

constexpr std::size_t kHugePage = std::size_t{2} << 20;

// Whole small pages: the last, partial 2 MiB of a block stays in small pages
// rather than making the kernel clear a huge page mostly unused.
std::size_t mappedLength(std::size_t bytes) {
    static const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    return (bytes + page - 1) / page * page;
}

// Maps length + one huge page and unmaps the slack on both sides, so the
// block starts on a 2 MiB boundary and every 2 MiB of it can be one page.
std::uint8_t* mapAligned(std::size_t length) {
    const std::size_t padded = length + kHugePage;
    void* raw = ::mmap(nullptr, padded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    auto* start = static_cast<std::uint8_t*>(raw);
    const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(start);
    const std::size_t head = (kHugePage - address % kHugePage) % kHugePage;
    if (head > 0) ::munmap(start, head);
    const std::size_t tail = padded - head - length;
    if (tail > 0) ::munmap(start + head + length, tail);
    std::uint8_t* block = start + head;
#if defined(MADV_HUGEPAGE)
    // Only a hint: without huge pages the block still works with small ones.
    ::madvise(block, length, MADV_HUGEPAGE);
#endif
    return block;
}

#endif

}  // namespace

std::uint8_t* PixelAllocator::allocateZeroed(std::size_t bytes) noexcept {
    return allocate(bytes, true);
}

std::uint8_t* PixelAllocator::allocateUncleared(std::size_t bytes) noexcept {
    return allocate(bytes, false);
}

std::uint8_t* PixelAllocator::allocate(std::size_t bytes, bool zeroed) noexcept {
    if (bytes == 0) return nullptr;
#if defined(TARVEX_MAPPED_PIXELS)
    if (bytes >= kMappedThreshold) return mapAligned(mappedLength(bytes));
#endif
    void* raw = ::operator new(bytes, kHeapAlignment, std::nothrow);
    if (raw && zeroed) std::memset(raw, 0, bytes);
    return static_cast<std::uint8_t*>(raw);
}

void PixelAllocator::release(std::uint8_t* block, [[maybe_unused]] std::size_t bytes) noexcept {
    if (!block) return;
#if defined(TARVEX_MAPPED_PIXELS)
    if (bytes >= kMappedThreshold) {
        ::munmap(block, mappedLength(bytes));
        return;
    }
#endif
    ::operator delete(block, kHeapAlignment);
}

}  // namespace s::image::win
