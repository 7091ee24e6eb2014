// netlark-camsim as a child process in the lab namespace, driven over real
// broadcasts the way Netlark drives cameras: requests to 255.255.255.255:7890,
// replies on port 1168.

#include "camsim_process.h"
#include "lab_client.h"
#include "protocol/linux_datagram.h"
#include "protocol/vxworks_datagram.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace netlark {
namespace {

using namespace std::chrono_literals;

constexpr auto WAIT = 5s;
constexpr MacAddress HOST_MAC{0x00, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E};
constexpr MacAddress LINUX_MAC{0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
constexpr MacAddress VXWORKS_MAC{0x00, 0x11, 0x22, 0x33, 0x44, 0x66};
constexpr std::uint32_t DISCOVERY_KEY = 0x11223344;
constexpr std::uint32_t CHANGE_KEY = 0x55667788;

const std::vector<std::string> CAMERAS = {
    "--camera",
    "family=linux,serial=CAM001,mac=00:11:22:33:44:55,ip=192.168.0.20,mask=255.255.255.0,"
    "gateway=192.168.0.1,dns=8.8.8.8,web-port=8080,carried=192.168.0.21,carried-port=554,"
    "id=admin,password=secret",
    "--camera",
    "family=vxworks,serial=VX001,mac=00:11:22:33:44:66,ip=10.0.0.30,mask=255.0.0.0,"
    "gateway=10.0.0.1,dns=10.0.0.2,carried=10.0.0.31,id=root,password=vxpass",
};

const NetworkSettings NEW_SETTINGS{
    {172, 16, 5, 9}, {255, 255, 0, 0}, {172, 16, 0, 1}, {1, 1, 1, 1}};
constexpr Ipv4Address NEW_CARRIED{172, 16, 5, 10};

class CamsimE2eTest : public ::testing::Test {
protected:
    /// Starts the emulator and waits until it listens.
    void start(const std::vector<std::string>& args) {
        m_camsim = std::make_unique<CamsimProcess>(args);
        ASSERT_TRUE(m_camsim->waitForLineStarting(R"({"event":"ready","port":7890)", WAIT))
            << m_camsim->errorOutput();
    }

    std::string nextLogLine() { return m_camsim->nextLine(WAIT).value_or("(no line)"); }

    std::vector<std::uint8_t> receive() {
        auto datagram = m_client.receive(WAIT);
        EXPECT_TRUE(datagram) << "no reply";
        return datagram.value_or(std::vector<std::uint8_t>{});
    }

    LinuxAnnouncement discoverLinux() {
        m_client.send(buildLinuxDiscovery(HOST_MAC, DISCOVERY_KEY));
        const auto reply = receive();
        EXPECT_EQ(nextLogLine(),
                  R"({"family":"linux","op":"discover","sender_mac":"00:0A:0B:0C:0D:0E",)"
                  R"("key":287454020,"answers":1})");
        if (reply.size() != LINUX_DATAGRAM_SIZE) {
            ADD_FAILURE() << "reply of " << reply.size() << " bytes";
            return {};
        }
        LinuxDatagram datagram{};
        std::copy(reply.begin(), reply.end(), datagram.begin());
        const auto decoded = decodeLinuxReply(datagram);
        EXPECT_TRUE(std::holds_alternative<LinuxAnnouncement>(decoded));
        return std::holds_alternative<LinuxAnnouncement>(decoded)
                   ? std::get<LinuxAnnouncement>(decoded)
                   : LinuxAnnouncement{};
    }

    VxWorksAnnouncement discoverVxWorks() {
        m_client.send(buildVxWorksDiscovery());
        const auto reply = receive();
        EXPECT_EQ(nextLogLine(), R"({"family":"vxworks","op":"discover","answers":1})");
        if (reply.size() != VXWORKS_REPLY_SIZE) {
            ADD_FAILURE() << "reply of " << reply.size() << " bytes";
            return {};
        }
        VxWorksReply datagram{};
        std::copy(reply.begin(), reply.end(), datagram.begin());
        const auto decoded = decodeVxWorksReply(datagram);
        EXPECT_TRUE(std::holds_alternative<VxWorksAnnouncement>(decoded));
        return std::holds_alternative<VxWorksAnnouncement>(decoded)
                   ? std::get<VxWorksAnnouncement>(decoded)
                   : VxWorksAnnouncement{};
    }

    /// Sends a change request and returns the opcode of the result reply.
    int changeLinux(std::string_view password) {
        m_client.send(buildLinuxChange(
            {"admin", password, LINUX_MAC, NEW_SETTINGS, NEW_CARRIED, 8554}, HOST_MAC, CHANGE_KEY));
        const auto reply = receive();
        if (reply.size() != LINUX_DATAGRAM_SIZE) {
            return -1;
        }
        LinuxDatagram datagram{};
        std::copy(reply.begin(), reply.end(), datagram.begin());
        const auto decoded = decodeLinuxReply(datagram);
        return std::holds_alternative<ReplyResult>(decoded) ? std::get<ReplyResult>(decoded).opcode
                                                            : -1;
    }

    int changeVxWorks(std::string_view password) {
        m_client.send(
            buildVxWorksChange({"root", password, VXWORKS_MAC, NEW_SETTINGS, NEW_CARRIED, 0}));
        const auto reply = receive();
        if (reply.size() != VXWORKS_REPLY_SIZE) {
            return -1;
        }
        VxWorksReply datagram{};
        std::copy(reply.begin(), reply.end(), datagram.begin());
        const auto decoded = decodeVxWorksReply(datagram);
        return std::holds_alternative<ReplyResult>(decoded) ? std::get<ReplyResult>(decoded).opcode
                                                            : -1;
    }

    LabClient m_client; // bound to the reply port before any emulator starts
    std::unique_ptr<CamsimProcess> m_camsim;
};

std::string linuxChangeLine(std::string_view password, std::string_view result) {
    return R"({"family":"linux","op":"set_network","admin_id":"admin","admin_password":")" +
           std::string(password) +
           R"(","target_mac":"00:11:22:33:44:55","ip":"172.16.5.9","mask":"255.255.0.0",)"
           R"("gateway":"172.16.0.1","dns":"1.1.1.1","carried":"172.16.5.10","carried_port":8554,)"
           R"("sender_mac":"00:0A:0B:0C:0D:0E","key":1432778632,"result":")" +
           std::string(result) + R"(","camera":"CAM001"})";
}

