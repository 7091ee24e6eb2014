#include "fake_request_sender.h"

namespace netlark::testing {

bool FakeRequestSender::open() {
    return !failOpen;
}

bool FakeRequestSender::enableBroadcast() {
    return !failBroadcast;
}

bool FakeRequestSender::send(std::span<const std::uint8_t> datagram) {
    ++sendAttempts;
    if (failSendNumber == sendAttempts) {
        return false;
    }
    sent.emplace_back(datagram.begin(), datagram.end());
    return true;
}

} // namespace netlark::testing
