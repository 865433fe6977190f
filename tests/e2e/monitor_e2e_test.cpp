#include <gtest/gtest.h>

#include <vector>

#include "app/control_ids.h"
#include "torvane_driver.h"

using namespace torvane;


TEST(Monitor, TheStatusPageDiagramMovesAndNothingElseDoes)
{
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    SetForegroundWindow(torvane.window());
    HWND monitor = torvane.Control(ControlId::CpuMonitor1);
    ASSERT_NE(monitor, nullptr);
    RECT monitorBox;
    GetWindowRect(monitor, &monitorBox);
    EXPECT_EQ(monitorBox.right - monitorBox.left, 361);
    EXPECT_EQ(monitorBox.bottom - monitorBox.top, 73);

    RECT windowBox;
    GetWindowRect(torvane.window(), &windowBox);
    // From a picture held still for a moment to the one after the second
    // change on the screen (the diagram moves on every second).
    const std::vector<std::uint32_t> before = SteadyScreenPixels(windowBox, nullptr, 3000);
    std::vector<std::uint32_t> after = before;
    for (int change = 0; change < 2; ++change) {
        const std::vector<std::uint32_t> last = after;
        ASSERT_TRUE(WaitFor([&] {
            after = ScreenPixels(windowBox);
            return after != last;
        }, 3000)) << change;
    }
    ASSERT_EQ(before.size(), after.size());

    const int width = windowBox.right - windowBox.left;
    int changedInside = 0;
    int changedOutside = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i])
            continue;
        const POINT at = {windowBox.left + static_cast<LONG>(i % width), windowBox.top + static_cast<LONG>(i / width)};
        if (PtInRect(&monitorBox, at))
            ++changedInside;
        else
            ++changedOutside;
    }
    EXPECT_GT(changedInside, 0);
    EXPECT_EQ(changedOutside, 0);
}
