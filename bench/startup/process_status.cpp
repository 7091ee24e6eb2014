#include "bench/startup/process_status.h"

#include <fstream>
#include <sstream>
#include <string>

namespace netlark::bench {

std::optional<std::uint64_t> statusKilobytes(pid_t pid, std::string_view field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(field) && line.size() > field.size() && line[field.size()] == ':') {
            return std::stoull(line.substr(field.size() + 1));
        }
    }
    return std::nullopt;
}

std::optional<std::uint64_t> cpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(stat, text)) {
        return std::nullopt;
    }
    // The command name in parentheses may hold blanks: count fields after it.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string skipped;
    for (int field = 3; field < 14; ++field) {
        fields >> skipped;
    }
    std::uint64_t user = 0;
    std::uint64_t system = 0;
    fields >> user >> system;
    return user + system;
}

} // namespace netlark::bench
