#pragma once

#include <cstddef>

namespace netlark::testing {

/// Counts heap allocations made by this thread while an instance is alive.
/// Linking allocation_counter.cpp into a test binary replaces the global
/// operator new for that binary.
class AllocationCounter {
public:
    AllocationCounter();
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

    std::size_t count() const;

private:
    std::size_t m_start;
};

} // namespace netlark::testing
