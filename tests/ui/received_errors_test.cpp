#include "camera_setup_fixture.h"
#include "cameras/messages.h"

#include <QTest>
#include <cerrno>

namespace netlark::testing {
namespace {

constexpr std::uint32_t CAMERA_KEY = 0x0BADF00D;

std::vector<std::uint8_t> withBadChecksum() {
    LinuxDatagram datagram = encodeLinuxAnnouncement(linuxCamera("LX-0002"), CAMERA_KEY);
    datagram[linux_layout::ANNOUNCE_SERIAL] ^= 0xFF;
    return bytesOf(datagram);
}

struct ReceivedCase {
    const char* name;
    std::vector<std::uint8_t> datagram;
    std::string message; // empty: nothing is shown
};

class ReceivedDatagramTest : public CameraSetupTest,
                             public ::testing::WithParamInterface<ReceivedCase> {
protected:
    void SetUp() override { openDialog(); }
};

TEST_P(ReceivedDatagramTest, IsReportedAndReceivingGoesOn) {
    sendToReplyPort(GetParam().datagram);
    // Replies are handled in arrival order: once this camera is listed, the
    // datagram before it has been dealt with.
    announce(vxworksCamera("vx-0001"));
    ASSERT_TRUE(waitForRows(1));

    std::vector<std::string> shown;
    for (const QString& text : messages.texts()) {
        shown.push_back(text.toStdString());
    }
    const std::vector<std::string> expected = GetParam().message.empty()
                                                  ? std::vector<std::string>{}
                                                  : std::vector<std::string>{GetParam().message};
    EXPECT_EQ(shown, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Datagrams, ReceivedDatagramTest,
    ::testing::Values(
        ReceivedCase{"TooShort", std::vector<std::uint8_t>(12, 0x31), "recvfrom error = 12,0"},
        ReceivedCase{"TooLong", std::vector<std::uint8_t>(200, 0),
                     "recvfrom error = -1," + std::to_string(EMSGSIZE)},
        ReceivedCase{"NeitherFamilysLength", std::vector<std::uint8_t>(60, 0), ""},
        ReceivedCase{"LinuxBadChecksum", withBadChecksum(),
                     std::string(messages::INVALID_CHECKSUM)},
        ReceivedCase{"LinuxUnknownOpcode", bytesOf(encodeLinuxResult(99, CAMERA_KEY)),
                     std::string(messages::INVALID_OP)},
        ReceivedCase{"LinuxAuthenticationFailed",
                     bytesOf(encodeLinuxResult(OP_AUTH_FAIL, CAMERA_KEY)),
                     std::string(messages::INVALID_CREDENTIALS)},
        ReceivedCase{"VxWorksAuthenticationFailed", bytesOf(encodeVxWorksResult(OP_AUTH_FAIL)),
                     std::string(messages::INVALID_CREDENTIALS)},
        ReceivedCase{"VxWorksUnknownOpcode", bytesOf(encodeVxWorksResult(99)),
                     std::string(messages::INVALID_OP)}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace netlark::testing
