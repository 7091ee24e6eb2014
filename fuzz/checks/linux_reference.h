#pragma once

#include "protocol/linux_datagram.h"

#include <cstdint>

// A second account of the Linux datagram, for holding the decoders against:
// the scramble done byte by byte, the framing checks, and the fields read at
// the offsets of the wire tables written out as numbers.
namespace netlark::fuzzing {

struct LinuxFraming {
    bool markerZero = false;
    std::uint32_t payloadLength = 0;
    std::uint32_t key = 0;
    /// The scramble region stays inside the 124 bytes (payload_length <= 100).
    bool fits = false;
    /// The datagram with its scramble removed; meaningful only when it fits.
    LinuxDatagram clear{};
    bool checksumOk = false;
    std::uint16_t opcode = 0;
};

LinuxFraming readLinuxFraming(const LinuxDatagram& received);

/// The same content sealed with another key: key field replaced and the region
/// XORed again. Only for a datagram whose region fits.
LinuxDatagram rekeyed(const LinuxDatagram& received, std::uint32_t newKey);

/// The announcement fields of an unscrambled datagram.
LinuxAnnouncement announcementAt(const LinuxDatagram& clear);

/// The change request fields of an unscrambled datagram, sender_mac included.
LinuxChangeRequest changeRequestAt(const LinuxDatagram& clear);

} // namespace netlark::fuzzing
