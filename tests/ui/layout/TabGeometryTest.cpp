// Tab strip geometry without painting: label widths, extents, hit tests and drawing steps.
#include "TabGeometry.h"

#include <gtest/gtest.h>
#include <ostream>

using namespace tabstrip;

namespace {

struct WidthCase {
    int textWidth;
    int labelWidth;
    int tabWidth;

    friend std::ostream& operator<<(std::ostream& out, const WidthCase& c) {
        return out << "text" << c.textWidth;
    }
};

class TabWidthTest : public testing::TestWithParam<WidthCase> {};

TEST_P(TabWidthTest, PadsByFourAndCapsLabelAt200) {
    EXPECT_EQ(LabelWidth(GetParam().textWidth), GetParam().labelWidth);
    EXPECT_EQ(TabWidth(GetParam().textWidth), GetParam().tabWidth);
}

INSTANTIATE_TEST_SUITE_P(Widths, TabWidthTest,
                         testing::Values(WidthCase{0, 4, 10}, WidthCase{40, 44, 50},
                                         WidthCase{195, 199, 205}, WidthCase{196, 200, 206},
                                         WidthCase{197, 200, 206}, WidthCase{1000, 200, 206}));

TEST(TabLayout, TabsFollowEachOtherSharingBoundaries) {
    const int widths[] = {40, 30, 300};
    const std::vector<TabExtent> tabs = LayoutTabs(widths);
    ASSERT_EQ(tabs.size(), 3u);
    EXPECT_EQ(tabs[0], (TabExtent{0, 50, 44}));
    EXPECT_EQ(tabs[1], (TabExtent{50, 90, 34}));
    EXPECT_EQ(tabs[2], (TabExtent{90, 296, 200}));
}

struct HitCase {
    int x;
    int y;
    int expected;

