#include "protocol/byte_fields.h"
#include "protocol/linux_datagram.h"

#include <gtest/gtest.h>
#include <vector>

namespace netlark {
namespace {

using namespace linux_layout;

constexpr MacAddress HOST_MAC{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};

LinuxAnnouncement sampleAnnouncement() {
    LinuxAnnouncement a;
    a.serial = decltype(a.serial)::from("LX0001");
    a.webPort = 81;
    a.settings = {{192, 168, 0, 20}, {255, 255, 255, 0}, {192, 168, 0, 1}, {8, 8, 4, 4}};
    a.carriedAddress = {192, 168, 0, 20};
    a.carriedPort = 554;
    a.mac = {0x00, 0x0F, 0xA0, 0xB1, 0xC2, 0xFF};
    return a;
}

ChangeRequestFields sampleChange() {
    ChangeRequestFields f;
    f.adminId = "0123456789";
    f.adminPassword = "abcdefghij";
    f.targetMac = {0x00, 0x0F, 0xA0, 0xB1, 0xC2, 0xFF};
    f.settings = {{10, 1, 2, 3}, {255, 255, 0, 0}, {10, 1, 0, 254}, {1, 1, 1, 1}};
    f.carriedAddress = {192, 168, 0, 20};
    f.carriedPort = 554;
    return f;
}

LinuxDatagram unscrambled(LinuxDatagram datagram) {
    EXPECT_TRUE(scramble(datagram, fields::readU32(datagram, KEY)));
    return datagram;
}

TEST(LinuxDiscovery, HeaderInClearTailScrambledRestZero) {
    const LinuxDatagram d = buildLinuxDiscovery(HOST_MAC, 0x11223344);
    // Marker and length zero, key in clear, little-endian.
    const std::vector<std::uint8_t> clearHead(d.begin(), d.begin() + 12);
    EXPECT_EQ(clearHead,
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 0x44, 0x33, 0x22, 0x11}));
    // checksum 0, opcode 10, then the MAC, each XORed with the key's bytes.
    const std::vector<std::uint8_t> scrambled(d.begin() + 12, d.begin() + 24);
    EXPECT_EQ(scrambled, (std::vector<std::uint8_t>{0x44, 0x33, 0x22, 0x11, 10 ^ 0x44, 0 ^ 0x33,
                                                    0x00 ^ 0x22, 0x1A ^ 0x11, 0x2B ^ 0x44,
                                                    0x3C ^ 0x33, 0x4D ^ 0x22, 0x5E ^ 0x11}));
    for (std::size_t i = 24; i < d.size(); ++i) {
        EXPECT_EQ(d[i], 0) << "offset " << i;
    }
    EXPECT_EQ(decodeLinuxRequest(d), LinuxRequest(LinuxDiscoveryRequest{HOST_MAC}));
}

struct ScrambleRange {
    std::uint32_t payloadLength;
    std::size_t firstUntouched; // the region is [12, firstUntouched)
};

class LinuxScramble : public ::testing::TestWithParam<ScrambleRange> {};

TEST_P(LinuxScramble, CoversWholeWordsFromChecksum) {
    LinuxDatagram d{};
    fields::writeU32(d, PAYLOAD_LENGTH, GetParam().payloadLength);
    ASSERT_TRUE(scramble(d, 0xA5A5A5A5));
    for (std::size_t i = CHECKSUM; i < d.size(); ++i) {
        const bool inRegion = i < GetParam().firstUntouched;
        EXPECT_EQ(d[i], inRegion ? 0xA5 : 0x00) << "offset " << i;
    }
    ASSERT_TRUE(scramble(d, 0xA5A5A5A5));
    EXPECT_EQ(d, [&] {
        LinuxDatagram clear{};
        fields::writeU32(clear, PAYLOAD_LENGTH, GetParam().payloadLength);
        return clear;
    }()) << "scrambling twice restores";
}

INSTANTIATE_TEST_SUITE_P(Regions, LinuxScramble,
                         ::testing::Values(ScrambleRange{0, 24},    // 3 words
                                           ScrambleRange{45, 72},   // 15 words, past the payload
                                           ScrambleRange{48, 72},   // announcement
                                           ScrambleRange{60, 84},   // change request, 18 words
                                           ScrambleRange{100, 124}, // the whole datagram
                                           ScrambleRange{97, 124}));

TEST(LinuxScramble, RefusesLengthsPastTheDatagram) {
    for (std::uint32_t length : {101u, 1000u, 0xFFFFFFFFu}) {
        LinuxDatagram d{};
        fields::writeU32(d, PAYLOAD_LENGTH, length);
        const LinuxDatagram before = d;
        EXPECT_FALSE(scramble(d, 0xFFFFFFFF));
        EXPECT_EQ(d, before);
    }
}

