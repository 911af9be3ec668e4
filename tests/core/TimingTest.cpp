// Frame timing figures, warning bits, register rows and the flicker-detection settings.
#include "FormatDecimal.h"
#include "TestDocument.h"
#include "TimingCalc.h"
#include "TimingRequest.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TimingFigures Calc(const Request& q) {
    return CalculateTiming(q.Context(), q.systemFreq);
}

struct GeometryCase {
    const char* name;
    Request request;
    int a, r, h, v, l, f, extraDelay;
    bool valid;
};

// clang-format off
const GeometryCase kGeometryCases[] = {
    {"defaults", {}, 648, 488, 78, 17, 726, 505, 36, true},
    {"skip 320x240", With([](Request& q) { q.skipping = 1; q.columns = 320; q.rows = 240; }),
     324, 244, 78, 668, 402, 912, 42, true},
    {"skip 160x120", With([](Request& q) { q.skipping = 1; q.columns = 160; q.rows = 120; }),
     162, 122, 78, 1405, 240, 1527, 186, true},
    {"skip clamps 100x50", With([](Request& q) { q.skipping = 1; q.columns = 100; q.rows = 50; }),
     162, 122, 78, 1405, 240, 1527, 186, true},
    {"columns 0", With([](Request& q) { q.columns = 0; }), 648, 488, 78, 17, 0, 0, 36, false},
    {"columns 649", With([](Request& q) { q.columns = 649; }), 648, 488, 78, 17, 0, 0, 36, false},
    {"rows 489", With([](Request& q) { q.rows = 489; }), 648, 488, 78, 17, 0, 0, 36, false},
    {"skip columns 0", With([](Request& q) { q.skipping = 1; q.columns = 0; }),
     162, 488, 78, 1039, 0, 0, 186, false},
    {"frame rate 0", With([](Request& q) { q.frameRate = 0.0; }),
     648, 488, 78, 16384, 0, 0, 0, false},
    {"mode 4 HBlank 10", With([](Request& q) { q.mode = 4; q.hBlank = 10; }),
     648, 488, 78, 17, 726, 505, 36, true},
    {"mode 4 HBlank 10 low power", With([](Request& q) { q.mode = 4; q.hBlank = 10; q.lowPower = 1; }),
     648, 488, 48, 17, 696, 505, 0, true},
    {"mode 4 HBlank 20000", With([](Request& q) { q.mode = 4; q.hBlank = 20000; }),
     648, 488, 16384, 17, 17032, 505, 0, true},
    {"mode 5 VBlank 5", With([](Request& q) { q.mode = 5; q.vBlank = 5; }),
     648, 488, 78, 17, 726, 505, 36, true},
    {"low power", With([](Request& q) { q.lowPower = 1; }), 648, 488, 48, 17, 696, 505, 0, true},
    {"60 fps", With([](Request& q) { q.frameRate = 60.0; }), 648, 488, 78, 17, 726, 505, 0, true},
    {"0.5 fps mode 0", With([](Request& q) { q.frameRate = 0.5; }),
     648, 488, 78, 16384, 726, 16872, 65535, true},
    {"0.5 fps mode 3", With([](Request& q) { q.frameRate = 0.5; q.mode = 3; }),
     648, 488, 78, 16384, 726, 16872, 65535, true},
    {"0.5 fps mode 4", With([](Request& q) { q.frameRate = 0.5; q.mode = 4; }),
     648, 488, 500, 16384, 1148, 16872, 65535, true},
    {"0.5 fps mode 1", With([](Request& q) { q.frameRate = 0.5; q.mode = 1; }),
     648, 488, 16384, 803, 17032, 1291, 11688, true},
    {"0.5 fps mode 2", With([](Request& q) { q.frameRate = 0.5; q.mode = 2; }),
     648, 488, 16384, 803, 17032, 1291, 11688, true},
    {"0.5 fps mode 5", With([](Request& q) { q.frameRate = 0.5; q.mode = 5; }),
     648, 488, 16384, 500, 17032, 988, 65535, true},
    {"30 fps mode 1", With([](Request& q) { q.mode = 1; }), 648, 488, 78, 17, 726, 505, 36, true},
};
// clang-format on

