#include "fake_request_sender.h"

#include <span>

namespace netlark::testing {

bool FakeRequestSender::open() {
    return !failOpen;
}

bool FakeRequestSender::enableBroadcast() {
    return !failBroadcast;
}

bool FakeRequestSender::sendOnEveryInterface(const RequestBuilder& buildFor,
                                             const MacAddress& fallbackMac) {
    ++sendAttempts;
    if (failSendNumber == sendAttempts) {
        return false;
    }
    const std::vector<MacAddress> macs =
        adapterMacs.empty() ? std::vector<MacAddress>{fallbackMac} : adapterMacs;
    for (const MacAddress& mac : macs) {
        const std::span<const std::uint8_t> bytes = buildFor(mac);
        sent.push_back({mac, {bytes.begin(), bytes.end()}});
    }
    if (whileSending) {
        whileSending();
    }
    return true;
}

} // namespace netlark::testing
