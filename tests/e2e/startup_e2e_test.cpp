#include "end_to_end_fixture.h"

namespace netlark::testing {
namespace {

class StartupE2eTest : public EndToEndTest {};

// The emulated cameras answer as soon as a request arrives, which can be
// before the window has started its receiver: they are listed because the
// reply port is bound before the first request goes out. Nothing here scans
// again, so the list is the first scan's doing.
TEST_F(StartupE2eTest, TheFirstScanListsEveryCameraInSerialOrder) {
    ASSERT_NO_FATAL_FAILURE(startCamsim(FLEET));

    ASSERT_NO_FATAL_FAILURE(openWindow());

    expectScanLogged();
    EXPECT_TRUE(waitForList(FLEET_ROWS));
    EXPECT_EQ(listed(), FLEET_ROWS);
    EXPECT_EQ(shownMessages(), std::vector<std::string>{});
}

} // namespace
} // namespace netlark::testing
