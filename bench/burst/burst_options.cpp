#include "bench/burst/burst_options.h"

#include <charconv>
#include <optional>
#include <sstream>

namespace netlark::bench {

namespace {

std::vector<std::string> commaSeparated(const std::string& text) {
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, ',');) {
        parts.push_back(part);
    }
    return parts;
}

std::optional<std::uint32_t> positiveNumber(const std::string& text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value == 0) {
        return std::nullopt;
    }
    return value;
}

/// Fills `into` from a comma-separated list, each item read by `read`; false
/// when an item does not read.
template <typename T, typename Read>
bool readList(const std::string& text, std::vector<T>& into, Read read) {
    into.clear();
    for (const std::string& part : commaSeparated(text)) {
        std::optional<T> value = read(part);
        if (!value) {
            return false;
        }
        into.push_back(*value);
    }
    return !into.empty();
}

std::optional<std::uint32_t> rateOf(const std::string& text) {
    return text == "max" ? MAX_RATE : positiveNumber(text);
}

std::optional<BufferLimit> bufferOf(const std::string& text) {
    if (text == "asked") {
        return BufferLimit::Asked;
    }
    if (text == "desktop") {
        return BufferLimit::Desktop;
    }
    return std::nullopt;
}

std::optional<ReceivePath> pathOf(const std::string& text) {
    if (text == "bare") {
        return ReceivePath::BareAgain;
    }
    if (text == "table") {
        return ReceivePath::Table;
    }
    if (text == "window") {
        return ReceivePath::Window;
    }
    return std::nullopt;
}

} // namespace

std::variant<BurstOptions, std::string> parseBurstOptions(const std::vector<std::string>& args) {
    BurstOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--smoke") {
            options.counts = {1'000};
            options.repeat = 1;
            continue;
        }
        if (i + 1 == args.size()) {
            return "unknown option or missing value: " + name;
        }
        const std::string& value = args[++i];
        bool good = false;
        if (name == "--counts") {
            good = readList(value, options.counts, positiveNumber);
        } else if (name == "--rates") {
            good = readList(value, options.rates, rateOf);
        } else if (name == "--buffers") {
            good = readList(value, options.buffers, bufferOf);
        } else if (name == "--paths") {
            good = readList(value, options.paths, pathOf);
            options.paths.insert(options.paths.begin(), ReceivePath::BareLoop);
        } else if (name == "--repeat") {
            const auto repeat = positiveNumber(value);
            good = repeat.has_value();
            options.repeat = static_cast<int>(repeat.value_or(1));
        } else if (name == "--ring") {
            const auto ring = positiveNumber(value);
            good = ring.has_value();
            options.ringCapacity = ring.value_or(1);
        } else {
            return "unknown option: " + name;
        }
        if (!good) {
            return "bad value for " + name + ": " + value;
        }
    }
    return options;
}

} // namespace netlark::bench
