#include "watchdog.h"

#include <cstdio>
#include <cstdlib>

namespace netlark::testing {

Watchdog::Watchdog(std::chrono::seconds limit, const char* what)
    : m_thread([this, limit, what] {
          std::unique_lock lock(m_mutex);
          if (!m_disarmed.wait_for(lock, limit, [this] { return m_done; })) {
              std::fprintf(stderr, "watchdog: %s did not finish within %lld s\n", what,
                           static_cast<long long>(limit.count()));
              std::abort();
          }
      }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_disarmed.notify_one();
    m_thread.join();
}

} // namespace netlark::testing
