#include "protocol/byte_fields.h"
#include "tools/camsim/camera_fleet.h"

#include <gtest/gtest.h>

namespace netlark {
namespace {

constexpr MacAddress HOST_MAC{0x00, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E};
constexpr MacAddress LINUX_MAC{0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
constexpr MacAddress VXWORKS_MAC{0x00, 0x11, 0x22, 0x33, 0x44, 0x66};
constexpr MacAddress UNKNOWN_MAC{0x00, 0x11, 0x22, 0x33, 0x44, 0x77};

EmulatedCamera linuxCamera() {
    EmulatedCamera camera;
    camera.family = CameraFamily::Linux;
    camera.serial = "CAM001";
    camera.mac = LINUX_MAC;
    camera.settings = {{192, 168, 0, 20}, {255, 255, 255, 0}, {192, 168, 0, 1}, {8, 8, 8, 8}};
    camera.webPort = 8080;
    camera.carriedAddress = {192, 168, 0, 21};
    camera.carriedPort = 554;
    camera.adminId = "admin";
    camera.adminPassword = "secret";
    return camera;
}

EmulatedCamera vxworksCamera() {
    EmulatedCamera camera;
    camera.family = CameraFamily::VxWorks;
    camera.serial = "VX001";
    camera.mac = VXWORKS_MAC;
    camera.settings = {{10, 0, 0, 30}, {255, 0, 0, 0}, {10, 0, 0, 1}, {10, 0, 0, 2}};
    camera.carriedAddress = {10, 0, 0, 31};
    camera.adminId = "root";
    camera.adminPassword = "vxpass";
    return camera;
}

/// Two Linux cameras and one VxWorks camera; Linux answers take keys 100, 101, ...
class CameraFleetTest : public ::testing::Test {
protected:
    std::uint32_t m_key = 100;
    CameraFleet m_fleet{{linuxCamera(), generatedCamera(CameraFamily::Linux, 2), vxworksCamera()},
                        [this] { return m_key++; }};
};

std::vector<LinuxAnnouncement> linuxAnnouncements(const RequestOutcome& outcome) {
    std::vector<LinuxAnnouncement> announcements;
    for (const Answer& answer : outcome.answers) {
        announcements.push_back(
            std::get<LinuxAnnouncement>(decodeLinuxReply(std::get<LinuxDatagram>(answer))));
    }
    return announcements;
}

std::vector<VxWorksAnnouncement> vxworksAnnouncements(const RequestOutcome& outcome) {
    std::vector<VxWorksAnnouncement> announcements;
    for (const Answer& answer : outcome.answers) {
        announcements.push_back(
            std::get<VxWorksAnnouncement>(decodeVxWorksReply(std::get<VxWorksReply>(answer))));
    }
    return announcements;
}

TEST_F(CameraFleetTest, LinuxDiscoveryIsAnsweredByEachLinuxCameraWithItsOwnKey) {
    const RequestOutcome outcome = m_fleet.handle(buildLinuxDiscovery(HOST_MAC, 0x01020304));

    ASSERT_EQ(outcome.answers.size(), 2u);
    const auto announcements = linuxAnnouncements(outcome);
    EXPECT_EQ(announcements[0].serial.view(), "CAM001");
    EXPECT_EQ(announcements[0].webPort, 8080);
    EXPECT_EQ(announcements[0].settings, linuxCamera().settings);
    EXPECT_EQ(announcements[0].carriedAddress, (Ipv4Address{192, 168, 0, 21}));
    EXPECT_EQ(announcements[0].carriedPort, 554);
    EXPECT_EQ(announcements[0].mac, LINUX_MAC);
    EXPECT_EQ(announcements[1].serial.view(), "CAM000002");
    EXPECT_EQ(fields::readU32(std::get<LinuxDatagram>(outcome.answers[0]), linux_layout::KEY),
              100u);
    EXPECT_EQ(fields::readU32(std::get<LinuxDatagram>(outcome.answers[1]), linux_layout::KEY),
              101u);
    EXPECT_EQ(outcome.logLine,
              R"({"family":"linux","op":"discover","sender_mac":"00:0A:0B:0C:0D:0E",)"
              R"("key":16909060,"answers":2})");
}

TEST_F(CameraFleetTest, VxWorksDiscoveryIsAnsweredByTheVxWorksCameraOnly) {
    const RequestOutcome outcome = m_fleet.handle(buildVxWorksDiscovery());

    const auto announcements = vxworksAnnouncements(outcome);
    ASSERT_EQ(announcements.size(), 1u);
    EXPECT_EQ(announcements[0].serial.view(), "VX001");
    EXPECT_EQ(announcements[0].mac, VXWORKS_MAC);
    EXPECT_EQ(announcements[0].settings, vxworksCamera().settings);
    EXPECT_EQ(announcements[0].carriedAddress, (Ipv4Address{10, 0, 0, 31}));
    EXPECT_EQ(outcome.logLine, R"({"family":"vxworks","op":"discover","answers":1})");
}

const NetworkSettings NEW_SETTINGS{
    {172, 16, 5, 9}, {255, 255, 0, 0}, {172, 16, 0, 1}, {1, 1, 1, 1}};
constexpr Ipv4Address NEW_CARRIED{172, 16, 5, 10};

std::vector<std::uint8_t> changeRequest(CameraFamily family, std::string_view id,
                                        std::string_view password, const MacAddress& target) {
    const ChangeRequestFields fields{id, password, target, NEW_SETTINGS, NEW_CARRIED, 8554};
    if (family == CameraFamily::Linux) {
        const LinuxDatagram datagram = buildLinuxChange(fields, HOST_MAC, 7);
        return {datagram.begin(), datagram.end()};
    }
    const VxWorksRequest datagram = buildVxWorksChange(fields);
    return {datagram.begin(), datagram.end()};
}

int resultOpcode(const Answer& answer) {
    if (const auto* datagram = std::get_if<LinuxDatagram>(&answer)) {
        return std::get<ReplyResult>(decodeLinuxReply(*datagram)).opcode;
    }
    return std::get<ReplyResult>(decodeVxWorksReply(std::get<VxWorksReply>(answer))).opcode;
}

/// The settings and carried address a camera announces in answer to a discovery.
std::pair<NetworkSettings, Ipv4Address> announced(CameraFleet& fleet, CameraFamily family,
                                                  const MacAddress& mac) {
    if (family == CameraFamily::Linux) {
        for (const auto& announcement :
             linuxAnnouncements(fleet.handle(buildLinuxDiscovery(HOST_MAC)))) {
            if (announcement.mac == mac) {
                return {announcement.settings, announcement.carriedAddress};
            }
        }
    } else {
        for (const auto& announcement :
             vxworksAnnouncements(fleet.handle(buildVxWorksDiscovery()))) {
            if (announcement.mac == mac) {
                return {announcement.settings, announcement.carriedAddress};
            }
        }
    }
    ADD_FAILURE() << "camera not announced";
    return {};
}

struct ChangeCase {
    const char* name;
    CameraFamily family;
    std::string_view id;
    std::string_view password;
    MacAddress target;
    std::optional<int> answer; // none: the request goes unanswered
    std::string_view result;
};

TEST_F(CameraFleetTest, ChangeRequestsAreAnsweredAndAppliedOnlyWithTheRightCredentials) {
    const ChangeCase cases[] = {
        {"linux right", CameraFamily::Linux, "admin", "secret", LINUX_MAC, OP_SET_DONE, "done"},
        {"linux wrong password", CameraFamily::Linux, "admin", "Secret", LINUX_MAC, OP_AUTH_FAIL,
         "auth_fail"},
        {"linux wrong id", CameraFamily::Linux, "root", "secret", LINUX_MAC, OP_AUTH_FAIL,
         "auth_fail"},
        {"linux password prefix", CameraFamily::Linux, "admin", "secre", LINUX_MAC, OP_AUTH_FAIL,
         "auth_fail"},
        {"linux unknown mac", CameraFamily::Linux, "admin", "secret", UNKNOWN_MAC, std::nullopt,
         "unknown_camera"},
        {"linux request for the vxworks camera", CameraFamily::Linux, "root", "vxpass", VXWORKS_MAC,
         std::nullopt, "unknown_camera"},
        {"vxworks right", CameraFamily::VxWorks, "root", "vxpass", VXWORKS_MAC, OP_SET_DONE,
         "done"},
        {"vxworks wrong password", CameraFamily::VxWorks, "root", "wrong", VXWORKS_MAC,
         OP_AUTH_FAIL, "auth_fail"},
        {"vxworks request for the linux camera", CameraFamily::VxWorks, "admin", "secret",
         LINUX_MAC, std::nullopt, "unknown_camera"},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        CameraFleet fleet{{linuxCamera(), vxworksCamera()}, [] { return 5u; }};
        const MacAddress knownTarget = c.family == CameraFamily::Linux ? LINUX_MAC : VXWORKS_MAC;
        const auto before = announced(fleet, c.family, knownTarget);

        const RequestOutcome outcome =
            fleet.handle(changeRequest(c.family, c.id, c.password, c.target));

        if (c.answer) {
            ASSERT_EQ(outcome.answers.size(), 1u);
            EXPECT_EQ(resultOpcode(outcome.answers[0]), *c.answer);
            EXPECT_EQ(outcome.answers[0].index(), c.family == CameraFamily::Linux ? 0u : 1u);
        } else {
            EXPECT_TRUE(outcome.answers.empty());
        }
        EXPECT_NE(outcome.logLine.find(R"("result":")" + std::string(c.result) + "\""),
                  std::string::npos)
            << outcome.logLine;
        const auto after = announced(fleet, c.family, knownTarget);
        if (c.result == "done") {
            EXPECT_EQ(after.first, NEW_SETTINGS);
            EXPECT_EQ(after.second, NEW_CARRIED);
        } else {
            EXPECT_EQ(after, before);
        }
    }
}

TEST_F(CameraFleetTest, LinuxChangeTakesTheCarriedPortAndVxWorksKeepsItsOwn) {
    m_fleet.handle(changeRequest(CameraFamily::Linux, "admin", "secret", LINUX_MAC));
    m_fleet.handle(changeRequest(CameraFamily::VxWorks, "root", "vxpass", VXWORKS_MAC));

    EXPECT_EQ(m_fleet.cameras()[0].carriedPort, 8554);
    EXPECT_EQ(m_fleet.cameras()[2].carriedPort, vxworksCamera().carriedPort);
    EXPECT_EQ(m_fleet.cameras()[0].webPort, 8080); // a change request has no web port
}

TEST_F(CameraFleetTest, ChangeLogLinesShowEveryFieldWithTextsEscaped) {
    // An ID with a quote, a backslash, a control character and a byte above
    // 0x7F must still give one valid ASCII JSON line.
    const std::string_view oddId("a\"b\\c\x01\xE9", 7);
    const RequestOutcome linuxOutcome =
        m_fleet.handle(changeRequest(CameraFamily::Linux, oddId, "secret", LINUX_MAC));
    const RequestOutcome vxworksOutcome =
        m_fleet.handle(changeRequest(CameraFamily::VxWorks, "root", "vxpass", VXWORKS_MAC));

    EXPECT_EQ(linuxOutcome.logLine,
              R"({"family":"linux","op":"set_network","admin_id":"a\"b\\c\u0001\u00e9",)"
              R"("admin_password":"secret","target_mac":"00:11:22:33:44:55","ip":"172.16.5.9",)"
              R"("mask":"255.255.0.0","gateway":"172.16.0.1","dns":"1.1.1.1",)"
              R"("carried":"172.16.5.10","carried_port":8554,"sender_mac":"00:0A:0B:0C:0D:0E",)"
              R"("key":7,"result":"auth_fail","camera":"CAM001"})");
    EXPECT_EQ(
        vxworksOutcome.logLine,
        R"({"family":"vxworks","op":"set_network","admin_id":"root","admin_password":"vxpass",)"
        R"("target_mac":"00:11:22:33:44:66","ip":"172.16.5.9","mask":"255.255.0.0",)"
        R"("gateway":"172.16.0.1","dns":"1.1.1.1","carried":"172.16.5.10",)"
        R"("result":"done","camera":"VX001"})");
}

TEST_F(CameraFleetTest, DatagramsThatAreNoRequestAreLoggedAndLeftUnanswered) {
    LinuxDatagram badMarker = buildLinuxDiscovery(HOST_MAC);
    badMarker[0] = 1;
    LinuxDatagram badChecksum =
        buildLinuxChange({"admin", "secret", LINUX_MAC, NEW_SETTINGS, {}, 0}, HOST_MAC, 7);
    badChecksum[linux_layout::CHANGE_IP] ^= 0x01;
    LinuxDatagram tooLong = buildLinuxDiscovery(HOST_MAC, 0);
    fields::writeU32(tooLong, linux_layout::PAYLOAD_LENGTH, 101);
    VxWorksRequest vxworksDone{};
    vxworksDone[0] = '1';
    vxworksDone[1] = '3';
    const struct {
        std::vector<std::uint8_t> datagram;
        std::string_view logLine;
    } cases[] = {
        {{}, R"({"op":"ignored","length":0})"},
        {std::vector<std::uint8_t>(40, '1'), R"({"op":"ignored","length":40})"},
        {std::vector<std::uint8_t>(123), R"({"op":"ignored","length":123})"},
        {std::vector<std::uint8_t>(125), R"({"op":"ignored","length":125})"},
        {std::vector<std::uint8_t>(2000), R"({"op":"ignored","length":2000})"},
        {{badMarker.begin(), badMarker.end()}, R"({"family":"linux","op":"dropped"})"},
        {{tooLong.begin(), tooLong.end()}, R"({"family":"linux","op":"dropped"})"},
        {{badChecksum.begin(), badChecksum.end()}, R"({"family":"linux","op":"checksum_failure"})"},
        {[] {
             const auto reply = encodeLinuxAnnouncement(linuxAnnouncementOf(linuxCamera()), 9);
             return std::vector<std::uint8_t>(reply.begin(), reply.end());
         }(),
         R"({"family":"linux","op":"unexpected","opcode":11,"key":9})"},
        {{vxworksDone.begin(), vxworksDone.end()},
         R"({"family":"vxworks","op":"unexpected","opcode":13})"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.logLine);
        const RequestOutcome outcome = m_fleet.handle(c.datagram);
        EXPECT_TRUE(outcome.answers.empty());
        EXPECT_EQ(outcome.logLine, c.logLine);
    }
}

} // namespace
} // namespace netlark
