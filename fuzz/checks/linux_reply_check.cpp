#include "fuzz/checks/checks.h"
#include "fuzz/checks/fixed_input.h"
#include "fuzz/checks/linux_reference.h"
#include "fuzz/checks/require.h"

namespace netlark::fuzzing {

namespace {

void checkAnnouncementRoundTrip(const LinuxAnnouncement& announcement, std::uint32_t key) {
    const LinuxDatagram encoded = encodeLinuxAnnouncement(announcement, key);
    const LinuxFraming framing = readLinuxFraming(encoded);
    NETLARK_REQUIRE(framing.markerZero && framing.payloadLength == 48);
    NETLARK_REQUIRE(framing.key == key && framing.checksumOk);
    NETLARK_REQUIRE(framing.opcode == OP_IM_HERE);
    NETLARK_REQUIRE(decodeLinuxReply(encoded) == LinuxReply(announcement));
}

void checkResultRoundTrip(std::uint16_t opcode, std::uint32_t key) {
    const LinuxDatagram encoded = encodeLinuxResult(opcode, key);
    const LinuxFraming framing = readLinuxFraming(encoded);
    NETLARK_REQUIRE(framing.markerZero && framing.payloadLength == 0);
    NETLARK_REQUIRE(framing.key == key && framing.checksumOk);
    NETLARK_REQUIRE(decodeLinuxReply(encoded) == LinuxReply(ReplyResult{opcode}));
}

} // namespace

void checkLinuxReply(Input input) {
    const LinuxDatagram received = fixedInput<LINUX_DATAGRAM_SIZE>(input);
    const LinuxReply reply = decodeLinuxReply(received);
    const LinuxFraming framing = readLinuxFraming(received);

    if (!framing.markerZero || !framing.fits) {
        NETLARK_REQUIRE(std::holds_alternative<LinuxDropped>(reply));
        return;
    }
    if (!framing.checksumOk) {
        NETLARK_REQUIRE(std::holds_alternative<LinuxChecksumFailure>(reply));
    } else if (framing.opcode == OP_IM_HERE) {
        const auto* announcement = std::get_if<LinuxAnnouncement>(&reply);
        NETLARK_REQUIRE(announcement != nullptr);
        NETLARK_REQUIRE(*announcement == announcementAt(framing.clear));
        checkAnnouncementRoundTrip(*announcement, 0);
        checkAnnouncementRoundTrip(*announcement, trailingWord(input));
    } else {
        NETLARK_REQUIRE(reply == LinuxReply(ReplyResult{framing.opcode}));
        checkResultRoundTrip(framing.opcode, trailingWord(input));
    }
    // The key travels in clear and hides nothing: any other key yields the same reply.
    NETLARK_REQUIRE(decodeLinuxReply(rekeyed(received, 0)) == reply);
    NETLARK_REQUIRE(decodeLinuxReply(rekeyed(received, ~trailingWord(input))) == reply);
}

} // namespace netlark::fuzzing
