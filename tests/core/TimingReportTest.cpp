// The timing summary and the timing report, line by line.
#include "TestDocument.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> ReportLines(TestDocument& doc, bool quiet = false) {
    doc.ComputeTiming(quiet);
    return SplitLines(doc.Ctx().m_strTimingReport);
}

TEST(TimingReport, DefaultsLineByLine) {
    TestDocument doc;
    const std::vector<std::string> expected = {
        "Max Frame Time: 33.3333 msec",
        "Max Frame Clocks: 366666.6 clocks (11 MHz)",
        "Pixel Clock: divided by 1",
        "Skip Mode: 1x cols, 1x rows, Bin Mode: No",
        "Horiz clks:  648 active + 78 blank = 726 total",
        "Vert  rows:  488 active + 17 blank = 505 total",
        "Extra Delay: 36 clocks",
        "",
        "Actual Frame Clocks: 366630 clocks",
        "Row Time: 66 usec / 726 clocks",
        "Integration Time: 1 msec.",
        "Frame time: 33.330000 msec",
        "Frames per Sec: 30.003 fps",
        "",
        "50Hz Flicker Period: 151.52 lines",
        "60Hz Flicker Period: 126.26 lines",
        "Flicker Zone Height: 7",
        "",
        "HW Rev: 2",
    };
    EXPECT_EQ(ReportLines(doc), expected);
    EXPECT_EQ(doc.Ctx().m_strTimingReport.substr(doc.Ctx().m_strTimingReport.size() - 9),
              "HW Rev: 2");
}

TEST(TimingReport, DefaultSummary) {
    TestDocument doc;
    doc.ComputeTiming(false);
    EXPECT_EQ(doc.Ctx().m_strTimingSummary, "Requested Frames Per Second: 30.000\r\n"
                                            "Output Columns: 640\r\n"
                                            "Output Rows: 480\r\n"
                                            "Allow Skipping: Unchecked\r\n"
                                            "Integration Time: 1.000000 msec.\r\n"
                                            "Low Power: Unchecked\r\n"
                                            "Blanking Computation: HB Min then VB\r\n"
                                            "\r\n");
}

TEST(TimingReport, SummaryEchoesTheRequestAsTyped) {
    TestDocument doc;
    CImageContext& ctx = doc.Ctx();
    ctx.m_dFrameRate = 7.5;
    ctx.m_nOutputColumns = 700;
    ctx.m_nOutputRows = -3;
    ctx.m_bAllowSkipping = 1;
    ctx.m_bLowPower = 1;
    doc.ComputeTiming(false);
    const auto lines = SplitLines(ctx.m_strTimingSummary);
    EXPECT_EQ(lines[0], "Requested Frames Per Second: 7.500");
    EXPECT_EQ(lines[1], "Output Columns: 700");
    EXPECT_EQ(lines[2], "Output Rows: -3");
    EXPECT_EQ(lines[3], "Allow Skipping: Checked");
    EXPECT_EQ(lines[5], "Low Power: Checked");
}

TEST(TimingReport, BlankingModeTexts) {
    const struct {
        int mode;
        const char* text;
    } cases[] = {
        {0, "Blanking Computation: HB Min then VB"},
        {1, "Blanking Computation: HB Max then VB"},
        {2, "Blanking Computation: VB Min then HB"},
        {3, "Blanking Computation: VB Max then HB"},
        {4, "Blanking Computation: HB = 120 then VB"},
        {5, "Blanking Computation: VB = 40 then HB"},
        {7, "Blanking Computation: Unknown mode 7, HB Min then VB used"},
    };
    for (const auto& c : cases) {
        TestDocument doc;
        doc.Ctx().m_nBlankingMode = c.mode;
        doc.Ctx().m_nHBlank = 120;
        doc.Ctx().m_nVBlank = 40;
        doc.ComputeTiming(false);
        EXPECT_EQ(SplitLines(doc.Ctx().m_strTimingSummary)[6], c.text);
    }
}

TEST(TimingReport, UnmatchedRateAddsTheClockMinimumUnlessQuiet) {
    TestDocument doc;
    doc.Ctx().m_dFrameRate = 60.0;
    auto lines = ReportLines(doc);
    EXPECT_EQ(lines[0], "Max Frame Time: 16.6667 msec");
    EXPECT_EQ(lines[12], "Frames per Sec: 30.003 fps   (cannot match)");
    EXPECT_EQ(lines[13], "    (Clock output minimum: 43.996 MHz )");
    EXPECT_EQ(lines[14], "50Hz Flicker Period: 151.52 lines");

    lines = ReportLines(doc, true);
    EXPECT_EQ(lines[12], "Frames per Sec: 30.003 fps");
    EXPECT_EQ(lines[13], "50Hz Flicker Period: 151.52 lines");
}