TEST(CalculateTiming, GeometryTable) {
    for (const auto& c : kGeometryCases) {
        SCOPED_TRACE(c.name);
        const TimingFigures t = Calc(c.request);
        EXPECT_EQ(t.activeColumns, c.a);
        EXPECT_EQ(t.activeRows, c.r);
        EXPECT_EQ(t.hBlankUsed, c.h);
        EXPECT_EQ(t.vBlankUsed, c.v);
        EXPECT_EQ(t.lineLength, c.l);
        EXPECT_EQ(t.frameLength, c.f);
        EXPECT_EQ(t.extraDelay, c.extraDelay);
        EXPECT_EQ(t.valid, c.valid);
    }
}

TEST(CalculateTiming, Defaults) {
    const TimingFigures t = Calc({});
    EXPECT_EQ(FormatDecimal(t.maxFrameClocks, 2), "366666.67");
    EXPECT_EQ(t.frameClocks, 366630);
    EXPECT_DOUBLE_EQ(t.rowTimeUs, 66.0);
    EXPECT_EQ(FormatDecimal(t.actualFrameRate, 3), "30.003");
    EXPECT_TRUE(t.rateMatched);
    EXPECT_EQ(t.coarseRows, 15.0);
    EXPECT_EQ(t.fineClocks, 110);
    EXPECT_DOUBLE_EQ(t.integrationMs, 1.0);
    EXPECT_EQ(t.fineCorrection, 18);
    EXPECT_EQ(t.divider, 1);
}

TEST(CalculateTiming, LowPower) {
    const TimingFigures t = Calc(With([](Request& q) { q.lowPower = 1; }));
    EXPECT_EQ(FormatDecimal(t.maxFrameClocks, 2), "183333.33");
    EXPECT_EQ(t.divider, 2);
    EXPECT_EQ(FormatDecimal(t.rowTimeUs, 3), "126.545");
    EXPECT_EQ(FormatDecimal(t.actualFrameRate, 3), "15.648");
    EXPECT_FALSE(t.rateMatched);
    EXPECT_EQ(FormatDecimal(t.minClockOutputMHz, 3), "42.178");
    EXPECT_EQ(t.fineCorrection, 11);
    EXPECT_EQ(t.coarseRows, 7.0);
    EXPECT_EQ(t.fineClocks, 628);
}

TEST(CalculateTiming, SixtyFramesPerSecondCannotBeMatched) {
    const TimingFigures t = Calc(With([](Request& q) { q.frameRate = 60.0; }));
    EXPECT_EQ(FormatDecimal(t.maxFrameClocks, 2), "183333.33");
    EXPECT_EQ(FormatDecimal(t.actualFrameRate, 3), "30.003");
    EXPECT_FALSE(t.rateMatched);
    EXPECT_EQ(FormatDecimal(t.minClockOutputMHz, 3), "43.996");
}

TEST(CalculateTiming, FineIntegrationLimits) {
    // 36 MHz: 9000 clocks per ms, 12 rows of 726 = 8712, 288 fine clocks.
    EXPECT_EQ(Calc(With([](Request& q) { q.systemFreq = 36.0; })).fineClocks, 288);
    // 44.2 MHz: 11050 clocks per ms, 15 rows = 10890, 160 fine clocks.
    EXPECT_EQ(Calc(With([](Request& q) { q.systemFreq = 44.2; })).fineClocks, 160);
    // 43.6 MHz: 10900 clocks per ms, 10 fine clocks are raised to the minimum of 67.
    EXPECT_EQ(Calc(With([](Request& q) { q.systemFreq = 43.6; })).fineClocks, 67);
    // 46.8 MHz: 11700 clocks per ms, 16 rows = 11616, 84 fine clocks; 40 MHz: 10000 per ms,
    // 13 rows = 9438, 562 fine clocks.
    EXPECT_EQ(Calc(With([](Request& q) { q.systemFreq = 46.8; })).fineClocks, 84);
    EXPECT_EQ(Calc(With([](Request& q) { q.systemFreq = 40.0; })).fineClocks, 562);
    // 43.5 MHz: 10875 per ms, 14 rows = 10164, 711 fine clocks exceed 726 - 49 = 677.
    EXPECT_EQ(Calc(With([](Request& q) { q.systemFreq = 43.5; })).fineClocks, 677);
}

