#pragma once

#include "tools/camsim/camera_fleet.h"
#include "tools/camsim/camsim_options.h"

#include <vector>

namespace netlark {

/// The announcements of a burst: generated cameras 1 to `count`, so serials
/// and MACs are distinct; Mixed alternates Linux (odd numbers) and VxWorks.
/// Each Linux announcement is scrambled with its own key.
std::vector<Answer> burstAnnouncements(std::uint32_t count, BurstFamily family,
                                       const KeySource& nextKey);

} // namespace netlark
