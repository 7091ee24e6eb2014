#include "fuzz/checks/checks.h"
#include "fuzz/checks/fixed_input.h"
#include "fuzz/checks/linux_reference.h"
#include "fuzz/checks/require.h"

namespace netlark::fuzzing {

namespace {

/// What Netlark sends: a zero marker, a checksum that holds, zero bytes after
/// the payload, and the scramble confined to its region.
void checkSentFraming(const LinuxDatagram& sent, std::uint32_t payloadLength, std::uint32_t key) {
    const LinuxFraming framing = readLinuxFraming(sent);
    NETLARK_REQUIRE(framing.markerZero && framing.payloadLength == payloadLength);
    NETLARK_REQUIRE(framing.key == key && framing.checksumOk);
    const std::size_t regionEnd = 12 + (payloadLength + 12 + 3) / 4 * 4;
    for (std::size_t at = 24 + payloadLength; at < LINUX_DATAGRAM_SIZE; ++at) {
        NETLARK_REQUIRE(framing.clear[at] == 0);
        NETLARK_REQUIRE(at < regionEnd || sent[at] == 0);
    }
}

void checkChangeRoundTrip(const LinuxChangeRequest& change, std::uint32_t key) {
    ChangeRequestFields values;
    values.adminId = change.adminId.view();
    values.adminPassword = change.adminPassword.view();
    values.targetMac = change.targetMac;
    values.settings = change.settings;
    values.carriedAddress = change.carriedAddress;
    values.carriedPort = change.carriedPort;
    const LinuxDatagram built = buildLinuxChange(values, change.senderMac, key);
    checkSentFraming(built, 60, key);
    NETLARK_REQUIRE(readLinuxFraming(built).opcode == OP_SET_NETWORK);
    NETLARK_REQUIRE(decodeLinuxRequest(built) == LinuxRequest(change));
}

void checkDiscoveryRoundTrip(const MacAddress& senderMac, std::uint32_t key) {
    const LinuxDatagram built = buildLinuxDiscovery(senderMac, key);
    checkSentFraming(built, 0, key);
    NETLARK_REQUIRE(decodeLinuxRequest(built) == LinuxRequest(LinuxDiscoveryRequest{senderMac}));
}

} // namespace

void checkLinuxRequest(Input input) {
    const LinuxDatagram received = fixedInput<LINUX_DATAGRAM_SIZE>(input);
    const LinuxRequest request = decodeLinuxRequest(received);
    const LinuxFraming framing = readLinuxFraming(received);

    if (!framing.markerZero || !framing.fits) {
        NETLARK_REQUIRE(std::holds_alternative<LinuxDropped>(request));
        return;
    }
    if (!framing.checksumOk) {
        NETLARK_REQUIRE(std::holds_alternative<LinuxChecksumFailure>(request));
    } else if (framing.opcode == OP_DISCOVER) {
        const MacAddress senderMac = changeRequestAt(framing.clear).senderMac;
        NETLARK_REQUIRE(request == LinuxRequest(LinuxDiscoveryRequest{senderMac}));
        checkDiscoveryRoundTrip(senderMac, trailingWord(input));
    } else if (framing.opcode == OP_SET_NETWORK) {
        const auto* change = std::get_if<LinuxChangeRequest>(&request);
        NETLARK_REQUIRE(change != nullptr);
        NETLARK_REQUIRE(*change == changeRequestAt(framing.clear));
        checkChangeRoundTrip(*change, 0);
        checkChangeRoundTrip(*change, trailingWord(input));
    } else {
        NETLARK_REQUIRE(request == LinuxRequest(ReplyResult{framing.opcode}));
    }
    NETLARK_REQUIRE(decodeLinuxRequest(rekeyed(received, ~trailingWord(input))) == request);
}

} // namespace netlark::fuzzing
