#include "datagram_stream.h"

#include "protocol/linux_datagram.h"
#include "protocol/vxworks_datagram.h"
#include "tests/transport/udp_test_socket.h"
#include "transport/ports.h"

#include <chrono>
#include <random>
#include <string>
#include <vector>

namespace netlark::testing {

namespace {

using Bytes = std::vector<std::uint8_t>;

// Fast enough to keep the receiver busy, slow enough to leave the program
// under test a core of its own on a small machine.
constexpr auto PACE = std::chrono::microseconds(200);
constexpr std::size_t LONGEST_JUNK = 2000;
constexpr std::uint32_t CAMERA_KEY = 0x5EED1168;

template <typename Array> Bytes bytesOf(const Array& datagram) {
    return {datagram.begin(), datagram.end()};
}

MacAddress macOf(std::size_t number) {
    return {0x00,
            0x1A,
            static_cast<std::uint8_t>(number >> 24),
            static_cast<std::uint8_t>(number >> 16),
            static_cast<std::uint8_t>(number >> 8),
            static_cast<std::uint8_t>(number)};
}

LinuxDatagram linuxAnnouncement(std::size_t number) {
    LinuxAnnouncement camera;
    camera.serial =
        FieldText<linux_layout::ANNOUNCE_SERIAL_WIDTH>::from("LX" + std::to_string(number));
    camera.mac = macOf(number);
    camera.settings.ip = {10, 0, 0, 5};
    return encodeLinuxAnnouncement(camera, CAMERA_KEY);
}

VxWorksReply vxworksAnnouncement(std::size_t number) {
    VxWorksAnnouncement camera;
    camera.serial =
        FieldText<vxworks_layout::ANNOUNCE_SERIAL_WIDTH>::from("VX" + std::to_string(number));
    camera.mac = macOf(number);
    camera.settings.ip = {192, 168, 1, 20};
    return encodeVxWorksAnnouncement(camera);
}

Bytes junk(std::mt19937& random) {
    Bytes bytes(std::uniform_int_distribution<std::size_t>(0, LONGEST_JUNK)(random));
    std::uniform_int_distribution<int> byte(0, 255);
    for (std::uint8_t& value : bytes) {
        value = static_cast<std::uint8_t>(byte(random));
    }
    return bytes;
}

Bytes mixedDatagram(std::size_t number, std::mt19937& random) {
    // Under the offscreen platform nobody dismisses a message, so the first
    // one stays open and everything after it waits in the receiver.
    switch (number % 8) {
    case 0:
        return bytesOf(linuxAnnouncement(number));
    case 1:
        return bytesOf(vxworksAnnouncement(number));
    case 2:
        return Bytes(12, 0x31); // too short
    case 3:
        return {};
    case 4: {
        LinuxDatagram badChecksum = linuxAnnouncement(number);
        badChecksum[linux_layout::ANNOUNCE_SERIAL] ^= 0xFF;
        return bytesOf(badChecksum);
    }
    case 5:
        return bytesOf(encodeLinuxResult(OP_SET_DONE, CAMERA_KEY)); // a rescan once dismissed
    case 6:
        return bytesOf(encodeVxWorksResult(99));
    default:
        return junk(random);
    }
}

Bytes announcement(std::size_t number) {
    return number % 2 == 0 ? bytesOf(linuxAnnouncement(number))
                           : bytesOf(vxworksAnnouncement(number));
}

} // namespace

DatagramStream::DatagramStream(Kind kind) : m_thread([this, kind] { run(kind); }) {}

DatagramStream::~DatagramStream() {
    m_stop = true;
    m_thread.join();
}

void DatagramStream::waitUntilSent(std::size_t count) const {
    while (m_sent < count) {
        std::this_thread::sleep_for(PACE);
    }
}

void DatagramStream::run(Kind kind) {
    UdpTestSocket socket;
    std::mt19937 random(1168);
    for (std::size_t number = 0; !m_stop; ++number) {
        const Bytes datagram =
            kind == Kind::Mixed ? mixedDatagram(number, random) : announcement(number);
        socket.sendTo(REPLY_PORT, datagram);
        ++m_sent;
        std::this_thread::sleep_for(PACE);
    }
}

} // namespace netlark::testing