std::string vxworksChangeLine(std::string_view password, std::string_view result) {
    return R"({"family":"vxworks","op":"set_network","admin_id":"root","admin_password":")" +
           std::string(password) +
           R"(","target_mac":"00:11:22:33:44:66","ip":"172.16.5.9","mask":"255.255.0.0",)"
           R"("gateway":"172.16.0.1","dns":"1.1.1.1","carried":"172.16.5.10","result":")" +
           std::string(result) + R"(","camera":"VX001"})";
}

TEST_F(CamsimE2eTest, DiscoveryRequestsAreAnsweredWithTheConfiguredCameras) {
    ASSERT_NO_FATAL_FAILURE(start(CAMERAS));

    const LinuxAnnouncement linuxCamera = discoverLinux();
    EXPECT_EQ(linuxCamera.serial.view(), "CAM001");
    EXPECT_EQ(linuxCamera.mac, LINUX_MAC);
    EXPECT_EQ(
        linuxCamera.settings,
        (NetworkSettings{{192, 168, 0, 20}, {255, 255, 255, 0}, {192, 168, 0, 1}, {8, 8, 8, 8}}));
    EXPECT_EQ(linuxCamera.webPort, 8080);
    EXPECT_EQ(linuxCamera.carriedAddress, (Ipv4Address{192, 168, 0, 21}));
    EXPECT_EQ(linuxCamera.carriedPort, 554);

    const VxWorksAnnouncement vxworksCamera = discoverVxWorks();
    EXPECT_EQ(vxworksCamera.serial.view(), "VX001");
    EXPECT_EQ(vxworksCamera.mac, VXWORKS_MAC);
    EXPECT_EQ(vxworksCamera.settings,
              (NetworkSettings{{10, 0, 0, 30}, {255, 0, 0, 0}, {10, 0, 0, 1}, {10, 0, 0, 2}}));
    EXPECT_EQ(vxworksCamera.carriedAddress, (Ipv4Address{10, 0, 0, 31}));
}

TEST_F(CamsimE2eTest, RightPasswordChangesTheCameraAndTheNextDiscoveryAnnouncesIt) {
    ASSERT_NO_FATAL_FAILURE(start(CAMERAS));

    EXPECT_EQ(changeLinux("secret"), OP_SET_DONE);
    EXPECT_EQ(nextLogLine(), linuxChangeLine("secret", "done"));
    const LinuxAnnouncement linuxCamera = discoverLinux();
    EXPECT_EQ(linuxCamera.settings, NEW_SETTINGS);
    EXPECT_EQ(linuxCamera.carriedAddress, NEW_CARRIED);
    EXPECT_EQ(linuxCamera.carriedPort, 8554);

    EXPECT_EQ(changeVxWorks("vxpass"), OP_SET_DONE);
    EXPECT_EQ(nextLogLine(), vxworksChangeLine("vxpass", "done"));
    const VxWorksAnnouncement vxworksCamera = discoverVxWorks();
    EXPECT_EQ(vxworksCamera.settings, NEW_SETTINGS);
    EXPECT_EQ(vxworksCamera.carriedAddress, NEW_CARRIED);
}

