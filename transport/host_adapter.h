#pragma once

#include "protocol/addresses.h"

namespace netlark {

/// The host adapter address carried in Linux requests: of the system's
/// adapters in enumeration order, skipping loopback and all-zero addresses,
/// the last one; all zero when there is none.
MacAddress readHostAdapterAddress();

} // namespace netlark
