#include "bench/burst/burst_report.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

namespace netlark::bench {

namespace {

struct Spread {
    double min = 0;
    double median = 0;
};

Spread spreadOf(std::vector<double> values) {
    if (values.empty()) {
        return {};
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    const double median =
        values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    return {values.front(), median};
}

double milliseconds(std::chrono::nanoseconds duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

std::string rateText(const std::optional<std::uint32_t>& rate) {
    return rate ? std::to_string(*rate) + "/s" : "max";
}

std::string bufferText(const CaseResults& results) {
    std::string text = results.burst.buffer == BufferLimit::Asked ? "asked" : "desktop";
    for (const auto& repetition : results.repetitions) {
        for (const auto& listing : repetition) {
            if (listing && listing->effectiveBuffer) {
                return text + " (" + std::to_string(*listing->effectiveBuffer) + ")";
            }
        }
    }
    return text;
}

/// The emulator's reached rate over every burst of the case.
Spread camsimRate(const CaseResults& results) {
    std::vector<double> rates;
    for (const auto& repetition : results.repetitions) {
        for (const auto& listing : repetition) {
            if (listing && listing->sent) {
                rates.push_back(listing->sent->rate);
            }
        }
    }
    return spreadOf(rates);
}

} // namespace

std::string_view pathName(ReceivePath path) {
    switch (path) {
    case ReceivePath::BareLoop:
        return "bare recvmmsg loop";
    case ReceivePath::BareAgain:
        return "bare recvmmsg loop, second run";
    case ReceivePath::Table:
        return "Receiver + CameraTable";
    case ReceivePath::Window:
        return "Receiver + window";
    }
    return "";
}

void printTableHeader() {
    std::printf(
        "| N | rate asked | camsim reached /s (median) | receive buffer (effective) | path | "
        "listed min / median | first sent to last listed ms min / median | x bare min / median | "
        "runs listing as many as bare | socket drops max | CPU ms median |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|\n");
}

void printCase(const CaseResults& results) {
    const Spread reached = camsimRate(results);
    for (std::size_t p = 0; p < ALL_PATHS.size(); ++p) {
        std::vector<double> listed;
        std::vector<double> times;
        std::vector<double> ratios;
        std::vector<double> cpu;
        int asManyAsBare = 0;
        std::uint64_t drops = 0;
        for (const auto& repetition : results.repetitions) {
            const auto& listing = repetition[p];
            if (!listing) {
                continue;
            }
            listed.push_back(listing->listed);
            const auto time = listing->timeToList();
            if (time) {
                times.push_back(milliseconds(*time));
            }
            const auto& bare = repetition[0];
            if (bare && listing->listed >= bare->listed) {
                ++asManyAsBare;
            }
            const auto bareTime = bare ? bare->timeToList() : std::nullopt;
            if (time && bareTime && bareTime->count() > 0) {
                ratios.push_back(static_cast<double>(time->count()) /
                                 static_cast<double>(bareTime->count()));
            }
            drops = std::max(drops, listing->socketDrops);
            cpu.push_back(milliseconds(listing->cpu));
        }
        if (listed.empty()) {
            continue;
        }
        const Spread count = spreadOf(listed);
        const Spread time = spreadOf(times);
        const Spread ratio = spreadOf(ratios);
        std::printf(
            "| %u | %s | %.0f | %s | %s | %.0f / %.0f | %.1f / %.1f | %.2f / %.2f | %d/%zu | "
            "%llu | %.0f |\n",
            results.burst.count, rateText(results.burst.rate).c_str(), reached.median,
            bufferText(results).c_str(), std::string(pathName(ALL_PATHS[p])).c_str(), count.min,
            count.median, time.min, time.median, ratio.min, ratio.median, asManyAsBare,
            listed.size(), static_cast<unsigned long long>(drops), spreadOf(cpu).median);
    }
    std::fflush(stdout);
}

} // namespace netlark::bench
