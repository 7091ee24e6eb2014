#include "end_to_end_fixture.h"
#include "hostile_datagrams.h"
#include "protocol/linux_datagram.h"
#include "protocol/vxworks_datagram.h"
#include "tests/transport/udp_test_socket.h"

#include <QAbstractItemModel>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <sched.h>
#include <set>

namespace netlark::testing {
namespace {

constexpr std::size_t JUNK_COUNT = 2000;
/// The longest run of junk between two announcements; runs average half of it.
constexpr int LONGEST_RUN = 20;
constexpr unsigned SEED = 20240611;

/// Loopback queues each datagram on the sending CPU, so datagrams sent from
/// one CPU arrive in the order they were sent. Keeps the calling thread on
/// the CPU it runs on while it lives.
class PinnedToThisCpu {
public:
    PinnedToThisCpu() {
        const int cpu = ::sched_getcpu();
        if (cpu < 0 || ::sched_getaffinity(0, sizeof m_previous, &m_previous) != 0) {
            ADD_FAILURE() << "cannot tell which CPU this thread runs on";
            return;
        }
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(cpu, &one);
        m_pinned = ::sched_setaffinity(0, sizeof one, &one) == 0;
        EXPECT_TRUE(m_pinned) << "cannot keep this thread on one CPU";
    }
    ~PinnedToThisCpu() {
        if (m_pinned) {
            ::sched_setaffinity(0, sizeof m_previous, &m_previous);
        }
    }
    PinnedToThisCpu(const PinnedToThisCpu&) = delete;
    PinnedToThisCpu& operator=(const PinnedToThisCpu&) = delete;

private:
    cpu_set_t m_previous{};
    bool m_pinned = false;
};

/// The announcement of camera `number`: Linux and VxWorks cameras take turns.
std::vector<std::uint8_t> announcement(int number, const std::string& serial) {
    const auto octet = static_cast<std::uint8_t>(number % 250 + 1);
    const MacAddress mac{0x02, 0xE2, 0xE0, 0x00, static_cast<std::uint8_t>(number >> 8), octet};
    const NetworkSettings settings{
        {10, 20, 0, octet}, {255, 255, 0, 0}, {10, 20, 0, 1}, {10, 20, 0, 2}};
    if (number % 2 == 0) {
        LinuxAnnouncement camera;
        camera.serial = FieldText<linux_layout::ANNOUNCE_SERIAL_WIDTH>::from(serial);
        camera.webPort = 80;
        camera.settings = settings;
        camera.carriedAddress = settings.ip;
        camera.carriedPort = 554;
        camera.mac = mac;
        const LinuxDatagram datagram =
            encodeLinuxAnnouncement(camera, 0x01010101u * static_cast<std::uint32_t>(number));
        return {datagram.begin(), datagram.end()};
    }
    VxWorksAnnouncement camera;
    camera.serial = FieldText<vxworks_layout::ANNOUNCE_SERIAL_WIDTH>::from(serial);
    camera.mac = mac;
    camera.settings = settings;
    camera.carriedAddress = settings.ip;
    const VxWorksReply datagram = encodeVxWorksAnnouncement(camera);
    return {datagram.begin(), datagram.end()};
}

std::string serialOf(int number) {
    char serial[16];
    std::snprintf(serial, sizeof serial, "E2E-%04d", number);
    return serial;
}

class HostileTrafficTest : public EndToEndTest {
protected:
    int rowCount() const { return window().model().rowCount(); }
};

// Junk of every kind, sent to the reply port in runs with an announcement
// after each run. Once the announcement is listed, the window has dealt with
// everything sent before it, so the socket never holds more than one run.
TEST_F(HostileTrafficTest, ListsEveryAnnouncementAndGivesEachOtherDatagramItsOwnReaction) {
    ASSERT_NO_FATAL_FAILURE(openWindow());
    std::mt19937 random(SEED);
    std::vector<HostileDatagram> junk = nastyDatagrams();
    while (junk.size() < JUNK_COUNT) {
        junk.push_back(randomJunk(random));
    }
    std::shuffle(junk.begin(), junk.end(), random);

    UdpTestSocket far;
    std::vector<const HostileDatagram*> expectedMessages;
    std::set<std::string> announced;
    {
        const PinnedToThisCpu pinned;
        std::uniform_int_distribution<int> runLength(0, LONGEST_RUN);
        std::size_t sent = 0;
        for (int number = 0; sent < junk.size(); ++number) {
            const std::size_t runEnd =
                std::min(junk.size(), sent + static_cast<std::size_t>(runLength(random)));
            for (; sent < runEnd; ++sent) {
                far.sendTo(REPLY_PORT, junk[sent].bytes);
                if (junk[sent].message) {
                    expectedMessages.push_back(&junk[sent]);
                }
            }
            const std::string serial = serialOf(number);
            far.sendTo(REPLY_PORT, announcement(number, serial));
            announced.insert(serial);
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return rowCount() >= static_cast<int>(announced.size()); }, 20000))
                << "camera " << serial << " was not listed";
        }
    }

    std::set<std::string> listedSerials;
    for (const ListedRow& row : listed()) {
        listedSerials.insert(row.front());
    }
    EXPECT_EQ(rowCount(), static_cast<int>(announced.size()));
    EXPECT_EQ(listedSerials, announced);

    const std::vector<std::string> shown = shownMessages();
    for (std::size_t i = 0; i < std::min(shown.size(), expectedMessages.size()); ++i) {
        ASSERT_EQ(shown[i], *expectedMessages[i]->message)
            << "message " << i << ", for the datagram " << expectedMessages[i]->what;
    }
    EXPECT_EQ(shown.size(), expectedMessages.size());
}

} // namespace
} // namespace netlark::testing
