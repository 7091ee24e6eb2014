#include "protocol/vxworks_datagram.h"

#include <gtest/gtest.h>
#include <vector>

namespace netlark {
namespace {

std::vector<std::uint8_t> bytes(std::span<const std::uint8_t> s, std::size_t from, std::size_t to) {
    return {s.begin() + static_cast<std::ptrdiff_t>(from),
            s.begin() + static_cast<std::ptrdiff_t>(to)};
}

TEST(VxWorksDiscovery, IsTenXyThenZeros) {
    const VxWorksRequest d = buildVxWorksDiscovery();
    std::vector<std::uint8_t> expected(50, 0);
    expected[0] = 0x31;
    expected[1] = 0x30;
    expected[2] = 0x78;
    expected[3] = 0x79;
    EXPECT_EQ(std::vector<std::uint8_t>(d.begin(), d.end()), expected);
    EXPECT_EQ(decodeVxWorksRequest(d), VxWorksRequestContent(VxWorksDiscoveryRequest{}));
}

struct OpcodeCase {
    std::uint8_t first;
    std::uint8_t second;
    int opcode;
};

class VxWorksOpcode : public ::testing::TestWithParam<OpcodeCase> {};

TEST_P(VxWorksOpcode, ComputedOnSignedBytesWithoutDigitCheck) {
    EXPECT_EQ(vxworksOpcode(GetParam().first, GetParam().second), GetParam().opcode);
}

INSTANTIATE_TEST_SUITE_P(Cases, VxWorksOpcode,
                         ::testing::Values(OpcodeCase{'1', '1', 11}, OpcodeCase{'1', '3', 13},
                                           OpcodeCase{'1', '4', 14}, OpcodeCase{'0', ';', 11},
                                           OpcodeCase{'0', '0', 0}, OpcodeCase{'A', 'B', 188},
                                           OpcodeCase{0xFF, 0xFF, -539},
                                           OpcodeCase{0x80, 0x00, -1808}));

VxWorksAnnouncement sampleAnnouncement() {
    VxWorksAnnouncement a;
    a.serial = decltype(a.serial)::from("VX0001");
    a.mac = {0x00, 0x40, 0x8C, 0xAB, 0xCD, 0xEF};
    a.settings = {{192, 168, 1, 30}, {255, 255, 255, 0}, {192, 168, 1, 1}, {9, 9, 9, 9}};
    a.carriedAddress = {192, 168, 1, 30};
    return a;
}

TEST(VxWorksAnnouncementCodec, GoldenLayout) {
    const VxWorksReply d = encodeVxWorksAnnouncement(sampleAnnouncement());
    EXPECT_EQ(bytes(d, 0, 2), (std::vector<std::uint8_t>{0x31, 0x31}));
    EXPECT_EQ(bytes(d, 2, 14),
              (std::vector<std::uint8_t>{'V', 'X', '0', '0', '0', '1', 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(bytes(d, 14, 20), (std::vector<std::uint8_t>{0x00, 0x40, 0x8C, 0xAB, 0xCD, 0xEF}));
    EXPECT_EQ(bytes(d, 20, 24), (std::vector<std::uint8_t>{192, 168, 1, 1}));   // gateway
    EXPECT_EQ(bytes(d, 24, 28), (std::vector<std::uint8_t>{255, 255, 255, 0})); // subnet mask
    EXPECT_EQ(bytes(d, 28, 32), (std::vector<std::uint8_t>{9, 9, 9, 9}));       // DNS
    EXPECT_EQ(bytes(d, 32, 36), (std::vector<std::uint8_t>{192, 168, 1, 30}));  // carried
    EXPECT_EQ(bytes(d, 36, 40), (std::vector<std::uint8_t>{192, 168, 1, 30}));  // IP
    EXPECT_EQ(decodeVxWorksReply(d), VxWorksReplyContent(sampleAnnouncement()));
}

TEST(VxWorksAnnouncementCodec, NonDigitOpcodeThatComputesElevenIsAnAnnouncement) {
    VxWorksReply d = encodeVxWorksAnnouncement(sampleAnnouncement());
    d[0] = 0x30;
    d[1] = 0x3B;
    EXPECT_EQ(decodeVxWorksReply(d), VxWorksReplyContent(sampleAnnouncement()));
}

TEST(VxWorksAnnouncementCodec, SerialOfTwelveCharactersHasNoTerminator) {
    VxWorksAnnouncement a = sampleAnnouncement();
    a.serial = decltype(a.serial)::from("ABCDEFGHIJKLMNOP");
    EXPECT_EQ(a.serial.view(), "ABCDEFGHIJKL");
    const auto decoded =
        std::get<VxWorksAnnouncement>(decodeVxWorksReply(encodeVxWorksAnnouncement(a)));
    EXPECT_EQ(decoded.serial.view(), "ABCDEFGHIJKL");
}

TEST(VxWorksReplyDecoding, ResultsCarryTheirOpcode) {
    for (int opcode : {OP_SET_DONE, OP_AUTH_FAIL, OP_DISCOVER, 99}) {
        EXPECT_EQ(decodeVxWorksReply(encodeVxWorksResult(opcode)),
                  VxWorksReplyContent(ReplyResult{opcode}));
    }
}

TEST(VxWorksChange, GoldenBytesWithFullLengthTexts) {
    ChangeRequestFields f;
    f.adminId = "0123456789";
    f.adminPassword = "abcdefghij";
    f.targetMac = {0x00, 0x40, 0x8C, 0xAB, 0xCD, 0xEF};
    f.settings = {{10, 1, 2, 3}, {255, 255, 0, 0}, {10, 1, 0, 254}, {1, 1, 1, 1}};
    f.carriedAddress = {192, 168, 1, 30};
    f.carriedPort = 554; // not part of this family's request
    const VxWorksRequest d = buildVxWorksChange(f);
    const std::vector<std::uint8_t> expected{
        '1',  '2',                                              // opcode
        '0',  '1',  '2',  '3',  '4',  '5',  '6', '7', '8', '9', // ID
        'a',  'b',  'c',  'd',  'e',  'f',  'g', 'h', 'i', 'j', // password, no zero before the IP
        10,   1,    2,    3,                                    // new IP
        0x00, 0x40, 0x8C, 0xAB, 0xCD, 0xEF,                     // target MAC
        10,   1,    0,    254,                                  // gateway
        255,  255,  0,    0,                                    // subnet mask
        1,    1,    1,    1,                                    // DNS
        192,  168,  1,    30,                                   // carried address
        0,    0};
    EXPECT_EQ(std::vector<std::uint8_t>(d.begin(), d.end()), expected);

    const auto decoded = std::get<VxWorksChangeRequest>(decodeVxWorksRequest(d));
    EXPECT_EQ(decoded.adminId.view(), "0123456789");
    EXPECT_EQ(decoded.adminPassword.view(), "abcdefghij");
    EXPECT_EQ(decoded.targetMac, f.targetMac);
    EXPECT_EQ(decoded.settings, f.settings);
    EXPECT_EQ(decoded.carriedAddress, f.carriedAddress);
}

TEST(VxWorksChange, TextsLongerThanTheFieldAreCut) {
    ChangeRequestFields f;
    f.adminId = "administrator";
    f.adminPassword = "pw";
    const VxWorksRequest d = buildVxWorksChange(f);
    EXPECT_EQ(bytes(d, 2, 22),
              (std::vector<std::uint8_t>{'a', 'd', 'm', 'i', 'n', 'i', 's', 't', 'r', 'a',
                                         'p', 'w', 0,   0,   0,   0,   0,   0,   0,   0}));
}

} // namespace
} // namespace netlark
