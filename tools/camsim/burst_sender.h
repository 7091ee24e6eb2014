#pragma once

#include "tools/camsim/camera_fleet.h"
#include "tools/camsim/camsim_options.h"
#include "tools/camsim/stop_signal.h"

namespace netlark {

/// Broadcasts the burst's announcements to 255.255.255.255:1168, paced or as
/// fast as the system takes them, then prints one JSON line with what was sent,
/// the time it took and the rate reached. A stop signal ends it early. Returns
/// the exit status: 0 when done or stopped, 1 when sending fails.
int sendBurst(const BurstOptions& options, const KeySource& nextKey, const StopSignal& stop);

} // namespace netlark
