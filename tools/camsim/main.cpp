#include "tools/camsim/burst_sender.h"
#include "tools/camsim/camera_server.h"
#include "tools/camsim/camsim_options.h"
#include "tools/camsim/camsim_usage.h"

#include <cstdio>
#include <random>
#include <string_view>
#include <vector>

using namespace netlark;

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    auto parsed = parseCamsimOptions(args);
    if (const auto* error = std::get_if<OptionError>(&parsed)) {
        std::fprintf(stderr, "netlark-camsim: %s\n", error->message.c_str());
        return 2;
    }
    CamsimOptions& options = std::get<CamsimOptions>(parsed);
    if (options.help) {
        std::fwrite(camsimUsage().data(), 1, camsimUsage().size(), stdout);
        return 0;
    }

    const StopSignal stop;
    if (!stop.valid()) {
        std::perror("netlark-camsim: signalfd");
        return 1;
    }
    std::mt19937 random{std::random_device{}()};
    const KeySource nextKey = [&random] { return static_cast<std::uint32_t>(random()); };
    if (options.burst) {
        return sendBurst(*options.burst, nextKey, stop);
    }
    CameraFleet fleet(std::move(options.cameras), nextKey);
    return serveCameras(fleet, stop, options.durationSeconds);
}
