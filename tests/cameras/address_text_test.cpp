#include "cameras/address_text.h"

#include <gtest/gtest.h>
#include <string>

namespace netlark {
namespace {

constexpr Ipv4Address NOT_AN_ADDRESS{255, 255, 255, 255};

struct DottedCase {
    std::string text;
    std::optional<Ipv4Address> address;
};

class ReadDottedAddress : public ::testing::TestWithParam<DottedCase> {};

TEST_P(ReadDottedAddress, ReadsLikeTheSocketLibrary) {
    EXPECT_EQ(readDottedAddress(GetParam().text), GetParam().address) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadDottedAddress,
    ::testing::Values(
        DottedCase{"", std::nullopt}, DottedCase{"10.0.0.5", Ipv4Address{10, 0, 0, 5}},
        DottedCase{"0.0.0.0", Ipv4Address{0, 0, 0, 0}},
        DottedCase{"255.255.255.255", Ipv4Address{255, 255, 255, 255}},
        DottedCase{"0x0A.0.0.1", Ipv4Address{10, 0, 0, 1}},
        DottedCase{"0XFF.0xfe.0.1", Ipv4Address{255, 254, 0, 1}},
        DottedCase{"012.0.0.010", Ipv4Address{10, 0, 0, 8}},
        // Fewer parts: the last one fills the octets the others leave.
        DottedCase{"10.1", Ipv4Address{10, 0, 0, 1}},
        DottedCase{"10.1.2", Ipv4Address{10, 1, 0, 2}},
        DottedCase{"10.65535", Ipv4Address{10, 0, 255, 255}},
        DottedCase{"167772161", Ipv4Address{10, 0, 0, 1}},
        DottedCase{"0xC0A80014", Ipv4Address{192, 168, 0, 20}},
        // Not addresses: out of range parts, bad digits, stray characters.
        DottedCase{"1.2.3.256", NOT_AN_ADDRESS}, DottedCase{"256.1.2.3", NOT_AN_ADDRESS},
        DottedCase{"10.16777216", NOT_AN_ADDRESS}, DottedCase{"1.2.65536", NOT_AN_ADDRESS},
        DottedCase{"4294967296", NOT_AN_ADDRESS},
        DottedCase{"99999999999999999999", NOT_AN_ADDRESS}, DottedCase{"08.0.0.1", NOT_AN_ADDRESS},
        DottedCase{"0x", NOT_AN_ADDRESS}, DottedCase{"0xG.0.0.1", NOT_AN_ADDRESS},
        DottedCase{"1.2.3.4.5", NOT_AN_ADDRESS}, DottedCase{"1..2.3", NOT_AN_ADDRESS},
        DottedCase{"1.2.3.4.", NOT_AN_ADDRESS}, DottedCase{".1.2.3", NOT_AN_ADDRESS},
        DottedCase{"-1.2.3.4", NOT_AN_ADDRESS}, DottedCase{" 1.2.3.4", NOT_AN_ADDRESS},
        DottedCase{"10.0.0.5:81", NOT_AN_ADDRESS}, DottedCase{"camera", NOT_AN_ADDRESS}));

struct MacCase {
    std::string text;
    MacAddress mac;
};

class ParseMacText : public ::testing::TestWithParam<MacCase> {};

TEST_P(ParseMacText, ReadsSixPairs) {
    EXPECT_EQ(parseMacText(GetParam().text), GetParam().mac) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseMacText,
    ::testing::Values(MacCase{"00:1A:A0:BC:DE:FF", {0x00, 0x1A, 0xA0, 0xBC, 0xDE, 0xFF}},
                      MacCase{"00:1a:a0:bc:de:ff", {0x00, 0x1A, 0xA0, 0xBC, 0xDE, 0xFF}},
                      MacCase{"FF:FF:FF:FF:FF:FF", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
                      // Missing pairs read as 0.
                      MacCase{"01:23", {0x01, 0x23, 0, 0, 0, 0}}, MacCase{"", {0, 0, 0, 0, 0, 0}},
                      // A pair starts at a fixed place, runs to the next ':' and keeps the low
                      // 8 bits, so a misaligned text reads as mostly zero.
                      MacCase{"1:2:3:4:5:6", {0x01, 0x00, 0x04, 0x00, 0x00, 0x00}},
                      MacCase{"123:45:67:89:AB:CD", {0x23, 0x00, 0x00, 0x00, 0x00, 0x00}},
                      // Other characters count their lower-case code minus 87: 'g' is 16, 'z' 35.
                      MacCase{"0G:zz:G0:00:00:00", {0x10, 0x53, 0x00, 0x00, 0x00, 0x00}}));

} // namespace
} // namespace netlark
