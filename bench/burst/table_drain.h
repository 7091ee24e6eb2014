#pragma once

#include "bench/burst/burst_case.h"

#include <cstddef>

namespace netlark::bench {

/// The real Receiver and CameraTable without Qt: the calling thread waits for
/// the receiver's wake and drains the ring as the window does (front(),
/// actionForDatagram, insert, pop()), so the window's own cost shows as the
/// difference.
Listing receiveWithTable(const BurstCase& burst, std::size_t ringCapacity);

} // namespace netlark::bench
