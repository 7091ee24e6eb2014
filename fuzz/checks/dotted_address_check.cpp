#include "cameras/address_text.h"
#include "fuzz/checks/checks.h"
#include "fuzz/checks/require.h"
#include "fuzz/checks/text_input.h"

#include <arpa/inet.h>
#include <cstdio>
#include <string>

namespace netlark::fuzzing {

namespace {

/// Texts made only of digits, hexadecimal letters, 'x' and dots, where the C
/// library's reading of an address is the rule; outside them (spaces, signs,
/// trailing text) the C library is more lenient than a cell needs.
bool madeOfAddressCharacters(std::string_view text) {
    return text.find_first_not_of("0123456789abcdefABCDEFxX.") == std::string_view::npos;
}

/// The C library's reading, with a text that is not an address read as
/// 255.255.255.255.
Ipv4Address addressByCLibrary(std::string_view text) {
    const std::string terminated(text);
    in_addr address{};
    if (inet_aton(terminated.c_str(), &address) == 0) {
        return {255, 255, 255, 255};
    }
    const auto* octets = reinterpret_cast<const std::uint8_t*>(&address.s_addr);
    return {octets[0], octets[1], octets[2], octets[3]};
}

} // namespace

void checkDottedAddress(Input input) {
    const std::string_view text = asText(input);
    const auto address = readDottedAddress(text);
    NETLARK_REQUIRE(address.has_value() == !text.empty());
    if (!text.empty() && madeOfAddressCharacters(text)) {
        NETLARK_REQUIRE(*address == addressByCLibrary(text));
    }
    if (input.size() >= 4) {
        char printed[16];
        std::snprintf(printed, sizeof printed, "%u.%u.%u.%u", input[0], input[1], input[2],
                      input[3]);
        const Ipv4Address octets{input[0], input[1], input[2], input[3]};
        NETLARK_REQUIRE(readDottedAddress(ExactText(printed).view()) == octets);
    }
}

} // namespace netlark::fuzzing
