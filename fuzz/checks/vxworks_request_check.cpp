#include "fuzz/checks/checks.h"
#include "fuzz/checks/fixed_input.h"
#include "fuzz/checks/require.h"
#include "fuzz/checks/vxworks_opcode.h"
#include "protocol/byte_fields.h"
#include "protocol/vxworks_datagram.h"

#include <algorithm>

namespace netlark::fuzzing {

namespace {

/// The change request fields at the offsets of the wire table.
VxWorksChangeRequest changeRequestAt(const VxWorksRequest& d) {
    VxWorksChangeRequest c;
    c.adminId = decltype(c.adminId)::read(d, 2);
    c.adminPassword = decltype(c.adminPassword)::read(d, 12);
    c.settings.ip = fields::readOctetsInOrder(d, 22);
    c.targetMac = fields::readMac(d, 26);
    c.settings.gateway = fields::readOctetsInOrder(d, 32);
    c.settings.subnetMask = fields::readOctetsInOrder(d, 36);
    c.settings.dns = fields::readOctetsInOrder(d, 40);
    c.carriedAddress = fields::readOctetsInOrder(d, 44);
    return c;
}

void checkChangeRoundTrip(const VxWorksChangeRequest& change) {
    ChangeRequestFields values;
    values.adminId = change.adminId.view();
    values.adminPassword = change.adminPassword.view();
    values.targetMac = change.targetMac;
    values.settings = change.settings;
    values.carriedAddress = change.carriedAddress;
    const VxWorksRequest built = buildVxWorksChange(values);
    NETLARK_REQUIRE(startsWithDigits(built, OP_SET_NETWORK));
    NETLARK_REQUIRE(built[48] == 0 && built[49] == 0);
    NETLARK_REQUIRE(decodeVxWorksRequest(built) == VxWorksRequestContent(change));
}

} // namespace

void checkVxWorksRequest(Input input) {
    const VxWorksRequest received = fixedInput<VXWORKS_REQUEST_SIZE>(input);
    const VxWorksRequestContent request = decodeVxWorksRequest(received);
    const int opcode = vxworksOpcodeOf(received);

    if (opcode == OP_DISCOVER) {
        NETLARK_REQUIRE(std::holds_alternative<VxWorksDiscoveryRequest>(request));
        const VxWorksRequest built = buildVxWorksDiscovery();
        NETLARK_REQUIRE(startsWithDigits(built, OP_DISCOVER) && built[2] == 'x' && built[3] == 'y');
        NETLARK_REQUIRE(std::all_of(built.begin() + 4, built.end(), [](auto b) { return b == 0; }));
        NETLARK_REQUIRE(decodeVxWorksRequest(built) == request);
    } else if (opcode == OP_SET_NETWORK) {
        const auto* change = std::get_if<VxWorksChangeRequest>(&request);
        NETLARK_REQUIRE(change != nullptr);
        NETLARK_REQUIRE(*change == changeRequestAt(received));
        checkChangeRoundTrip(*change);
    } else {
        NETLARK_REQUIRE(request == VxWorksRequestContent(ReplyResult{opcode}));
    }
}

} // namespace netlark::fuzzing
