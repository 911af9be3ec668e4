// Dialog-unit conversion: rounding, base units from the font measure, rectangles.
#include "DialogUnits.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogUnits, MulDivRoundsHalfAwayFromZero) {
    struct Case {
        int a, b, c, expected;
    };
    const Case cases[] = {
        {7, 6, 4, 11}, {6, 6, 4, 9},    {5, 6, 4, 8},           {1, 6, 4, 2},
        {3, 13, 8, 5}, {-7, 6, 4, -11}, {7, -6, 4, -11},        {-7, -6, -4, -11},
        {0, 6, 4, 0},  {1, 1, 0, -1},   {2000000000, 4, 2, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(DialogUnits, BaseUnitsFromTheAlphabetWidthAndLineHeight) {
    // 52 letters of 5.9 px average (307 px) round to 6; of 6.5 px (338 px) to 7 (half up).
    EXPECT_EQ(BaseUnitsFromFontMeasure(307, 13), (DialogBaseUnits{6, 13}));
    EXPECT_EQ(BaseUnitsFromFontMeasure(338, 16), (DialogBaseUnits{7, 16}));
    EXPECT_EQ(BaseUnitsFromFontMeasure(285, 15), (DialogBaseUnits{5, 15}));
}

TEST(DialogUnits, WiderFontsAreNarrowedToTheTemplatesProportion) {
    struct Case {
        int alphabetWidthPx;
        int heightPx;
        int stretch;
    };
    const Case cases[] = {
        {353, 13, 88},  // 6.8 px across where 6 are drawn for: 6 * 52 * 100 / 353
        {312, 13, 100}, // exactly 6 across
        {307, 13, 100}, // narrower fonts keep their shape
        {420, 16, 91},  // a larger font keeps 6:13 too: 6 * 16 / 13 * 52 * 100 / 420
        {0, 13, 100},   // nothing measured
        {2000, 13, 50}, // never narrower than half
    };
    for (const Case& c : cases)
        EXPECT_EQ(StretchForTemplateProportion(c.alphabetWidthPx, c.heightPx), c.stretch)
            << c.alphabetWidthPx << " by " << c.heightPx;
}

TEST(DialogUnits, RectangleScalesByQuarterWidthAndEighthHeight) {
    const DialogBaseUnits base{6, 13};
    struct Case {
        DlgRect rect;
        QRect expected;
    };
    const Case cases[] = {
        {{7, 17, 58, 12}, QRect(11, 28, 87, 20)},
        {{95, 7, 242, 157}, QRect(143, 11, 363, 255)},
        {{0, 0, 407, 415}, QRect(0, 0, 611, 674)},
        {{7, 16, 382, 75}, QRect(11, 26, 573, 122)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DialogUnitsToPixels(c.rect, base), c.expected);
}

TEST(DialogUnits, DialogFontGivesPlausibleBaseUnits) {
    const DialogBaseUnits base = DialogFontBaseUnits(DialogFont());
    EXPECT_GE(base.cx, 4);
    EXPECT_LE(base.cx, 10);
    EXPECT_GE(base.cy, 9);
    EXPECT_LE(base.cy, 20);
    // The forms keep the proportion they were drawn for, so they fit the default window.
    EXPECT_LE(base.cx * kTemplateBaseUnits.cy,
              kTemplateBaseUnits.cx * base.cy + kTemplateBaseUnits.cy / 2);
}

} // namespace
