#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <sys/types.h>

namespace netlark::bench {

/// A "Vm..." line of /proc/<pid>/status in kB, such as VmHWM (peak resident
/// memory) or VmRSS; nullopt when the process or the line is gone.
std::optional<std::uint64_t> statusKilobytes(pid_t pid, std::string_view field);

/// User plus system CPU time the process has used, in clock ticks.
std::optional<std::uint64_t> cpuTicks(pid_t pid);

} // namespace netlark::bench
