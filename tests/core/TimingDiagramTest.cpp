// The timing diagram's geometry: the frame to scale, labels, flicker ticks, and the area it keeps
// to.
#include "TimingDiagram.h"
#include "TestDocument.h"
#include "TimingRequest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace {

// A font whose every character is 7 pixels wide, lines 16 pixels apart.
DiagramFont FixedFont() {
    return {16.0, [](std::string_view text) {
                // Counts characters, not the bytes of UTF-8 sequences.
                return 7.0 *
                       static_cast<double>(std::count_if(text.begin(), text.end(), [](char c) {
                           return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
                       }));
            }};
}

struct DiagramCase {
    const char* name;
    Request request;
    DiagramState state;
    // Frame in clocks across (active + blank) and rows down (active + blank); extra delay.
    int a, h, l, r, v, f, extraDelay;
    int ticks50, ticks60;
    std::vector<std::string> labels; // texts that must be drawn
    std::vector<std::string> absent; // texts that must not be drawn

    friend std::ostream& operator<<(std::ostream& out, const DiagramCase& c) {
        return out << c.name;
    }
};

const std::string kUs = " \xC2\xB5s";

// clang-format off
const DiagramCase kCases[] = {
    {"defaults", {}, DiagramState::Frame, 648, 78, 726, 488, 17, 505, 36, 3, 3,
     {"648 active", "78 blank", "726 clocks per row", "488 active", "17 blank", "505 rows",
      "36 clocks extra delay", "Row time: 66" + kUs + " = 726 clocks", "Frame time: 33.330 ms",
      "Frame rate: 30.003 fps", "Requested: 30 fps", "Integration: 1 ms",
      "50 Hz flicker period: 151.52 rows", "60 Hz flicker period: 126.26 rows",
      "Flicker zone height: 7 rows", "0 ms", "33.330 ms", "50 Hz", "60 Hz"},
     {"(cannot match)", "Warning: Flicker Detection Inoperative!"}},
    {"320x240 with skipping",
     With([](Request& q) { q.skipping = 1; q.columns = 320; q.rows = 240; }),
     DiagramState::Frame, 324, 78, 402, 244, 668, 912, 42, 3, 3,
     {"324 active", "78 blank", "402 clocks per row", "244 active", "668 blank", "912 rows",
      "42 clocks extra delay", "Row time: 36.545" + kUs + " = 402 clocks",
      "Frame time: 33.329 ms", "Frame rate: 30.003 fps", "50 Hz flicker period: 273.63 rows",
      "60 Hz flicker period: 228.03 rows", "Flicker zone height: 12 rows"},
     {"(cannot match)"}},
    {"hb=2000", With([](Request& q) { q.mode = 4; q.hBlank = 2000; }),
     DiagramState::Frame, 648, 2000, 2648, 488, 17, 505, 0, 12, 14,
     {"648 active", "2000 blank", "2648 clocks per row", "505 rows", "0 clocks extra delay",
      "Row time: 240.727" + kUs + " = 2648 clocks", "Frame time: 121.567 ms",
      "Frame rate: 8.226 fps", "(cannot match)", "Clock output minimum: 80.234 MHz",
      "50 Hz flicker period: 41.54 rows", "60 Hz flicker period: 34.62 rows",
      "Flicker zone height: 2 rows"},
     {}},
    {"vb=1000", With([](Request& q) { q.mode = 5; q.vBlank = 1000; }),
     DiagramState::Frame, 648, 78, 726, 488, 1000, 1488, 0, 9, 11,
     {"1000 blank", "1488 rows", "Frame time: 98.208 ms", "Frame rate: 10.182 fps",
      "(cannot match)", "Clock output minimum: 64.817 MHz"},
     {}},
    {"low power", With([](Request& q) { q.lowPower = 1; }),
     DiagramState::Frame, 648, 48, 696, 488, 17, 505, 0, 6, 7,
     {"48 blank", "696 clocks per row", "Row time: 126.545" + kUs + " = 696 clocks",
      "Frame time: 63.905 ms", "Frame rate: 15.648 fps", "(cannot match)",
      "Clock output minimum: 42.178 MHz", "Integration: 1 ms", "50 Hz flicker period: 79.02 rows",
      "60 Hz flicker period: 65.85 rows", "Flicker zone height: 4 rows"},
     {}},
    {"60 fps cannot be matched", With([](Request& q) { q.frameRate = 60.0; }),
     DiagramState::Frame, 648, 78, 726, 488, 17, 505, 0, 3, 3,
     {"Frame rate: 30.003 fps", "(cannot match)", "Requested: 60 fps",
      "Clock output minimum: 43.996 MHz"},
     {}},
    {"66 MHz raises the flicker warning", With([](Request& q) { q.systemFreq = 66.0; }),
     DiagramState::Frame, 648, 78, 726, 488, 269, 757, 418, 3, 3,
     {"269 blank", "757 rows", "Row time: 44" + kUs + " = 726 clocks",
      "Flicker zone height: 10 rows", "Warning: Flicker Detection Inoperative!"},
     {}},
    {"n/a: 700 columns", With([](Request& q) { q.columns = 700; }),
     DiagramState::NotAvailable, 0, 0, 0, 0, 0, 0, 0, 0, 0,
     {"Frame timing n/a", "Output columns 700 outside 1 to 648"},
     {"648 active", "Output rows"}},
    {"n/a: frame rate 0 and rows 0", With([](Request& q) { q.frameRate = 0; q.rows = 0; }),
     DiagramState::NotAvailable, 0, 0, 0, 0, 0, 0, 0, 0, 0,
     {"Frame timing n/a", "Output rows 0 outside 1 to 488",
      "Max Frame Time: n/a (frame rate 0 fps)"},
     {"Output columns"}},
};
// clang-format on

