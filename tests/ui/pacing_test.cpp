#include "ui/drain_pacer.h"
#include "ui/repaint_pacer.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace netlark::testing {
namespace {

using namespace std::chrono_literals;

/// Longer than any test runs: a pause or frame that never ends within it.
constexpr std::chrono::hours FOREVER{1};
/// How long the tests wait for something that must happen: never reached when it does.
constexpr int WAIT_MS = 10000;

TEST(DrainPacerTest, DrainsAtOnceWhileThePauseIsZero) {
    int drains = 0;
    DrainPacer pacer([&] { ++drains; }, [] { return 0ns; });

    pacer.wake();
    pacer.wake();

    EXPECT_EQ(drains, 2);
}

TEST(DrainPacerTest, WakesWithinThePauseWaitForIt) {
    int drains = 0;
    DrainPacer pacer([&] { ++drains; }, [] { return FOREVER; });

    pacer.wake();
    ASSERT_EQ(drains, 1) << "the first wake drains at once";
    pacer.wake();
    QCoreApplication::processEvents();

    EXPECT_EQ(drains, 1);
}

TEST(DrainPacerTest, WakesWithinThePauseShareOneDrainWhenItEnds) {
    int drains = 0;
    DrainPacer pacer([&] { ++drains; }, [] { return 20ms; });

    pacer.wake();
    pacer.wake();
    pacer.wake();

    EXPECT_TRUE(QTest::qWaitFor([&] { return drains == 2; }, WAIT_MS));
    QTest::qWait(50);
    EXPECT_EQ(drains, 2) << "the waiting wakes were drained once, not once each";
}

TEST(RepaintPacerTest, HoldsRepaintsWithinAFrameAndShowsThemAtItsEnd) {
    QWidget widget;
    RepaintPacer held(widget, FOREVER);

    held.contentChanged();
    EXPECT_TRUE(widget.updatesEnabled()) << "the first change repaints at once";
    held.contentChanged();
    EXPECT_FALSE(widget.updatesEnabled()) << "a change within the frame waits";

    QWidget other;
    RepaintPacer quick(other, 20ms);
    quick.contentChanged();
    quick.contentChanged();
    ASSERT_FALSE(other.updatesEnabled());
    EXPECT_TRUE(QTest::qWaitFor([&] { return other.updatesEnabled(); }, WAIT_MS))
        << "the held changes are shown when the frame ends";
}

} // namespace
} // namespace netlark::testing
