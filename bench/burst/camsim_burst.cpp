#include "bench/burst/camsim_burst.h"

#include "camsim_process.h"

#include <cstdlib>
#include <string_view>

namespace netlark::bench {

namespace {

/// The number after "name": in the emulator's one-line JSON report.
std::optional<double> jsonNumber(const std::string& line, std::string_view name) {
    std::string key = "\"";
    key.append(name).append("\":");
    const std::size_t at = line.find(key);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    return std::strtod(line.c_str() + at + key.size(), nullptr);
}

std::vector<std::string> camsimArguments(const BurstCase& burst) {
    return {"--burst",  std::to_string(burst.count),
            "--rate",   burst.rate ? std::to_string(*burst.rate) : "max",
            "--family", "mixed"};
}

} // namespace

CamsimBurst::CamsimBurst(const BurstCase& burst) {
    m_thread = std::thread([this, arguments = camsimArguments(burst)] {
        // The process lives on this thread: the emulator is killed when the
        // thread that started it ends.
        CamsimProcess camsim(arguments);
        const auto line =
            camsim.waitForLineStarting("{\"event\":\"burst\"", std::chrono::seconds(60));
        const Clock::time_point reported = Clock::now();
        camsim.waitExit();
        if (line) {
            const auto sent = jsonNumber(*line, "sent");
            const auto rate = jsonNumber(*line, "rate");
            const auto elapsed = jsonNumber(*line, "elapsed_s");
            if (sent && rate && elapsed) {
                m_result = SentBurst{static_cast<std::uint32_t>(*sent), *rate,
                                     reported - std::chrono::duration_cast<Clock::duration>(
                                                    std::chrono::duration<double>(*elapsed))};
            }
        }
        m_finished.store(true, std::memory_order_release);
    });
}

CamsimBurst::~CamsimBurst() {
    waitForEnd();
}

std::optional<SentBurst> CamsimBurst::waitForEnd() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
    return m_result;
}

} // namespace netlark::bench