struct WarningCase {
    const char* name;
    Request request;
    bool quiet;
    std::uint32_t warnings;
};

// clang-format off
const WarningCase kWarningCases[] = {
    {"defaults", {}, false, 0},
    {"60 fps", With([](Request& q) { q.frameRate = 60.0; }), false, 0x1},
    {"60 fps quiet", With([](Request& q) { q.frameRate = 60.0; }), true, 0},
    {"mode 4 HBlank 10", With([](Request& q) { q.mode = 4; q.hBlank = 10; }), false, 0x2},
    {"mode 4 HBlank 10 quiet", With([](Request& q) { q.mode = 4; q.hBlank = 10; }), true, 0},
    {"mode 4 HBlank 20000", With([](Request& q) { q.mode = 4; q.hBlank = 20000; }), false, 0x3},
    {"mode 4 HBlank 78", With([](Request& q) { q.mode = 4; q.hBlank = 78; }), false, 0},
    {"mode 5 VBlank 5", With([](Request& q) { q.mode = 5; q.vBlank = 5; }), false, 0x4},
    {"mode 5 VBlank 5 quiet", With([](Request& q) { q.mode = 5; q.vBlank = 5; }), true, 0},
    {"mode 5 VBlank 17", With([](Request& q) { q.mode = 5; q.vBlank = 17; }), false, 0},
    {"low power", With([](Request& q) { q.lowPower = 1; }), false, 0x1},
    {"columns 700 (n/a)", With([](Request& q) { q.columns = 700; }), false, 0x8},
    {"columns 700 (n/a) quiet", With([](Request& q) { q.columns = 700; }), true, 0},
    {"rows 0 (n/a)", With([](Request& q) { q.rows = 0; }), false, 0x10},
    {"frame rate 0 (n/a)", With([](Request& q) { q.frameRate = 0.0; }), false, 0},
};
// clang-format on

TEST(ComputeTiming, WarningBits) {
    for (const auto& c : kWarningCases) {
        SCOPED_TRACE(c.name);
        TestDocument doc;
        Request q = c.request;
        doc.m_dTargetSystemFreq = q.systemFreq;
        CImageContext& ctx = doc.Ctx();
        ctx.m_dFrameRate = q.frameRate;
        ctx.m_nOutputColumns = q.columns;
        ctx.m_nOutputRows = q.rows;
        ctx.m_bLowPower = q.lowPower;
        ctx.m_nBlankingMode = q.mode;
        ctx.m_nHBlank = q.hBlank;
        ctx.m_nVBlank = q.vBlank;
        ctx.m_nWarnings = 0;
        doc.ComputeTiming(c.quiet);
        EXPECT_EQ(ctx.m_nWarnings, c.warnings);
    }
}

TEST(ComputeTiming, WritesResultsAndRegisters) {
    TestDocument doc;
    doc.ComputeTiming(false);
    const CImageContext& ctx = doc.Ctx();
    EXPECT_TRUE(ctx.m_bTimingValid);
    EXPECT_DOUBLE_EQ(ctx.m_dRowTime, 66.0);
    EXPECT_EQ(doc.m_nActiveColumns, 648);
    EXPECT_EQ(doc.m_nActiveRows, 488);
    EXPECT_EQ(doc.m_nHBlankUsed, 78);
    EXPECT_EQ(doc.m_nVBlankUsed, 17);
    EXPECT_EQ(FormatDecimal(doc.m_dActualFrameRate, 3), "30.003");
    EXPECT_EQ(ctx.m_dMinClockOutput, 4.0); // matched: nothing stored
    EXPECT_EQ(ctx.m_bBinning, 0);
    EXPECT_EQ(doc.Reg(2), 505u);
    EXPECT_EQ(doc.Reg(3), 726u);
    EXPECT_EQ(doc.Reg(4), 18u);
}