const DiagramShape* Find(const TimingDiagram& d, DiagramRole role) {
    const auto it = std::find_if(d.shapes.begin(), d.shapes.end(),
                                 [role](const DiagramShape& s) { return s.role == role; });
    return it != d.shapes.end() ? &*it : nullptr;
}

long CountLines(const TimingDiagram& d, DiagramRole role) {
    return std::count_if(d.lines.begin(), d.lines.end(),
                         [role](const DiagramLine& line) { return line.role == role; });
}

bool HasLabel(const TimingDiagram& d, const std::string& text) {
    return std::any_of(d.labels.begin(), d.labels.end(),
                       [&text](const DiagramLabel& label) { return label.text == text; });
}

TimingDiagram LayOut(const DiagramCase& c, DiagramSize area) {
    const CImageContext ctx = c.request.Context();
    return LayOutTimingDiagram(CalculateTiming(ctx, c.request.systemFreq), ctx, area, FixedFont());
}

// The page's size in the 840 by 860 window and in a 1400 by 1000 one.
constexpr DiagramSize kSizes[] = {{690, 760}, {1250, 900}};

class TimingDiagramCase : public testing::TestWithParam<DiagramCase> {};

TEST_P(TimingDiagramCase, FrameToScaleWithItsLabelsAndTicks) {
    const DiagramCase& c = GetParam();
    for (const DiagramSize size : kSizes) {
        SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
        const TimingDiagram d = LayOut(c, size);
        ASSERT_EQ(d.state, c.state);
        for (const std::string& text : c.labels)
            EXPECT_TRUE(HasLabel(d, text)) << text;
        for (const std::string& text : c.absent)
            EXPECT_FALSE(HasLabel(d, text)) << text;
        if (c.state != DiagramState::Frame) {
            EXPECT_TRUE(d.shapes.empty());
            EXPECT_TRUE(d.lines.empty());
            continue;
        }
        const DiagramShape* frame = Find(d, DiagramRole::FrameOutline);
        const DiagramShape* active = Find(d, DiagramRole::ActiveArea);
        const DiagramShape* hBlank = Find(d, DiagramRole::HBlankBand);
        const DiagramShape* vBlank = Find(d, DiagramRole::VBlankBand);
        ASSERT_TRUE(frame && active && hBlank && vBlank);
        const DiagramRect& fr = frame->rect;
        EXPECT_NEAR(active->rect.width, fr.width * c.a / c.l, 1.0);
        EXPECT_NEAR(hBlank->rect.width, fr.width * c.h / c.l, 1.0);
        EXPECT_NEAR(active->rect.height, fr.height * c.r / c.f, 1.0);
        EXPECT_NEAR(hBlank->rect.height, active->rect.height, 0.0);
        EXPECT_NEAR(vBlank->rect.height, fr.height * c.v / c.f, 1.0);
        EXPECT_EQ(active->rect.x, fr.x);
        EXPECT_EQ(active->rect.y, fr.y);
        EXPECT_EQ(hBlank->rect.x, active->rect.Right());
        EXPECT_EQ(hBlank->rect.Right(), fr.Right());
        EXPECT_EQ(vBlank->rect.y, active->rect.Bottom());
        EXPECT_EQ(vBlank->rect.width, fr.width);
        EXPECT_EQ(vBlank->rect.Bottom(), fr.Bottom());

        EXPECT_EQ(CountLines(d, DiagramRole::Flicker50), c.ticks50);
        EXPECT_EQ(CountLines(d, DiagramRole::Flicker60), c.ticks60);

        const DiagramShape* band = Find(d, DiagramRole::ExtraDelayBand);
        if (c.extraDelay == 0) {
            EXPECT_EQ(band, nullptr);
        } else {
            ASSERT_NE(band, nullptr);
            EXPECT_GT(band->rect.y, fr.Bottom());
            EXPECT_NEAR(band->rect.width, fr.width * c.extraDelay / c.l, 1.0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Timings, TimingDiagramCase, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<DiagramCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

bool Inside(const DiagramRect& r, DiagramSize area) {
    return r.x >= 0 && r.y >= 0 && r.width >= 0 && r.height >= 0 && r.Right() <= area.width &&
           r.Bottom() <= area.height;
}

bool Overlap(const DiagramRect& a, const DiagramRect& b) {
    return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

// Any size, from none at all to a large window: everything stays inside, no two labels overlap,
// and at the minimum size or more the picture is there.
TEST(TimingDiagram, EverySizeKeepsInsideWithoutOverlappingLabels) {
    for (const DiagramCase& c : kCases) {
        const CImageContext ctx = c.request.Context();
        const TimingFigures t = CalculateTiming(ctx, c.request.systemFreq);
        const DiagramSize minimum = MinimumDiagramSize(t, ctx, FixedFont());
        for (double w = 0; w <= 1600; w += 23) {
            for (double h = 0; h <= 1200; h += 29) {
                SCOPED_TRACE(testing::Message() << c.name << " " << w << "x" << h);
                const DiagramSize area{w, h};
                const TimingDiagram d = LayOutTimingDiagram(t, ctx, area, FixedFont());
                if (w >= minimum.width && h >= minimum.height) {
                    ASSERT_EQ(d.state, c.state);
                }
                for (const DiagramShape& s : d.shapes)
                    ASSERT_TRUE(Inside(s.rect, area));
                for (const DiagramLine& l : d.lines) {
                    ASSERT_TRUE(l.x1 == l.x2 || l.y1 == l.y2);
                    ASSERT_TRUE(Inside({std::min(l.x1, l.x2), std::min(l.y1, l.y2),
                                        std::abs(l.x2 - l.x1), std::abs(l.y2 - l.y1)},
                                       area));
                }
                for (std::size_t i = 0; i < d.labels.size(); ++i) {
                    ASSERT_TRUE(Inside(d.labels[i].rect, area)) << d.labels[i].text;
                    for (std::size_t j = i + 1; j < d.labels.size(); ++j)
                        ASSERT_FALSE(Overlap(d.labels[i].rect, d.labels[j].rect))
                            << d.labels[i].text << " / " << d.labels[j].text;
                }
            }
        }
    }
}

TEST(TimingDiagram, TooSmallAreaSaysSoOrDrawsNothing) {
    const CImageContext ctx = Request{}.Context();
    const TimingFigures t = CalculateTiming(ctx, 44.0);
    const TimingDiagram small = LayOutTimingDiagram(t, ctx, {320, 200}, FixedFont());
    EXPECT_EQ(small.state, DiagramState::TooSmall);
    EXPECT_TRUE(small.shapes.empty());
    ASSERT_EQ(small.labels.size(), 1u);
    EXPECT_EQ(small.labels[0].text, "Too small for the timing diagram");
    EXPECT_TRUE(LayOutTimingDiagram(t, ctx, {40, 10}, FixedFont()).labels.empty());
}

// Very long rows on a slow clock put the 50 and 60 Hz periods below a pixel apart: the strips are
// filled instead of drawing thousands of ticks.
TEST(TimingDiagram, PeriodsBelowThreePixelsFillTheirStrip) {
    Request q;
    q.systemFreq = 1.0;
    q.frameRate = 0.01;
    q.mode = 4;
    q.hBlank = 16384;
    q.lowPower = 1;
    const CImageContext ctx = q.Context();
    const TimingFigures t = CalculateTiming(ctx, q.systemFreq);
    ASSERT_TRUE(t.valid);
    const TimingDiagram d = LayOutTimingDiagram(t, ctx, {690, 760}, FixedFont());
    ASSERT_EQ(d.state, DiagramState::Frame);
    EXPECT_EQ(CountLines(d, DiagramRole::Flicker50), 0);
    EXPECT_EQ(CountLines(d, DiagramRole::Flicker60), 0);
    // The strip fills, besides the legend swatches.
    EXPECT_EQ(std::count_if(d.shapes.begin(), d.shapes.end(),
                            [](const DiagramShape& s) { return s.role == DiagramRole::Flicker50; }),
              2);
}

TEST(TimingDiagram, FiguresAreThoseOfTheDocumentsLastRun) {
    TestDocument doc;
    doc.Ctx().m_dFrameRate = 15.0;
    doc.ComputeTiming(false);
    const TimingFigures t = LastTimingFigures(doc);
    EXPECT_TRUE(t.valid);
    EXPECT_EQ(t.frameLength, 1010);
    EXPECT_EQ(t.lineLength, 726);
    EXPECT_EQ(t.frameLength, static_cast<int>(doc.Reg(kRowFrameLengthLines)));
}

TEST(TimingDiagram, CaptionNamesTheFileClocksImageAndRates) {
    struct Case {
        double frameRate;
        int columns;
        const char* fileName;
        const char* caption;
    };
    const Case cases[] = {
        {30.0, 640, "camera.ini",
         "camera.ini: input clock 11 MHz, system clock 44 MHz, 640 x 480, 30 fps requested, "
         "30.003 fps achieved"},
        {15.0, 640, "",
         "input clock 11 MHz, system clock 44 MHz, 640 x 480, 15 fps requested, 15.002 fps "
         "achieved"},
        {30.0, 700, "two\nlines\t.ini",
         "two?lines?.ini: input clock 11 MHz, system clock 44 MHz, 700 x 480, 30 fps requested, "
         "achieved n/a"},
    };
    for (const Case& c : cases) {
        TestDocument doc;
        doc.Ctx().m_dFrameRate = c.frameRate;
        doc.Ctx().m_nOutputColumns = c.columns;
        doc.ComputeTiming(false);
        EXPECT_EQ(DiagramCaption(doc, c.fileName), c.caption);
    }
}

} // namespace
