#pragma once

#include "camsim_process.h"

#include <memory>
#include <string>
#include <vector>

namespace netlark::testing {

/// One segment of tests/lab/two-segments as the sending host sees it: the
/// adapter that reaches it and the network namespace the segment lives in.
struct LabSegment {
    /// The segment the lab names `letter` ("A" or "B") in the environment.
    static LabSegment fromEnvironment(const std::string& letter);

    /// Starts netlark-camsim with `args` inside the segment and waits until it
    /// listens; the emulator stays there, whatever this process does next.
    std::unique_ptr<CamsimProcess> startCamsim(const std::vector<std::string>& args) const;

    /// Takes the adapter up or down; true when `ip` did it.
    bool setAdapterUp(bool up) const;

    std::string namespaceFile;
    std::string adapter;
    /// The adapter's MAC as the emulator logs it: "02:00:0A:01:00:01".
    std::string macText;
};

} // namespace netlark::testing
