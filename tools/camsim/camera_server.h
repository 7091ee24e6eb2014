#pragma once

#include "tools/camsim/camera_fleet.h"
#include "tools/camsim/stop_signal.h"

#include <optional>

namespace netlark {

/// Binds 0.0.0.0:7890 and answers requests for `fleet` until a stop signal
/// arrives or `durationSeconds` have passed. Returns the exit status: 0 when
/// stopped, 1 when the socket fails.
int serveCameras(CameraFleet& fleet, const StopSignal& stop, std::optional<double> durationSeconds);

} // namespace netlark