TEST_F(CamsimE2eTest, WrongPasswordIsRefusedAndChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(start(CAMERAS));

    EXPECT_EQ(changeLinux("guess"), OP_AUTH_FAIL);
    EXPECT_EQ(nextLogLine(), linuxChangeLine("guess", "auth_fail"));
    EXPECT_EQ(discoverLinux().settings.ip, (Ipv4Address{192, 168, 0, 20}));

    EXPECT_EQ(changeVxWorks("guess"), OP_AUTH_FAIL);
    EXPECT_EQ(nextLogLine(), vxworksChangeLine("guess", "auth_fail"));
    EXPECT_EQ(discoverVxWorks().settings.ip, (Ipv4Address{10, 0, 0, 30}));
}

TEST_F(CamsimE2eTest, RequestsForNoCameraAreLoggedButNotAnswered) {
    ASSERT_NO_FATAL_FAILURE(start(CAMERAS));

    constexpr MacAddress UNKNOWN_MAC{0x00, 0x11, 0x22, 0x33, 0x44, 0x77};
    m_client.send(
        buildVxWorksChange({"root", "vxpass", UNKNOWN_MAC, NEW_SETTINGS, NEW_CARRIED, 0}));
    m_client.send(std::vector<std::uint8_t>(60, 0x31));
    EXPECT_EQ(
        nextLogLine(),
        R"({"family":"vxworks","op":"set_network","admin_id":"root","admin_password":"vxpass",)"
        R"("target_mac":"00:11:22:33:44:77","ip":"172.16.5.9","mask":"255.255.0.0",)"
        R"("gateway":"172.16.0.1","dns":"1.1.1.1","carried":"172.16.5.10",)"
        R"("result":"unknown_camera"})");
    EXPECT_EQ(nextLogLine(), R"({"op":"ignored","length":60})");
    // Had the change been answered, its result would arrive before this announcement.
    EXPECT_EQ(discoverVxWorks().serial.view(), "VX001");
}

TEST_F(CamsimE2eTest, StopsCleanlyOnSignalsAndAfterItsDuration) {
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        ASSERT_NO_FATAL_FAILURE(start(CAMERAS));
        EXPECT_EQ(m_camsim->stop(signal), 0);
        EXPECT_EQ(m_camsim->nextLine(WAIT), R"({"event":"stopped","reason":"signal"})");
    }

    ASSERT_NO_FATAL_FAILURE(start({"--linux", "1", "--duration", "0.2"}));
    EXPECT_EQ(m_camsim->nextLine(WAIT), R"({"event":"stopped","reason":"duration"})");
    EXPECT_EQ(m_camsim->waitExit(), 0);
}

TEST_F(CamsimE2eTest, BadOptionExitsWithStatusTwoAndNamesIt) {
    CamsimProcess camsim({"--camera", "family=linux,mac=nonsense"});
    EXPECT_EQ(camsim.waitExit(), 2);
    EXPECT_NE(camsim.errorOutput().find("--camera: mac 'nonsense'"), std::string::npos);
}

TEST_F(CamsimE2eTest, PacedBurstDeliversEveryAnnouncementOnce) {
    constexpr std::size_t COUNT = 400;
    CamsimProcess camsim({"--burst", "400", "--rate", "20000", "--family", "mixed"});

    std::set<std::string> serials;
    std::size_t linuxCount = 0;
    for (std::size_t i = 0; i < COUNT; ++i) {
        const auto reply = m_client.receive(WAIT);
        ASSERT_TRUE(reply) << "only " << i << " announcements arrived";
        if (reply->size() == LINUX_DATAGRAM_SIZE) {
            LinuxDatagram datagram{};
            std::copy(reply->begin(), reply->end(), datagram.begin());
            serials.emplace(std::get<LinuxAnnouncement>(decodeLinuxReply(datagram)).serial.view());
            ++linuxCount;
        } else {
            ASSERT_EQ(reply->size(), VXWORKS_REPLY_SIZE);
            VxWorksReply datagram{};
            std::copy(reply->begin(), reply->end(), datagram.begin());
            serials.emplace(
                std::get<VxWorksAnnouncement>(decodeVxWorksReply(datagram)).serial.view());
        }
    }
    EXPECT_EQ(serials.size(), COUNT);
    EXPECT_EQ(linuxCount, COUNT / 2);
    const auto summary = camsim.nextLine(WAIT);
    ASSERT_TRUE(summary);
    EXPECT_TRUE(summary->starts_with(
        R"({"event":"burst","family":"mixed","requested":400,"sent":400,"elapsed_s":)"))
        << *summary;
    EXPECT_EQ(camsim.waitExit(), 0);
}

} // namespace
} // namespace netlark