TEST(LinuxChecksum, SumsUnsignedBytesModulo2To32) {
    const std::vector<std::uint8_t> payload{0xFF, 0x80, 0x01};
    EXPECT_TRUE(checksum_ok(0x180, payload));
    EXPECT_FALSE(checksum_ok(0x17F, payload));
    EXPECT_TRUE(checksum_ok(0, {}));
}

TEST(LinuxAnnouncementCodec, FieldsAtTheirOffsetsInTheirEncodings) {
    const LinuxDatagram clear =
        unscrambled(encodeLinuxAnnouncement(sampleAnnouncement(), 0x5555AAAA));
    EXPECT_EQ(fields::readU32(clear, PAYLOAD_LENGTH), 48u);
    EXPECT_EQ(fields::readU16(clear, OPCODE), OP_IM_HERE);
    EXPECT_EQ(clear[24], 'L');
    EXPECT_EQ(fields::readU16(clear, 42), 81);
    // First-octet-high: the fourth octet comes first on the wire.
    EXPECT_EQ(std::vector<std::uint8_t>(clear.begin() + 44, clear.begin() + 48),
              (std::vector<std::uint8_t>{20, 0, 168, 192}));
    EXPECT_EQ(std::vector<std::uint8_t>(clear.begin() + 48, clear.begin() + 52),
              (std::vector<std::uint8_t>{0, 255, 255, 255}));
    EXPECT_EQ(std::vector<std::uint8_t>(clear.begin() + 52, clear.begin() + 56),
              (std::vector<std::uint8_t>{1, 0, 168, 192}));
    // Octets in order.
    EXPECT_EQ(std::vector<std::uint8_t>(clear.begin() + 56, clear.begin() + 60),
              (std::vector<std::uint8_t>{8, 8, 4, 4}));
    EXPECT_EQ(std::vector<std::uint8_t>(clear.begin() + 60, clear.begin() + 64),
              (std::vector<std::uint8_t>{192, 168, 0, 20}));
    EXPECT_EQ(fields::readU16(clear, 64), 554);
    EXPECT_EQ(fields::readMac(clear, 66), sampleAnnouncement().mac);
}

TEST(LinuxAnnouncementCodec, DecodesTheSameWhateverTheKey) {
    for (std::uint32_t key : {0u, 1u, 0xDEADBEEFu, 0xFFFFFFFFu}) {
        EXPECT_EQ(decodeLinuxReply(encodeLinuxAnnouncement(sampleAnnouncement(), key)),
                  LinuxReply(sampleAnnouncement()))
            << "key " << key;
    }
}

TEST(LinuxAnnouncementCodec, SerialOfFourteenCharactersHasNoTerminator) {
    LinuxAnnouncement a = sampleAnnouncement();
    a.serial = decltype(a.serial)::from("ABCDEFGHIJKLMN");
    const auto decoded =
        std::get<LinuxAnnouncement>(decodeLinuxReply(encodeLinuxAnnouncement(a, 7)));
    EXPECT_EQ(decoded.serial.view(), "ABCDEFGHIJKLMN");
}

TEST(LinuxReplyDecoding, ResultOpcodes) {
    for (std::uint16_t opcode : {OP_SET_DONE, OP_AUTH_FAIL, OP_DISCOVER, OP_SET_NETWORK, 999}) {
        EXPECT_EQ(decodeLinuxReply(encodeLinuxResult(opcode, 0x01020304)),
                  LinuxReply(ReplyResult{opcode}));
    }
}

TEST(LinuxReplyDecoding, NonZeroMarkerIsDroppedWhateverFollows) {
    for (std::size_t at : {0, 1, 2, 3}) {
        LinuxDatagram d = encodeLinuxAnnouncement(sampleAnnouncement(), 42);
        d[at] = 1;
        EXPECT_EQ(decodeLinuxReply(d), LinuxReply(LinuxDropped{}));
    }
}

TEST(LinuxReplyDecoding, BadChecksumIsReportedWhateverTheOpcode) {
    for (const LinuxDatagram& valid :
         {encodeLinuxAnnouncement(sampleAnnouncement(), 42), encodeLinuxResult(OP_SET_DONE, 42)}) {
        LinuxDatagram d = valid;
        d[CHECKSUM] ^= 0x01;
        EXPECT_EQ(decodeLinuxReply(d), LinuxReply(LinuxChecksumFailure{}));
    }
}

TEST(LinuxReplyDecoding, PayloadLengthPastTheDatagramIsDropped) {
    for (std::uint32_t length : {101u, 124u, 0x10000u, 0xFFFFFFFFu}) {
        LinuxDatagram d = encodeLinuxAnnouncement(sampleAnnouncement(), 42);
        fields::writeU32(d, PAYLOAD_LENGTH, length);
        EXPECT_EQ(decodeLinuxReply(d), LinuxReply(LinuxDropped{})) << length;
    }
}

