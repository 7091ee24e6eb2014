#include "transport/receiver.h"
#include "udp_test_socket.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace netlark {
namespace {

using namespace std::chrono_literals;
using testing::patternedBytes;
using testing::UdpTestSocket;
using Kind = ReceiveEvent::Kind;

// Stands in for the window thread: counts wakes and takes events the way the
// window does. After finding the ring empty it looks again only when woken,
// so an event published without a wake makes next() time out.
class WindowSide {
public:
    std::function<void()> wake() {
        return [this] {
            const std::scoped_lock lock(m_mutex);
            ++m_wakes;
            m_woken.notify_all();
        };
    }

    const ReceiveEvent* next(Receiver& receiver) {
        std::unique_lock lock(m_mutex);
        for (;;) {
            if (const ReceiveEvent* event = receiver.front()) {
                return event;
            }
            const int seen = m_wakes;
            if (!m_woken.wait_for(lock, 5s, [&] { return m_wakes != seen; })) {
                ADD_FAILURE() << "no wake for an event within 5 s";
                return nullptr;
            }
        }
    }

    int wakes() {
        const std::scoped_lock lock(m_mutex);
        return m_wakes;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_woken;
    int m_wakes = 0;
};

void expectDatagram(const ReceiveEvent* event, const std::vector<std::uint8_t>& sent) {
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->kind, Kind::Datagram);
    EXPECT_EQ(event->result, static_cast<int>(sent.size()));
    EXPECT_EQ(std::vector(event->bytes().begin(), event->bytes().end()), sent);
}

// A stop() that never returns would hang the whole run; end the process
// with a failure instead.
void expectStopsPromptly(Receiver& receiver) {
    std::packaged_task<void()> stopping([&receiver] { receiver.stop(); });
    auto stopped = stopping.get_future();
    std::thread stopper(std::move(stopping));
    if (stopped.wait_for(1s) != std::future_status::ready) {
        ADD_FAILURE() << "stop() did not return within 1 s";
        std::fflush(stdout);
        std::_Exit(EXIT_FAILURE);
    }
    stopper.join();
}

// Long enough for a receiver that wrongly keeps receiving to have done so.
void giveReceiverTime() {
    std::this_thread::sleep_for(100ms);
}

TEST(Receiver, DeliversDatagramsIntactAndInOrder) {
    UdpTestSocket camera;
    WindowSide window;
    Receiver receiver;
    receiver.start(window.wake());

    // 124 and 40 bytes are the two families' replies; other lengths of 40 or
    // more are the window's to ignore, not the receiver's.
    const std::vector sent{patternedBytes(124, 0x01), patternedBytes(40, 0x80),
                           patternedBytes(60, 0xC0)};
    for (const auto& datagram : sent) {
        camera.sendTo(REPLY_PORT, datagram);
    }
    for (const auto& datagram : sent) {
        expectDatagram(window.next(receiver), datagram);
        receiver.pop();
    }
}

TEST(Receiver, ReportsDatagramsOfUnusableLengthAndGoesOn) {
    struct Case {
        std::size_t size;
        Kind kind;
        int result;
        int error;
    };
    const Case cases[] = {
        {12, Kind::ReceiveError, 12, 0},
        {0, Kind::ReceiveError, 0, 0},
        {39, Kind::ReceiveError, 39, 0},
        {125, Kind::ReceiveError, -1, EMSGSIZE},
        {200, Kind::ReceiveError, -1, EMSGSIZE},
        {124, Kind::Datagram, 124, 0},
        {40, Kind::Datagram, 40, 0},
    };
    UdpTestSocket camera;
    WindowSide window;
    Receiver receiver({.ringCapacity = 4});
    receiver.start(window.wake());

    for (std::size_t i = 0; i < std::size(cases); ++i) {
        camera.sendTo(REPLY_PORT, patternedBytes(cases[i].size, static_cast<std::uint8_t>(i)));
    }
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(::testing::Message() << cases[i].size << " bytes");
        const ReceiveEvent* event = window.next(receiver);
        ASSERT_NE(event, nullptr);
        EXPECT_EQ(event->kind, cases[i].kind);
        EXPECT_EQ(event->result, cases[i].result);
        EXPECT_EQ(event->error, cases[i].error);
        if (event->kind == Kind::Datagram) {
            // The oversized datagrams before must not have spilled into this one.
            EXPECT_EQ(std::vector(event->bytes().begin(), event->bytes().end()),
                      patternedBytes(cases[i].size, static_cast<std::uint8_t>(i)));
        }
        receiver.pop();
    }
}

