#pragma once

#include "cameras/camera_row.h"

#include <cstddef>
#include <vector>

namespace netlark::bench {

/// The rows of `count` distinct cameras as the emulator announces them in a
/// mixed burst, in a fixed shuffled order, so that rows land all over the
/// sorted table rather than always at its end.
std::vector<CameraRow> shuffledBurstRows(std::size_t count);

} // namespace netlark::bench