TEST(LinuxReplyDecoding, FieldsAreReadWhateverPayloadLengthSays) {
    // A camera that announces a short payload_length still has its fields read
    // at their places; the checksum then covers only what the length says.
    LinuxDatagram clear = unscrambled(encodeLinuxAnnouncement(sampleAnnouncement(), 9));
    fields::writeU32(clear, PAYLOAD_LENGTH, 20);
    std::uint32_t sum = 0;
    for (std::size_t i = PAYLOAD; i < PAYLOAD + 20; ++i) {
        sum += clear[i];
    }
    fields::writeU32(clear, CHECKSUM, sum);
    LinuxDatagram wire = clear;
    fields::writeU32(wire, KEY, 0);
    EXPECT_EQ(decodeLinuxReply(wire), LinuxReply(sampleAnnouncement()));
}

TEST(LinuxChange, GoldenPayloadBeforeScrambling) {
    const LinuxDatagram clear = unscrambled(buildLinuxChange(sampleChange(), HOST_MAC, 0x0BADF00D));
    EXPECT_EQ(fields::readU32(clear, PAYLOAD_LENGTH), 60u);
    EXPECT_EQ(fields::readU16(clear, OPCODE), OP_SET_NETWORK);
    EXPECT_EQ(fields::readMac(clear, SENDER_MAC), HOST_MAC);
    const std::vector<std::uint8_t> payload(clear.begin() + 24, clear.begin() + 84);
    const std::vector<std::uint8_t> expected{
        '0',  '1',  '2',  '3',  '4',  '5',  '6', '7', '8', '9', // ID, all 10, no terminator
        'a',  'b',  'c',  'd',  'e',  'f',  'g', 'h', 'i', 'j', // password
        0x00, 0x0F, 0xA0, 0xB1, 0xC2, 0xFF, 0,   0,             // target MAC, 2 zero
        3,    2,    1,    10,                                   // IP, first-octet-high
        0,    0,    255,  255,                                  // subnet mask, first-octet-high
        254,  0,    1,    10,                                   // gateway, first-octet-high
        1,    1,    1,    1,                                    // DNS, in order
        192,  168,  0,    20,                                   // carried address, in order
        0x2A, 0x02,                                             // carried port 554
        0,    0,    0,    0,    0,    0,    0,   0,   0,   0};
    EXPECT_EQ(payload, expected);
    std::uint32_t sum = 0;
    for (std::uint8_t b : expected) {
        sum += b;
    }
    EXPECT_EQ(fields::readU32(clear, CHECKSUM), sum);
    for (std::size_t i = 84; i < clear.size(); ++i) {
        EXPECT_EQ(clear[i], 0) << "offset " << i;
    }
}

TEST(LinuxChange, ScramblesExactlyEighteenWords) {
    const LinuxDatagram wire = buildLinuxChange(sampleChange(), HOST_MAC, 0xFFFFFFFF);
    for (std::size_t i = 84; i < wire.size(); ++i) {
        EXPECT_EQ(wire[i], 0) << "offset " << i;
    }
    EXPECT_EQ(wire[83], 0xFF); // the last payload byte is zero, scrambled
}

TEST(LinuxChange, ShortTextsArePaddedWithZeros) {
    ChangeRequestFields f = sampleChange();
    f.adminId = "adm";
    f.adminPassword = "pw";
    const LinuxDatagram clear = unscrambled(buildLinuxChange(f, HOST_MAC, 3));
    EXPECT_EQ(std::vector<std::uint8_t>(clear.begin() + 24, clear.begin() + 44),
              (std::vector<std::uint8_t>{'a', 'd', 'm', 0, 0, 0, 0, 0, 0, 0,
                                         'p', 'w', 0,   0, 0, 0, 0, 0, 0, 0}));
}

TEST(LinuxChange, RoundTripsThroughTheCameraSide) {
    const auto decoded = std::get<LinuxChangeRequest>(
        decodeLinuxRequest(buildLinuxChange(sampleChange(), HOST_MAC, 77)));
    const ChangeRequestFields f = sampleChange();
    EXPECT_EQ(decoded.adminId.view(), f.adminId);
    EXPECT_EQ(decoded.adminPassword.view(), f.adminPassword);
    EXPECT_EQ(decoded.targetMac, f.targetMac);
    EXPECT_EQ(decoded.settings, f.settings);
    EXPECT_EQ(decoded.carriedAddress, f.carriedAddress);
    EXPECT_EQ(decoded.carriedPort, f.carriedPort);
    EXPECT_EQ(decoded.senderMac, HOST_MAC);
}

} // namespace
} // namespace netlark