TEST(Receiver, WithOneSlotTheNextDatagramWaitsUntilTheWindowPops) {
    UdpTestSocket camera;
    WindowSide window;
    Receiver receiver({.ringCapacity = 1});
    receiver.start(window.wake());

    const auto first = patternedBytes(124, 0x10);
    const auto second = patternedBytes(124, 0x50);
    const auto third = patternedBytes(40, 0x90);
    camera.sendTo(REPLY_PORT, first);
    const ReceiveEvent* held = window.next(receiver);
    camera.sendTo(REPLY_PORT, second);
    camera.sendTo(REPLY_PORT, third);
    giveReceiverTime();

    // The window is still "in its handler": its datagram must be untouched.
    EXPECT_EQ(receiver.front(), held);
    expectDatagram(held, first);
    EXPECT_EQ(window.wakes(), 1);

    receiver.pop();
    expectDatagram(window.next(receiver), second);
    receiver.pop();
    expectDatagram(window.next(receiver), third);
    receiver.pop();
    EXPECT_EQ(receiver.front(), nullptr);
}

TEST(Receiver, BurstBeyondRingCapacityLosesNothing) {
    constexpr int burst = 64;
    UdpTestSocket camera;
    WindowSide window;
    Receiver receiver({.ringCapacity = 4, .socketBufferBytes = 1 << 20});
    receiver.start(window.wake());

    // The window takes nothing while the burst arrives; the rest of it must
    // wait in the socket rather than be dropped or overwrite a full ring.
    for (int i = 0; i < burst; ++i) {
        camera.sendTo(REPLY_PORT, patternedBytes(40, static_cast<std::uint8_t>(i)));
    }
    for (int i = 0; i < burst; ++i) {
        SCOPED_TRACE(i);
        expectDatagram(window.next(receiver), patternedBytes(40, static_cast<std::uint8_t>(i)));
        receiver.pop();
    }
}

TEST(Receiver, RepliesQueueFromBindingOn) {
    UdpTestSocket camera;
    WindowSide window;
    Receiver receiver;
    receiver.bindSocket();

    // A camera that answers the first discovery before the thread runs.
    const auto early = patternedBytes(124, 0x33);
    camera.sendTo(REPLY_PORT, early);
    receiver.start(window.wake());
    expectDatagram(window.next(receiver), early);
}

TEST(Receiver, ReportsBindFailureOnceWhenThePortIsTaken) {
    const UdpTestSocket other = UdpTestSocket::boundTo(REPLY_PORT);
    WindowSide window;
    Receiver receiver;
    receiver.start(window.wake());

    const ReceiveEvent* event = window.next(receiver);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->kind, Kind::BindFailed);
    EXPECT_EQ(event->error, EADDRINUSE);
    receiver.pop();
    EXPECT_EQ(receiver.front(), nullptr);
    EXPECT_EQ(window.wakes(), 1);
}

TEST(Receiver, ReportsSocketFailureWhenNoDescriptorIsLeft) {
    WindowSide window;
    Receiver receiver;

    // Lower the descriptor limit to the lowest free descriptor, so the
    // receiver's socket is the one that cannot be made.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    const int lowestFree = ::dup(0);
    ASSERT_GE(lowestFree, 0);
    ::close(lowestFree);
    rlimit lowered = saved;
    lowered.rlim_cur = static_cast<rlim_t>(lowestFree);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &lowered), 0);
    receiver.start(window.wake());
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &saved), 0);

    const ReceiveEvent* event = window.next(receiver);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->kind, Kind::SocketFailed);
    EXPECT_EQ(event->error, EMFILE);
}

TEST(Receiver, StopReturnsPromptlyWhileTheWindowHoldsAFullRing) {
    UdpTestSocket camera;
    WindowSide window;
    Receiver receiver({.ringCapacity = 1});
    receiver.start(window.wake());
    for (std::uint8_t i = 0; i < 3; ++i) {
        camera.sendTo(REPLY_PORT, patternedBytes(40, i));
    }
    ASSERT_NE(window.next(receiver), nullptr);
    giveReceiverTime();

    expectStopsPromptly(receiver);
}

TEST(Receiver, StopReturnsPromptlyWhileWaitingForDatagrams) {
    WindowSide window;
    Receiver receiver;
    receiver.start(window.wake());
    giveReceiverTime();

    expectStopsPromptly(receiver);
    expectStopsPromptly(receiver);
    EXPECT_EQ(receiver.front(), nullptr);
}

} // namespace
} // namespace netlark