    friend std::ostream& operator<<(std::ostream& out, const HitCase& c) {
        return out << "x" << c.x << "y" << c.y;
    }
};

class TabHitTest : public testing::TestWithParam<HitCase> {};

// Client height 400: the strip hits from y = 374 to y = 394; tabs [0,50] [50,90] [90,296].
TEST_P(TabHitTest, FindsTabUnderPoint) {
    const std::vector<TabExtent> tabs = {{0, 50, 44}, {50, 90, 34}, {90, 296, 200}};
    EXPECT_EQ(HitTest(tabs, GetParam().x, GetParam().y, 400), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Points, TabHitTest,
                         testing::Values(HitCase{0, 374, 0}, HitCase{25, 394, 0},
                                         HitCase{25, 373, -1}, HitCase{25, 395, -1},
                                         HitCase{50, 380, 0}, HitCase{51, 380, 1},
                                         HitCase{90, 380, 1}, HitCase{91, 380, 2},
                                         HitCase{296, 380, 2}, HitCase{297, 380, -1},
                                         HitCase{-1, 380, -1}, HitCase{25, 100, -1}));

TEST(TabLayout, NoTabsHitNothing) {
    EXPECT_EQ(HitTest({}, 0, 380, 400), -1);
}

TEST(TabLayout, PagesSitAboveTheStrip) {
    EXPECT_EQ(PageRect(600, 400), QRect(1, 0, 600, 370));
    EXPECT_EQ(EraseRect(600, 400), QRect(0, 367, 600, 33));
}

TEST(TabDrawingSteps, ActiveTabIsOpenToThePageAbove) {
    // Tab at x = 50 with label width 44 in a 600 by 400 client; text height 13.
    const TabDrawing tab = DrawTab(50, 44, 13, true, 600, 400);
    const int y0 = 374;
    EXPECT_EQ(tab.width, 50);
    EXPECT_EQ(tab.labelRect, QRect(53, y0 + 1 + 3, 44, 13));
    ASSERT_EQ(tab.steps.size(), 9u);
    EXPECT_EQ(tab.steps[0].stroke,
              (Stroke{Ink::Black, {{50, y0}, {50, y0 + 20}, {99, y0 + 20}, {99, y0}}}));
    EXPECT_EQ(tab.steps[1].stroke, (Stroke{Ink::Light2, {{52, y0}, {52, y0 + 19}}}));
    EXPECT_EQ(tab.steps[2].stroke, (Stroke{Ink::Shadow2, {{52, y0 + 19}, {96, y0 + 19}}}));
    EXPECT_EQ(tab.steps[3].stroke, (Stroke{Ink::Shadow2, {{98, y0}, {98, y0 + 19}}}));
    EXPECT_EQ(tab.steps[4].stroke, (Stroke{Ink::Black, {{0, y0}, {50, y0}}}));
    EXPECT_EQ(tab.steps[5].stroke, (Stroke{Ink::Black, {{100, y0}, {600, y0}}}));
    EXPECT_EQ(tab.steps[6].stroke, (Stroke{Ink::Shadow1, {{0, y0 - 1}, {50, y0 - 1}}}));
    EXPECT_EQ(tab.steps[7].stroke, (Stroke{Ink::Shadow1, {{98, y0 - 1}, {600, y0 - 1}}}));
    EXPECT_EQ(tab.steps[8].fill, (Fill{Ink::Face, QRect(53, y0, 44, 18), false}));
}

TEST(TabDrawingSteps, ActiveFirstTabDrawsNoShadowToItsLeft) {
    const TabDrawing tab = DrawTab(0, 44, 13, true, 600, 400);
    ASSERT_EQ(tab.steps.size(), 8u);
    EXPECT_EQ(tab.steps[6].stroke, (Stroke{Ink::Shadow1, {{48, 373}, {600, 373}}}));
}

TEST(TabDrawingSteps, InactiveTabIsAClosedFlatBox) {
    const TabDrawing tab = DrawTab(50, 34, 12, false, 600, 400);
    const int y0 = 374;
    EXPECT_EQ(tab.width, 40);
    EXPECT_EQ(tab.labelRect, QRect(53, y0 + 1 + 4, 34, 12));
    ASSERT_EQ(tab.steps.size(), 4u);
    EXPECT_EQ(tab.steps[0].fill, (Fill{Ink::Black, QRect(50, y0, 40, 21), true}));
    EXPECT_EQ(tab.steps[1].stroke, (Stroke{Ink::Shadow1, {{51, y0 + 19}, {88, y0 + 19}}}));
    EXPECT_EQ(tab.steps[2].stroke, (Stroke{Ink::Shadow1, {{88, y0}, {88, y0 + 19}}}));
    EXPECT_EQ(tab.steps[3].fill, (Fill{Ink::Face, QRect(51, y0 + 1, 36, 17), false}));
}

TEST(TabDrawingSteps, PageFrameIsTwoThreeDimensionalRectangles) {
    const std::vector<Step> steps = PageFrame(600, 400);
    ASSERT_EQ(steps.size(), 8u);
    // Outer: (0, 0) 600 by 371, shadow top-left, highlight bottom-right.
    EXPECT_EQ(steps[0].fill, (Fill{Ink::Shadow1, QRect(0, 0, 599, 1), false}));
    EXPECT_EQ(steps[1].fill, (Fill{Ink::Shadow1, QRect(0, 0, 1, 370), false}));
    EXPECT_EQ(steps[2].fill, (Fill{Ink::Highlight, QRect(599, 0, 1, 371), false}));
    EXPECT_EQ(steps[3].fill, (Fill{Ink::Highlight, QRect(0, 370, 600, 1), false}));
    // Inner: (1, 1) 598 by 369, black top-left, 3-D light bottom-right.
    EXPECT_EQ(steps[4].fill, (Fill{Ink::Black, QRect(1, 1, 597, 1), false}));
    EXPECT_EQ(steps[7].fill, (Fill{Ink::Light3d, QRect(1, 369, 598, 1), false}));
}

} // namespace
