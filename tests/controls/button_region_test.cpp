#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "controls/button_region.h"

using namespace torvane;

namespace {

int KeptPixels(int buttonType, int w, int h)
{
    int kept = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            kept += InButtonRegion(buttonType, w, h, x, y) ? 1 : 0;
    return kept;
}

} // namespace

TEST(ButtonRegion, OnlyStylesThreeAndFourCutCorners)
{
    for (int type : {-1, 0, 1, 2, 3, 4, 5, 6, 100}) {
        const bool cut = type == 3 || type == 4;
        EXPECT_EQ(HasCutCorners(type), cut) << type;
        EXPECT_EQ(CutCornerPixels(type, 75, 23).size(), cut ? 12u : 0u) << type;
        EXPECT_EQ(KeptPixels(type, 75, 23), cut ? 75 * 23 - 12 : 75 * 23) << type;
    }
}

TEST(ButtonRegion, CutsThreePixelsAtEachCorner)
{
    const std::set<std::pair<int, int>> cut = {
        {0, 0},  {1, 0},  {0, 1},  {73, 0},  {74, 0},  {74, 1},
        {0, 22}, {1, 22}, {0, 21}, {73, 22}, {74, 22}, {74, 21},
    };
    for (int type : {3, 4}) {
        for (int y = -1; y <= 23; ++y) {
            for (int x = -1; x <= 75; ++x) {
                const bool inside = x >= 0 && y >= 0 && x < 75 && y < 23;
                const bool kept = inside && cut.count({x, y}) == 0;
                EXPECT_EQ(InButtonRegion(type, 75, 23, x, y), kept) << type << " (" << x << "," << y << ")";
            }
        }
    }
}

TEST(ButtonRegion, TinyWindowsLoseWhatTheCornersCover)
{
    struct Case {
        int w, h;
        int kept;
    };
    const Case cases[] = {
        {1, 1, 0},  {2, 2, 0}, {3, 3, 1}, // only (1,1)
        {3, 4, 2},                        // (1,1) and (1,2)
        {1, 5, 1},                        // (0,2)
        {4, 4, 4},  {12, 12, 132}, {4, 1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeptPixels(3, c.w, c.h), c.kept) << c.w << "x" << c.h;
        EXPECT_EQ(KeptPixels(1, c.w, c.h), c.w * c.h) << c.w << "x" << c.h;
    }
    EXPECT_TRUE(InButtonRegion(3, 3, 3, 1, 1));
    EXPECT_TRUE(InButtonRegion(4, 1, 5, 0, 2));
}

TEST(ButtonRegion, EverySmallSizeIsSymmetricAndOnlyLosesCornerPixels)
{
    for (int type = 0; type <= 6; ++type) {
        for (int w = 1; w <= 12; ++w) {
            for (int h = 1; h <= 12; ++h) {
                const std::string where = std::to_string(type) + " " + std::to_string(w) + "x" + std::to_string(h);
                for (int y = -2; y < h + 2; ++y) {
                    for (int x = -2; x < w + 2; ++x) {
                        const bool inside = x >= 0 && y >= 0 && x < w && y < h;
                        const bool inCorner = (x < 2 || x >= w - 2) && (y < 2 || y >= h - 2);
                        const bool kept = InButtonRegion(type, w, h, x, y);
                        if (!inside) {
                            EXPECT_FALSE(kept) << where << " (" << x << "," << y << ")";
                        } else if (!inCorner || !HasCutCorners(type)) {
                            EXPECT_TRUE(kept) << where << " (" << x << "," << y << ")";
                        }
                        if (inside) {
                            EXPECT_EQ(kept, InButtonRegion(type, w, h, w - 1 - x, y)) << where;
                            EXPECT_EQ(kept, InButtonRegion(type, w, h, x, h - 1 - y)) << where;
                        }
                    }
                }
                if (HasCutCorners(type) && w >= 4 && h >= 4) {
                    EXPECT_EQ(KeptPixels(type, w, h), w * h - 12) << where;
                }
            }
        }
    }
}
