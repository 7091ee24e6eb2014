#include "cameras/address_text.h"
#include "fuzz/checks/checks.h"
#include "fuzz/checks/require.h"
#include "fuzz/checks/text_input.h"

#include <cstdio>

namespace netlark::fuzzing {

namespace {

/// The pair rule written out: the pair at 3 x i runs to the next ':', zero
/// character or the end; a digit counts its value, any other character its
/// lower-case code minus 87; only the low 8 bits are kept.
MacAddress macByPairRule(std::string_view text) {
    MacAddress mac{};
    for (std::size_t i = 0; i < mac.size(); ++i) {
        std::uint8_t value = 0;
        for (std::size_t at = 3 * i; at < text.size() && text[at] != ':' && text[at] != '\0';
             ++at) {
            const auto c = static_cast<std::uint8_t>(text[at]);
            const bool digit = c >= '0' && c <= '9';
            const std::uint8_t lower = c >= 'A' && c <= 'Z' ? c + 32 : c;
            value = static_cast<std::uint8_t>(value * 16 + (digit ? c - '0' : lower - 87));
        }
        mac[i] = value;
    }
    return mac;
}

void checkPrintedMac(const char* format, const MacAddress& mac) {
    char printed[18];
    std::snprintf(printed, sizeof printed, format, mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    NETLARK_REQUIRE(parseMacText(ExactText(printed).view()) == mac);
}

} // namespace

void checkMacText(Input input) {
    NETLARK_REQUIRE(parseMacText(asText(input)) == macByPairRule(asText(input)));
    if (input.size() >= 6) {
        const MacAddress mac{input[0], input[1], input[2], input[3], input[4], input[5]};
        checkPrintedMac("%02X:%02X:%02X:%02X:%02X:%02X", mac);
        checkPrintedMac("%02x:%02x:%02x:%02x:%02x:%02x", mac);
    }
}

} // namespace netlark::fuzzing
