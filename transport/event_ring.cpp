#include "transport/event_ring.h"

#include <algorithm>

namespace netlark {

EventRing::EventRing(std::size_t capacity) : m_slots(std::max<std::size_t>(capacity, 1)) {}

std::size_t EventRing::waitForFreeSlots() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_cancelled || m_count < m_slots.size(); });
    return m_cancelled ? 0 : m_slots.size() - m_count;
}

ReceiveEvent& EventRing::freeSlot(std::size_t index) {
    return m_slots[(m_tail + index) % m_slots.size()];
}

bool EventRing::publish(std::size_t count) {
    m_tail = (m_tail + count) % m_slots.size();
    const std::scoped_lock lock(m_mutex);
    const bool wasEmpty = m_count == 0;
    m_count += count;
    return wasEmpty && count > 0;
}

const ReceiveEvent* EventRing::front() {
    const std::scoped_lock lock(m_mutex);
    return m_count == 0 ? nullptr : &m_slots[m_head];
}

void EventRing::pop() {
    {
        const std::scoped_lock lock(m_mutex);
        if (m_count == 0) {
            return;
        }
        m_head = (m_head + 1) % m_slots.size();
        --m_count;
    }
    m_changed.notify_one();
}

void EventRing::cancel() {
    {
        const std::scoped_lock lock(m_mutex);
        m_cancelled = true;
    }
    m_changed.notify_all();
}

} // namespace netlark
