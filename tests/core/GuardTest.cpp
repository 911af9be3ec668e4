// Inputs no form offers (NaN, infinities, negative and huge values) stay defined and sensible.
#include "TestDocument.h"
#include "Truncate.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>

namespace {

const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
const double kOddDoubles[] = {kNan,  kInf,    -kInf,    -44.0, 0.0,   1e-300,
                              1e300, DBL_MAX, -DBL_MAX, 44.0,  0.001, 1e9};
const int kOddInts[] = {INT_MIN, -1, 0, 1, 640, INT_MAX};

void ExpectSaneTiming(const TestDocument& doc) {
    const CImageContext& ctx = doc.m_Contexts[0];
    EXPECT_GE(doc.m_nHBlankUsed, 48);
    EXPECT_LE(doc.m_nHBlankUsed, 16384);
    EXPECT_GE(doc.m_nVBlankUsed, 17);
    EXPECT_LE(doc.m_nVBlankUsed, 16384);
    EXPECT_EQ(ctx.m_strTimingReport.substr(0, 16), "Max Frame Time: ");
    EXPECT_NE(ctx.m_strTimingReport.find("\r\nHW Rev: 2"), std::string::npos);
    EXPECT_EQ(ctx.m_strTimingReport.find("nan"), std::string::npos);
    EXPECT_EQ(ctx.m_strTimingReport.find("inf"), std::string::npos);
}

TEST(Truncation, SaturatesInsteadOfOverflowing) {
    const struct {
        double x;
        int expected;
    } cases[] = {{kNan, 0},        {kInf, INT_MAX},   {-kInf, INT_MIN},
                 {1e300, INT_MAX}, {-1e300, INT_MIN}, {2147483647.9, INT_MAX},
                 {-2.9, -2},       {2.9, 2},          {-2147483648.5, INT_MIN}};
    for (const auto& c : cases)
        EXPECT_EQ(TruncToInt(c.x), c.expected) << c.x;
}

TEST(TimingGuards, ClockAndFrameRateExtremes) {
    for (double freq : kOddDoubles)
        for (double fps : kOddDoubles)
            for (int mode = -1; mode <= 6; ++mode)
                for (int lowPower = 0; lowPower <= 1; ++lowPower) {
                    TestDocument doc;
                    doc.m_dTargetSystemFreq = freq;
                    doc.Ctx().m_dFrameRate = fps;
                    doc.Ctx().m_nBlankingMode = mode;
                    doc.Ctx().m_bLowPower = lowPower;
                    doc.Ctx().m_bVariableFrameRate = mode % 2;
                    doc.ComputeTiming(false);
                    SCOPED_TRACE(testing::Message() << "freq " << freq << " fps " << fps << " mode "
                                                    << mode << " lp " << lowPower);
                    ExpectSaneTiming(doc);
                    EXPECT_GE(doc.m_nActiveColumns, 162);
                    if (!(freq > 0.0)) {
                        EXPECT_FALSE(doc.Ctx().m_bTimingValid);
                    }
                }
}

TEST(TimingGuards, BlankingAndSizeExtremes) {
    for (int value : kOddInts)
        for (int mode = 0; mode <= 5; ++mode)
            for (int skipping = 0; skipping <= 1; ++skipping) {
                TestDocument doc;
                CImageContext& ctx = doc.Ctx();
                ctx.m_nBlankingMode = mode;
                ctx.m_nHBlank = value;
                ctx.m_nVBlank = value;
                ctx.m_nOutputColumns = value;
                ctx.m_nOutputRows = value;
                ctx.m_bAllowSkipping = skipping;
                doc.ComputeTiming(false);
                SCOPED_TRACE(testing::Message() << "value " << value << " mode " << mode);
                ExpectSaneTiming(doc);
                EXPECT_EQ(ctx.m_bTimingValid, value >= 1 && value <= 488);
            }
}

TEST(TimingGuards, MinimumFrameRateExtremes) {
    const struct {
        double minFps;
        std::uint32_t periods50;
        std::uint32_t periods60;
    } cases[] = {
        {kNan, 1, 1},  {kInf, 1, 1},    {-kInf, 1, 1},    {-44.0, 1, 1}, {0.0, 1, 1},
        {1e300, 1, 1}, {DBL_MAX, 1, 1}, {-DBL_MAX, 1, 1}, {44.0, 2, 2},  {1e-300, INT_MAX, INT_MAX},
    };
    for (const auto& c : cases) {
        TestDocument doc;
        doc.Ctx().m_bVariableFrameRate = 1;
        doc.Ctx().m_dMinFrameRate = c.minFps;
        doc.ComputeTiming(false);
        SCOPED_TRACE(c.minFps);
        EXPECT_EQ(doc.Reg(12), c.periods50);
        EXPECT_EQ(doc.Reg(13), c.periods60);
        EXPECT_EQ(doc.Reg(14), c.periods50);
    }
}

TEST(TimingGuards, NegativeClockAndNegativeFrameRateGiveNoTiming) {
    TestDocument doc;
    doc.m_dTargetSystemFreq = -44.0;
    doc.Ctx().m_dFrameRate = -30.0;
    doc.ComputeTiming(false);
    EXPECT_FALSE(doc.Ctx().m_bTimingValid);
    EXPECT_EQ(doc.Reg(3), 726u); // still the table's value
}

TEST(TimingGuards, HugeClockAndFrameRateStayDefined) {
    TestDocument doc;
    doc.m_dTargetSystemFreq = 1e300;
    doc.Ctx().m_dFrameRate = 1e300;
    doc.ComputeTiming(false);
    ASSERT_TRUE(doc.Ctx().m_bTimingValid);
    EXPECT_EQ(doc.Reg(3), 726u);
    EXPECT_EQ(doc.Reg(5), static_cast<std::uint32_t>(INT_MAX / 24 + 1));
    EXPECT_EQ(doc.Reg(12), 1u);
    ExpectSaneTiming(doc);
}

TEST(PllGuards, ParameterExtremes) {
    for (double input : kOddDoubles)
        for (double target : kOddDoubles)
            for (double vco : {-1.0, kNan, kInf, 0.0, 528.0})
                for (int mn : {-1, INT_MIN, INT_MAX, 0, 24}) {
                    TestDocument doc;
                    doc.m_dInputFreq = input;
                    doc.m_dTargetSystemFreq = target;
                    doc.m_dTargetVcoFreq = vco;
                    doc.m_nPllM = mn;
                    doc.m_nPllN = mn == 24 ? -1 : mn;
                    doc.CalculatePLL();
                    SCOPED_TRACE(testing::Message() << input << " " << target << " " << vco);
                    EXPECT_LE(doc.Reg(0), 0x3FFFu);
                    EXPECT_EQ(doc.Reg(1) & ~0x0F00u, 0u);
                    EXPECT_EQ(doc.m_strClockReport.find("nan"), std::string::npos);
                }
}

TEST(PllGuards, NanInputCountsAsBelowTheRange) {
    TestDocument doc;
    doc.m_dInputFreq = kNan;
    doc.Ctx().m_nWarnings = 0;
    doc.CalculatePLL();
    EXPECT_EQ(SplitLines(doc.m_strClockReport)[1], "Input Clock Frequency: 4 MHz  (cannot match)");
    EXPECT_TRUE(doc.Ctx().m_nWarnings & kWarnInputFreq);
}

TEST(PllGuards, NanTargetFindsNoSetting) {
    TestDocument doc;
    doc.m_dTargetSystemFreq = kNan;
    doc.CalculatePLL();
    EXPECT_EQ(doc.Reg(0), 0u);
    EXPECT_EQ(doc.Reg(1), 0x0F00u);
}

} // namespace
