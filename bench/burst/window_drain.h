#pragma once

#include "bench/burst/burst_case.h"

#include <cstddef>

namespace netlark::bench {

/// The program's own path: the real main window, shown (offscreen), over the
/// real Receiver, with the event loop of the calling (main) thread draining
/// it. Rows are timed as the window's list model announces them.
Listing receiveWithWindow(const BurstCase& burst, std::size_t ringCapacity);

} // namespace netlark::bench
