#pragma once

#include "bench/burst/burst_case.h"

#include <array>
#include <string_view>
#include <vector>

namespace netlark::bench {

/// The ways a burst is received, the floor first. The floor's second run
/// shows how far two runs of the same loop differ in one repetition.
enum class ReceivePath { BareLoop, BareAgain, Table, Window };
inline constexpr std::array<ReceivePath, 4> ALL_PATHS = {
    ReceivePath::BareLoop, ReceivePath::BareAgain, ReceivePath::Table, ReceivePath::Window};
std::string_view pathName(ReceivePath path);

/// Every repetition of one burst case: listings[r][p] is what path p made
/// of repetition r; the bare loop's is always there, the others may be missing.
struct CaseResults {
    BurstCase burst;
    std::vector<std::array<std::optional<Listing>, ALL_PATHS.size()>> repetitions;
};

/// The column names of the table printCase() fills, as Markdown.
void printTableHeader();
/// One row per path: cameras listed, first to last datagram, the ratio to the
/// bare loop's time in the same repetition (min and median of each), in how
/// many repetitions it listed at least as many as the bare loop, the socket's
/// drops (most in a repetition), and the process's CPU time (median).
void printCase(const CaseResults& results);

} // namespace netlark::bench