TEST(TimingReport, LowPowerLines) {
    TestDocument doc;
    doc.Ctx().m_bLowPower = 1;
    const auto lines = ReportLines(doc);
    EXPECT_EQ(lines[1], "Max Frame Clocks: 183333.3 clocks (11 MHz)");
    EXPECT_EQ(lines[2], "Pixel Clock: divided by 2 (Low Power Mode)");
    EXPECT_EQ(lines[4], "Horiz clks:  648 active + 48 blank = 696 total");
    EXPECT_EQ(lines[9], "Row Time: 126.545 usec / 696 clocks");
    EXPECT_EQ(lines[12], "Frames per Sec: 15.648 fps   (cannot match)");
    EXPECT_EQ(lines[13], "    (Clock output minimum: 42.178 MHz )");
}

TEST(TimingReport, RequestedColumnsOutsideTheSensor) {
    TestDocument doc;
    doc.Ctx().m_nOutputColumns = 700;
    const std::vector<std::string> expected = {
        "Max Frame Time: 33.3333 msec",
        "Max Frame Clocks: 366666.6 clocks (11 MHz)",
        "Pixel Clock: divided by 1",
        "Skip Mode: 1x cols, 1x rows, Bin Mode: No",
        "Horiz clks:  n/a active + 78 blank = 0 total",
        "Vert  rows:  488 active + 17 blank = 0 total",
        "Extra Delay: 36 clocks",
        "",
        "Actual Frame Clocks: n/a",
        "Row Time: n/a / 726 clocks",
        "Integration Time: 1 msec.",
        "Frame time: n/a",
        "Frames per Sec: n/a",
        "",
        "50Hz Flicker Period: n/a",
        "60Hz Flicker Period: n/a",
        "Flicker Zone Height: 4",
        "",
        "HW Rev: 2",
    };
    EXPECT_EQ(ReportLines(doc), expected);
}

TEST(TimingReport, SkippingAndRowsOutsideTheSensor) {
    TestDocument doc;
    doc.Ctx().m_bAllowSkipping = 1;
    doc.Ctx().m_nOutputColumns = 320;
    doc.Ctx().m_nOutputRows = 0;
    const auto lines = ReportLines(doc);
    EXPECT_EQ(lines[3], "Skip Mode: 2x cols, 4x rows, Bin Mode: No");
    EXPECT_EQ(lines[4], "Horiz clks:  324 active + 78 blank = 0 total");
    EXPECT_EQ(lines[5].substr(0, 26), "Vert  rows:  n/a active + ");
}

TEST(TimingReport, FrameRateZero) {
    TestDocument doc;
    doc.Ctx().m_dFrameRate = 0.0;
    const auto lines = ReportLines(doc);
    EXPECT_EQ(lines[0], "Max Frame Time: n/a");
    EXPECT_EQ(lines[1], "Max Frame Clocks: n/a (11 MHz)");
    EXPECT_EQ(lines[5], "Vert  rows:  488 active + 16384 blank = 0 total");
    EXPECT_EQ(lines[6], "Extra Delay: 0 clocks");
    EXPECT_EQ(lines[12], "Frames per Sec: n/a");
    EXPECT_EQ(lines[13], "");
}

TEST(TimingReport, LongFrameTimesAreNotShown) {
    TestDocument doc;
    doc.Ctx().m_dFrameRate = 0.1; // 10000 ms is not below the limit
    EXPECT_EQ(ReportLines(doc)[0], "Max Frame Time: n/a");
    doc.Ctx().m_dFrameRate = 0.5;
    EXPECT_EQ(ReportLines(doc)[0], "Max Frame Time: 2000 msec");
}

TEST(TimingReport, SystemClockZeroShowsNoIntegrationTime) {
    TestDocument doc;
    doc.m_dTargetSystemFreq = 0.0;
    const auto lines = ReportLines(doc);
    EXPECT_EQ(lines[1], "Max Frame Clocks: n/a (0 MHz)");
    EXPECT_EQ(lines[10], "Integration Time: n/a");
    EXPECT_FALSE(doc.Ctx().m_bTimingValid);
}

TEST(TimingReport, HardwareRevision) {
    TestDocument doc;
    doc.m_nHwRev = 1;
    EXPECT_EQ(ReportLines(doc).back(), "HW Rev: 1");
}

} // namespace
