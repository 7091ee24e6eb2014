#include "support/allocation_counter.h"

#include <cstdlib>
#include <new>

namespace {
thread_local std::size_t t_allocations = 0;
thread_local int t_counting = 0;
} // namespace

void* operator new(std::size_t size) {
    if (t_counting > 0) {
        ++t_allocations;
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

// The nothrow forms are replaced too, so that every allocation of this
// binary is counted and goes through malloc/free: AddressSanitizer supplies
// its own nothrow operator new, and memory from it freed by the replaced
// operator delete (std::stable_sort's buffer, for one) is reported as an
// alloc-dealloc mismatch.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace netlark::testing {

AllocationCounter::AllocationCounter() : m_start(t_allocations) {
    ++t_counting;
}
AllocationCounter::~AllocationCounter() {
    --t_counting;
}
std::size_t AllocationCounter::count() const {
    return t_allocations - m_start;
}

} // namespace netlark::testing
