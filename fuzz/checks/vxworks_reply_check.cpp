#include "fuzz/checks/checks.h"
#include "fuzz/checks/fixed_input.h"
#include "fuzz/checks/require.h"
#include "fuzz/checks/vxworks_opcode.h"
#include "protocol/byte_fields.h"
#include "protocol/vxworks_datagram.h"

namespace netlark::fuzzing {

namespace {

/// The announcement fields at the offsets of the wire table.
VxWorksAnnouncement announcementAt(const VxWorksReply& d) {
    VxWorksAnnouncement a;
    a.serial = decltype(a.serial)::read(d, 2);
    a.mac = fields::readMac(d, 14);
    a.settings.gateway = fields::readOctetsInOrder(d, 20);
    a.settings.subnetMask = fields::readOctetsInOrder(d, 24);
    a.settings.dns = fields::readOctetsInOrder(d, 28);
    a.carriedAddress = fields::readOctetsInOrder(d, 32);
    a.settings.ip = fields::readOctetsInOrder(d, 36);
    return a;
}

} // namespace

void checkVxWorksReply(Input input) {
    const VxWorksReply received = fixedInput<VXWORKS_REPLY_SIZE>(input);
    const VxWorksReplyContent reply = decodeVxWorksReply(received);
    const int opcode = vxworksOpcodeOf(received);
    NETLARK_REQUIRE(vxworksOpcode(received[0], received[1]) == opcode);

    if (opcode == OP_IM_HERE) {
        const auto* announcement = std::get_if<VxWorksAnnouncement>(&reply);
        NETLARK_REQUIRE(announcement != nullptr);
        NETLARK_REQUIRE(*announcement == announcementAt(received));
        const VxWorksReply encoded = encodeVxWorksAnnouncement(*announcement);
        NETLARK_REQUIRE(startsWithDigits(encoded, OP_IM_HERE));
        NETLARK_REQUIRE(decodeVxWorksReply(encoded) == reply);
        return;
    }
    NETLARK_REQUIRE(reply == VxWorksReplyContent(ReplyResult{opcode}));
    if (opcode >= 0 && opcode <= 99) {
        const VxWorksReply encoded = encodeVxWorksResult(opcode);
        NETLARK_REQUIRE(startsWithDigits(encoded, opcode));
        NETLARK_REQUIRE(decodeVxWorksReply(encoded) == reply);
    }
}

} // namespace netlark::fuzzing
