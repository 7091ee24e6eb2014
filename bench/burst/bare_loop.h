#pragma once

#include "bench/burst/burst_case.h"

namespace netlark::bench {

/// The floor: a socket on the reply port and a loop that does nothing but
/// take datagrams off it with recvmmsg, on the calling thread.
Listing receiveWithBareLoop(const BurstCase& burst);

} // namespace netlark::bench
