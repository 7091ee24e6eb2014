#include "bench/burst_rows.h"

#include "cameras/received_datagram.h"
#include "tools/camsim/burst_announcements.h"

#include <algorithm>
#include <random>
#include <variant>

namespace netlark::bench {

std::vector<CameraRow> shuffledBurstRows(std::size_t count) {
    std::uint32_t key = 1;
    const std::vector<Answer> announcements = burstAnnouncements(
        static_cast<std::uint32_t>(count), BurstFamily::Mixed, [&key] { return key++; });
    std::vector<CameraRow> rows;
    rows.reserve(count);
    for (const Answer& announcement : announcements) {
        rows.push_back(std::get<ListCamera>(actionForDatagram(answerBytes(announcement))).row);
    }
    std::shuffle(rows.begin(), rows.end(), std::mt19937{20240611});
    return rows;
}

} // namespace netlark::bench