TEST(ComputeTiming, NotAvailableTimingKeepsRegistersAndClearsTheRate) {
    TestDocument doc;
    doc.ComputeTiming(false);
    doc.Ctx().m_bLowPower = 1;
    doc.Ctx().m_nOutputColumns = 700;
    doc.Ctx().m_bBinning = 1;
    doc.ComputeTiming(false);
    EXPECT_FALSE(doc.Ctx().m_bTimingValid);
    EXPECT_EQ(doc.m_dActualFrameRate, 0.0);
    EXPECT_EQ(doc.Ctx().m_bBinning, 0);
    EXPECT_EQ(doc.Ctx().m_dMinClockOutput, 4.0);
    EXPECT_EQ(doc.Reg(3), 726u);
    EXPECT_EQ(doc.Reg(4), 18u);
    EXPECT_EQ(doc.Reg(6), 152u);
}

TEST(ComputeTiming, QuietRunLeavesWarningsButRewritesEverythingElse) {
    TestDocument doc;
    CImageContext& ctx = doc.Ctx();
    ctx.m_dFrameRate = 60.0;
    ctx.m_nBlankingMode = 4;
    ctx.m_nHBlank = 10;
    ctx.m_nWarnings = 0x100008;
    ctx.m_strTimingReport = "old";
    ctx.m_strTimingSummary = "old";
    for (auto& reg : doc.m_Registers)
        reg.m_nValue = 0xABCD;
    doc.ComputeTiming(true);
    EXPECT_EQ(ctx.m_nWarnings, 0x100008u);
    EXPECT_EQ(FormatDecimal(ctx.m_dMinClockOutput, 3), "43.996");
    EXPECT_EQ(SplitLines(ctx.m_strTimingSummary)[6], "Blanking Computation: HB = 10 then VB");
    EXPECT_EQ(SplitLines(ctx.m_strTimingReport)[12], "Frames per Sec: 30.003 fps");
    EXPECT_EQ(doc.Reg(0), 0xABCDu);
    EXPECT_EQ(doc.Reg(1), 0xABCDu);
    const std::uint32_t timingRows[] = {505, 726, 18, 7, 152, 126, 17, 19, 20, 22, 3, 4, 3};
    for (std::size_t i = 0; i < std::size(timingRows); ++i)
        EXPECT_EQ(doc.Reg(i + 2), timingRows[i]) << "row " << i + 2;
}

struct FlickerCase {
    const char* name;
    double systemFreq;
    double frameRate;
    int variableFrameRate;
    double minFrameRate;
    std::uint32_t rows[10]; // registers 5 to 14
    const char* zoneLine;
    bool warning;
};

// clang-format off
const FlickerCase kFlickerCases[] = {
    {"defaults", 44.0, 30.0, 0, 10.0, {7, 152, 126, 17, 19, 20, 22, 3, 4, 3},
     "Flicker Zone Height: 7", false},
    {"variable frame rate", 44.0, 30.0, 1, 10.0, {7, 152, 126, 17, 19, 20, 22, 10, 12, 10},
     "Flicker Zone Height: 7", false},
    {"variable frame rate 0", 44.0, 30.0, 1, 0.0, {7, 152, 126, 17, 19, 20, 22, 1, 1, 1},
     "Flicker Zone Height: 7", false},
    {"variable frame rate 200", 44.0, 30.0, 1, 200.0, {7, 152, 126, 17, 19, 20, 22, 1, 1, 1},
     "Flicker Zone Height: 7", false},
    {"15 fps", 44.0, 15.0, 0, 10.0, {7, 152, 126, 17, 19, 20, 22, 6, 8, 6},
     "Flicker Zone Height: 7", false},
    {"66 MHz", 66.0, 30.0, 0, 10.0, {10, 227, 189, 17, 19, 21, 23, 3, 4, 3},
     "Flicker Zone Height: 10", true},
};
// clang-format on

