#include "cameras/received_datagram.h"

#include "cameras/messages.h"

#include <algorithm>

namespace netlark {

namespace {

/// The message for a camera's result reply. Only a Linux camera rescans after
/// a change: it takes its new address at once, so the list would be stale.
ReportReply reportResult(const ReplyResult& result, bool rescanAfterSuccess) {
    switch (result.opcode) {
    case OP_SET_DONE:
        return {messages::CHANGE_SUCCEEDED, rescanAfterSuccess};
    case OP_AUTH_FAIL:
        return {messages::INVALID_CREDENTIALS};
    default:
        return {messages::INVALID_OP};
    }
}

/// Makes a camera's row right inside the action that lists it: the variant
/// builds its ListCamera from this, so the row is written once, in place.
/// Copying a row just written a character at a time costs more than making it.
/// It converts to the whole ListCamera, not to its row: building an aggregate
/// from a row in parentheses is C++20 that clang before 16 lacks.
template <typename Announcement> struct RowInPlace {
    const Announcement& announcement;
    operator ListCamera() const { return ListCamera{rowFromAnnouncement(announcement)}; }
};

template <typename Announcement> DatagramAction listCamera(const Announcement& announcement) {
    return DatagramAction(std::in_place_type<ListCamera>, RowInPlace<Announcement>{announcement});
}

DatagramAction linuxAction(std::span<const std::uint8_t, LINUX_DATAGRAM_SIZE> bytes) {
    LinuxDatagram datagram;
    std::copy(bytes.begin(), bytes.end(), datagram.begin());
    const LinuxReply reply = decodeLinuxReply(datagram);
    if (const auto* announcement = std::get_if<LinuxAnnouncement>(&reply)) {
        return listCamera(*announcement);
    }
    if (const auto* result = std::get_if<ReplyResult>(&reply)) {
        return reportResult(*result, true);
    }
    if (std::holds_alternative<LinuxChecksumFailure>(reply)) {
        return ReportReply{messages::INVALID_CHECKSUM};
    }
    return IgnoreDatagram{};
}

DatagramAction vxworksAction(std::span<const std::uint8_t, VXWORKS_REPLY_SIZE> bytes) {
    VxWorksReply datagram;
    std::copy(bytes.begin(), bytes.end(), datagram.begin());
    const VxWorksReplyContent reply = decodeVxWorksReply(datagram);
    if (const auto* announcement = std::get_if<VxWorksAnnouncement>(&reply)) {
        return listCamera(*announcement);
    }
    return reportResult(std::get<ReplyResult>(reply), false);
}

} // namespace

DatagramAction actionForDatagram(std::span<const std::uint8_t> datagram) {
    switch (datagram.size()) {
    case LINUX_DATAGRAM_SIZE:
        return linuxAction(datagram.first<LINUX_DATAGRAM_SIZE>());
    case VXWORKS_REPLY_SIZE:
        return vxworksAction(datagram.first<VXWORKS_REPLY_SIZE>());
    default:
        return IgnoreDatagram{};
    }
}

} // namespace netlark
