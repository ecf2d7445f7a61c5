#pragma once
// Counts what a test program allocates through operator new, and can cap
// it, so a test can show that a reader refuses a damaged file before it
// allocates what the file claims, rather than after, without the machine
// paying for the fault when there is one. The containers and streams the
// readers use all allocate through operator new.
//
// Exactly one source file of a test program defines
// VELMOR_ALLOCATION_METER before including this header; that puts the
// counting operators in place for the whole program.
#include <malloc.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace AllocationMeter {
inline std::atomic<std::size_t> Live{0};
inline std::atomic<std::size_t> Peak{0};
inline std::atomic<std::size_t> Limit{static_cast<std::size_t>(-1)};
inline std::atomic<bool> Refused{false};

// False (and noted) when `size` more bytes would pass the limit.
inline bool Allows(std::size_t size) {
    if (Live.load() + size <= Limit.load()) return true;
    Refused = true;
    return false;
}

inline void Added(void* p) {
    const std::size_t now = Live.fetch_add(malloc_usable_size(p)) + malloc_usable_size(p);
    std::size_t peak = Peak.load();
    while (now > peak && !Peak.compare_exchange_weak(peak, now)) {
    }
}
inline void Removed(void* p) {
    if (p) Live.fetch_sub(malloc_usable_size(p));
}
}  // namespace AllocationMeter

// While it lives, allocations that would hold more than `limit` bytes above
// what was held when it began fail with std::bad_alloc. PeakBytes is the
// most held at once above that start; Refused tells whether the cap bit.
class TAllocationScope {
public:
    explicit TAllocationScope(std::size_t limit) : FStart(AllocationMeter::Live.load()) {
        AllocationMeter::Peak.store(FStart);
        AllocationMeter::Refused = false;
        AllocationMeter::Limit.store(FStart + limit);
    }
    ~TAllocationScope() { AllocationMeter::Limit.store(static_cast<std::size_t>(-1)); }
    TAllocationScope(const TAllocationScope&) = delete;
    TAllocationScope& operator=(const TAllocationScope&) = delete;

    std::size_t PeakBytes() const {
        const std::size_t peak = AllocationMeter::Peak.load();
        return peak > FStart ? peak - FStart : 0;
    }
    bool Refused() const { return AllocationMeter::Refused.load(); }

private:
    std::size_t FStart;
};

#ifdef VELMOR_ALLOCATION_METER
namespace {
void* MeteredNew(std::size_t size) {
    if (!AllocationMeter::Allows(size)) throw std::bad_alloc();
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    AllocationMeter::Added(p);
    return p;
}
void* MeteredNew(std::size_t size, std::align_val_t align) {
    std::size_t a = static_cast<std::size_t>(align);
    if (a < sizeof(void*)) a = sizeof(void*);
    if (!AllocationMeter::Allows(size)) throw std::bad_alloc();
    void* p = nullptr;
    if (posix_memalign(&p, a, size ? size : 1) != 0) throw std::bad_alloc();
    AllocationMeter::Added(p);
    return p;
}
void MeteredDelete(void* p) {
    AllocationMeter::Removed(p);
    std::free(p);
}
}  // namespace

void* operator new(std::size_t size) { return MeteredNew(size); }
void* operator new[](std::size_t size) { return MeteredNew(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return MeteredNew(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return MeteredNew(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new(std::size_t size, std::align_val_t align) { return MeteredNew(size, align); }
void* operator new[](std::size_t size, std::align_val_t align) { return MeteredNew(size, align); }
void operator delete(void* p) noexcept { MeteredDelete(p); }
void operator delete[](void* p) noexcept { MeteredDelete(p); }
void operator delete(void* p, std::size_t) noexcept { MeteredDelete(p); }
void operator delete[](void* p, std::size_t) noexcept { MeteredDelete(p); }
void operator delete(void* p, std::align_val_t) noexcept { MeteredDelete(p); }
void operator delete[](void* p, std::align_val_t) noexcept { MeteredDelete(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { MeteredDelete(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { MeteredDelete(p); }
#endif