TEST(ComputeTiming, FlickerRows) {
    for (const auto& c : kFlickerCases) {
        SCOPED_TRACE(c.name);
        TestDocument doc;
        doc.m_dTargetSystemFreq = c.systemFreq;
        doc.Ctx().m_dFrameRate = c.frameRate;
        doc.Ctx().m_bVariableFrameRate = c.variableFrameRate;
        doc.Ctx().m_dMinFrameRate = c.minFrameRate;
        doc.ComputeTiming(false);
        for (std::size_t i = 0; i < 10; ++i)
            EXPECT_EQ(doc.Reg(i + 5), c.rows[i]) << "row " << i + 5;
        const auto lines = SplitLines(doc.Ctx().m_strTimingReport);
        const auto zone = std::find(lines.begin(), lines.end(), c.zoneLine);
        ASSERT_NE(zone, lines.end());
        EXPECT_EQ(*(zone + 1), c.warning ? "Warning: Flicker Detection Inoperative!" : "");
    }
}

TEST(ComputeTiming, SixtySixMegahertzFlickerPeriods) {
    const TimingFigures t = Calc(With([](Request& q) { q.systemFreq = 66.0; }));
    EXPECT_DOUBLE_EQ(t.rowTimeUs, 44.0);
    EXPECT_EQ(FormatDecimal(t.flicker.period50Rows, 2), "227.27");
    EXPECT_EQ(t.flicker.zoneHeight, 10);
    EXPECT_TRUE(t.flicker.warning);
}

TEST(ComputeTiming, NotAvailableWithSkippedRowsRaisesTheFlickerWarning) {
    TestDocument doc;
    doc.ComputeTiming(false);
    doc.Ctx().m_bAllowSkipping = 1;
    doc.Ctx().m_nOutputColumns = 700;
    doc.Ctx().m_nOutputRows = 240;
    doc.ComputeTiming(false);
    EXPECT_EQ(doc.m_nActiveRows, 244);
    EXPECT_FALSE(doc.Ctx().m_bTimingValid);
    const auto lines = SplitLines(doc.Ctx().m_strTimingReport);
    EXPECT_EQ(lines[16], "Flicker Zone Height: 4");
    EXPECT_EQ(lines[17], "Warning: Flicker Detection Inoperative!");
    EXPECT_EQ(doc.Reg(5), 7u); // unchanged from the valid run
}

TEST(CalculateFlicker, PeriodsShorterThanARowNeverDivideByZero) {
    // 17032 us rows: the 50 Hz period is 0.587 rows (rounds to 1), the 60 Hz one 0.489 (rounds
    // to 0); neither has a whole row.
    const FlickerFigures f = CalculateFlicker(17032.0, 1174, 488, true, false, 10.0);
    EXPECT_EQ(f.zoneHeight, 1);
    EXPECT_EQ(f.fdPeriod50, 1u);
    EXPECT_EQ(f.fdPeriod60, 0u);
    EXPECT_EQ(f.searchF1For50, 0u);
    EXPECT_EQ(f.searchF2For50, 1u);
    EXPECT_EQ(f.searchF1For60, 0u);
    EXPECT_EQ(f.searchF2For60, 2u);
    EXPECT_EQ(f.maxFdZone50, 1u);
    EXPECT_EQ(f.maxFdZone60, 1u);

    // 9000 us rows: the 50 Hz period has one whole row, the 60 Hz one none.
    const FlickerFigures g = CalculateFlicker(9000.0, 700, 488, true, false, 10.0);
    EXPECT_EQ(g.maxFdZone50, 700u);
    EXPECT_EQ(g.maxFdZone60, 1u);
}

TEST(ComputeTiming, LongRowsReachTheFlickerRowsThroughTheDocument) {
    TestDocument doc;
    doc.m_dTargetSystemFreq = 4.0;
    doc.Ctx().m_dFrameRate = 0.05;
    doc.Ctx().m_nBlankingMode = 1;
    doc.ComputeTiming(false);
    ASSERT_TRUE(doc.Ctx().m_bTimingValid);
    EXPECT_EQ(doc.Reg(3), 17032u);
    EXPECT_EQ(doc.Reg(2), 1174u);
    const std::uint32_t flickerRows[] = {1, 1, 0, 0, 1, 0, 2, 1, 1, 1};
    for (std::size_t i = 0; i < std::size(flickerRows); ++i)
        EXPECT_EQ(doc.Reg(i + 5), flickerRows[i]) << "row " << i + 5;
}

} // namespace
