#include "tools/camsim/option_values.h"

#include <charconv>
#include <cmath>

namespace netlark {

namespace {

constexpr double MAX_SECONDS = 10'000'000;

} // namespace

[[noreturn]] void fail(std::string message) {
    throw BadOption{std::move(message)};
}

std::string quoted(std::string_view text) {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "'" + std::string + "'".
    std::string result(1, '\'');
    result.append(text).push_back('\'');
    return result;
}

std::uint32_t parseCount(std::string_view option, std::string_view text, std::uint32_t min,
                         std::uint32_t max) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < min || value > max) {
        fail(std::string(option) + ": " + quoted(text) + " is not a whole number from " +
             std::to_string(min) + " to " + std::to_string(max));
    }
    return value;
}

double parseSeconds(std::string_view option, std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value) ||
        value <= 0 || value > MAX_SECONDS) {
        fail(std::string(option) + ": " + quoted(text) +
             " is not a number of seconds above 0 and at most 10000000");
    }
    return value;
}

std::string checkedText(std::string_view option, std::string_view field, std::string_view text,
                        std::size_t width) {
    if (text.size() > width) {
        fail(std::string(option) + ": " + std::string(field) + " " + quoted(text) +
             " is longer than " + std::to_string(width) + " characters");
    }
    return std::string(text);
}

} // namespace netlark
