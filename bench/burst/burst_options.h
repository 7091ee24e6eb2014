#pragma once

#include "app/program_receiver.h"
#include "bench/burst/burst_case.h"
#include "bench/burst/burst_report.h"

#include <string>
#include <variant>
#include <vector>

namespace netlark::bench {

/// A rate of "max": as fast as the emulator can send.
inline constexpr std::uint32_t MAX_RATE = 0;

struct BurstOptions {
    std::vector<std::uint32_t> counts{1'000, 10'000};
    std::vector<std::uint32_t> rates{67'000, MAX_RATE}; // datagrams per second
    std::vector<BufferLimit> buffers{BufferLimit::Asked, BufferLimit::Desktop};
    std::vector<ReceivePath> paths{ALL_PATHS.begin(), ALL_PATHS.end()};
    int repeat = 5;
    std::size_t ringCapacity = PROGRAM_RECEIVER_OPTIONS.ringCapacity;
};

/// Reads the command line (without the program name); a text is an error message.
std::variant<BurstOptions, std::string> parseBurstOptions(const std::vector<std::string>& args);

inline constexpr const char* BURST_USAGE =
    R"(Usage: netlark-bench-burst [OPTION]...
Sends bursts of announcements with netlark-camsim and receives each one with a
bare recvmmsg loop (twice), the Receiver with the CameraTable, and the Receiver
with the main window, one after the other; prints a Markdown table. Run it
inside tests/lab/netns-run.

  --counts N,...     burst sizes (default 1000,10000)
  --rates R,...      datagrams per second, or max (default 67000,max)
  --buffers B,...    asked (4 MiB, as the program asks) and/or desktop (held to
                     212,992 bytes) (default asked,desktop)
  --paths P,...      bare (the bare loop's second run), table and/or window; the
                     bare loop's first run always runs (default bare,table,window)
  --repeat N         repetitions of each case (default 5)
  --ring N           the Receiver's ring capacity (default: the program's)
  --smoke            one repetition of 1000-camera bursts, for CI
)";

} // namespace netlark::bench
