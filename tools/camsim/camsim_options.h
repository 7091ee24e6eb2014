#pragma once

#include "tools/camsim/emulated_camera.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace netlark {

/// Which families a burst announces; Mixed alternates Linux and VxWorks.
enum class BurstFamily { Linux, VxWorks, Mixed };

struct BurstOptions {
    std::uint32_t count = 0;
    std::optional<std::uint32_t> rate; // datagrams per second; none: as fast as possible
    BurstFamily family = BurstFamily::Linux;
};

/// What the command line asks for: serve `cameras`, or send a burst and exit.
struct CamsimOptions {
    std::vector<EmulatedCamera> cameras;
    std::optional<double> durationSeconds;
    std::optional<BurstOptions> burst;
    bool help = false;
};

/// A bad command line; the message names the option at fault.
struct OptionError {
    std::string message;
};

inline constexpr std::uint32_t MAX_CAMERAS = 100'000;
inline constexpr std::uint32_t MAX_BURST = 1'000'000;

/// Parses the arguments after the program name.
std::variant<CamsimOptions, OptionError> parseCamsimOptions(std::span<const std::string_view> args);

} // namespace netlark
