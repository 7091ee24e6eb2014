#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Checked option values for the command-line parser. Each check throws
// BadOption with a message that names the option; parseCamsimOptions turns it
// into an OptionError, so nothing escapes the parser.
namespace netlark {

struct BadOption {
    std::string message;
};

[[noreturn]] void fail(std::string message);

/// The text in single quotes, as messages show what the user typed.
std::string quoted(std::string_view text);

/// A decimal whole number from `min` to `max`, nothing else.
std::uint32_t parseCount(std::string_view option, std::string_view text, std::uint32_t min,
                         std::uint32_t max);

/// A positive, finite number of seconds, at most 10000000 (which keeps
/// deadlines far from clock overflow).
double parseSeconds(std::string_view option, std::string_view text);

/// The text itself, when it has at most `width` characters.
std::string checkedText(std::string_view option, std::string_view field, std::string_view text,
                        std::size_t width);

} // namespace netlark
