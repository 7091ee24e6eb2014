#pragma once

#include "transport/receive_event.h"

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <vector>

namespace netlark {

/// The bounded queue of ReceiveEvents between the receiver thread (producer)
/// and the window thread (consumer). Events stay in their slots: the producer
/// fills free slots in place and publishes them, the consumer reads the oldest
/// in place and frees it. A published slot is never handed out for filling
/// again before the consumer has freed it.
class EventRing {
public:
    /// A capacity of 0 is taken as 1.
    explicit EventRing(std::size_t capacity);

    /// Producer: blocks until at least one slot is free and returns how many
    /// are; returns 0 once cancel() was called.
    std::size_t waitForFreeSlots();
    /// Producer: the `index`-th free slot after the last published one;
    /// `index` is below the count waitForFreeSlots() returned.
    ReceiveEvent& freeSlot(std::size_t index);
    /// Producer: the first `count` free slots are filled and go to the
    /// consumer in order. Returns true when the ring was empty before, which
    /// is when the consumer needs waking: it drains all it finds, so events
    /// added to a non-empty ring are found by the drain already owed.
    bool publish(std::size_t count);

    /// Consumer: the oldest published event, or nullptr.
    const ReceiveEvent* front();
    /// Consumer: frees the slot of the event front() returned.
    void pop();

    /// Makes waitForFreeSlots() return 0, now and from now on.
    void cancel();

private:
    std::vector<ReceiveEvent> m_slots;
    std::size_t m_head = 0;  // oldest published slot
    std::size_t m_count = 0; // published, not yet popped
    std::size_t m_tail = 0;  // next slot to fill; only the producer touches it
    bool m_cancelled = false;
    std::mutex m_mutex;
    std::condition_variable m_changed;
};

} // namespace netlark
