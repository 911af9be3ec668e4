// The PLL candidate list, the choice CalculatePLL makes from it, and "Use Min. Freq.".
#include "FormatDecimal.h"
#include "PllCalc.h"
#include "TestDocument.h"
#include "TimingCalc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>

namespace {

using Setting = std::tuple<int, int, int>; // N, M, D

Setting SettingOf(const PllCandidate& c) {
    return {c.n, c.m, c.divider};
}

std::vector<Setting> ExactSettings(const std::vector<PllCandidate>& list) {
    std::vector<Setting> exact;
    for (const PllCandidate& c : list) {
        if (c.exact)
            exact.push_back(SettingOf(c));
    }
    return exact;
}

// The selection rule of the clock search, written out on its own: best at-or-above candidate
// (exact matches prefer the divider nearest to 8), else the best below one, errors from 1000.
std::optional<Setting> ReferenceChoice(const PllRequest& q) {
    const double fin = q.inputMHz < 4.0 || std::isnan(q.inputMHz) ? 4.0
                       : q.inputMHz > 44.0                        ? 44.0
                                                                  : q.inputMHz;
    std::optional<Setting> above, below;
    double aboveError = 1000.0, belowError = 1000.0;
    int aboveD = 0;
    for (int n = 0; n <= 63; ++n) {
        const double fpdf = fin / (n + 1);
        if ((q.fixedN != -1 && q.fixedN != n) || fpdf < 4.0 || fpdf > 17.5)
            continue;
        for (int m = 16; m <= 70; ++m) {
            const double fvco = 2.0 * m * fpdf;
            if ((q.fixedM != -1 && q.fixedM != m) || fvco < 280.0 || fvco > 560.0)
                continue;
            for (int d : {1, 2, 4, 6, 8, 10, 12, 14, 16}) {
                const double fout = fvco / (2 * d);
                if (fout < 4.0 || fout > 44.0)
                    continue;
                const double vco = q.targetVcoMHz == -1.0 ? fvco : q.targetVcoMHz;
                const double e = std::fabs(fvco - vco) + std::fabs(fout - q.targetMHz);
                if (fout >= q.targetMHz) {
                    if (e < aboveError || (e == 0.0 && std::abs(d - 8) < std::abs(aboveD - 8))) {
                        above = Setting{n, m, d};
                        aboveError = e;
                        aboveD = d;
                    }
                } else if (e < belowError) {
                    below = Setting{n, m, d};
                    belowError = e;
                }
            }
        }
    }
    return above ? above : below;
}

TEST(PllSolutions, DefaultsListFourExactCandidatesAndPickTheDividerNearestToEight) {
    const std::vector<PllCandidate> list = ListPllCandidates({});
    EXPECT_EQ(list.size(), 215u);
    EXPECT_EQ(ExactSettings(list),
              (std::vector<Setting>{{0, 16, 4}, {0, 24, 6}, {1, 32, 4}, {1, 48, 6}}));
    const PllChoice chosen = ChosenPll(list);
    EXPECT_EQ(Setting(chosen.n, chosen.m, chosen.d), Setting(0, 24, 6));

    const PllCandidate& c =
        *std::find_if(list.begin(), list.end(), [](const PllCandidate& x) { return x.chosen; });
    EXPECT_EQ(c.p3, 5);
    EXPECT_EQ(c.fpdfMHz, 11.0);
    EXPECT_EQ(c.fvcoMHz, 528.0);
    EXPECT_EQ(c.systemFreqMHz, 44.0);
    EXPECT_EQ(c.outputClockMHz, 22.0);
    EXPECT_EQ(c.errorMHz, 0.0);
    EXPECT_EQ(c.errorPpm, 0.0);
    EXPECT_FALSE(c.vcoErrorMHz.has_value());
}

TEST(PllSolutions, CountsFixedValuesAndErrors) {
    EXPECT_EQ(ListPllCandidates({.inputMHz = 44.0}).size(), 1190u);
    EXPECT_TRUE(ListPllCandidates({.fixedM = 49, .fixedN = 2}).empty());
    const std::vector<PllCandidate> n1 = ListPllCandidates({.fixedN = 1});
    ASSERT_FALSE(n1.empty());
    for (const PllCandidate& c : n1)
        EXPECT_EQ(c.n, 1);

    // Target 40, VCO 500: the (N 0, M 16, D 4) row misses by +4 MHz, 100000 ppm, and 148 MHz VCO.
    const std::vector<PllCandidate> list =
        ListPllCandidates({.targetMHz = 40.0, .targetVcoMHz = 500.0});
    const PllCandidate& row = list.front();
    ASSERT_EQ(SettingOf(row), Setting(0, 16, 4));
    EXPECT_DOUBLE_EQ(row.errorMHz, 4.0);
    EXPECT_DOUBLE_EQ(*row.errorPpm, 100000.0);
    EXPECT_DOUBLE_EQ(*row.vcoErrorMHz, 148.0);
    EXPECT_FALSE(row.exact);

    // Without a target there is no relative error.
    for (const PllCandidate& c : ListPllCandidates({.targetMHz = 0.0}))
        EXPECT_FALSE(c.errorPpm.has_value());
}

TEST(PllSolutions, ListingOrderIsErrorThenDividerNearEightThenVisitOrder) {
    std::vector<PllCandidate> list = ListPllCandidates({});
    SortForListing(list);
    std::vector<Setting> top(4);
    std::transform(list.begin(), list.begin() + 4, top.begin(), SettingOf);
    EXPECT_EQ(top, (std::vector<Setting>{{0, 24, 6}, {1, 48, 6}, {0, 16, 4}, {1, 32, 4}}));
    for (std::size_t i = 1; i < list.size(); ++i)
        EXPECT_LE(std::fabs(list[i - 1].errorMHz), std::fabs(list[i].errorMHz));
}

// Over many random clock parameters: the list holds only settings within every limit, in visit
// order, and its marked candidate is the rule's choice and exactly what CalculatePLL writes.
TEST(PllSolutions, ChosenCandidateIsWhatCalculatePllWrites) {
    std::mt19937 random(20261209);
    const auto pick = [&random](std::initializer_list<double> values) {
        std::uniform_int_distribution<std::size_t> index(0, values.size() - 1);
        return *(values.begin() + index(random));
    };
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    std::uniform_int_distribution<int> anyM(12, 74), anyN(0, 66);
    TestDocument doc;
    for (int round = 0; round < 1500; ++round) {
        PllRequest q;
        q.inputMHz = pick({11.0, 44.0, 27.0, 12.5, 3.0, 50.0, 2.0 + 48.0 * uniform(random)});
        q.targetMHz = pick({44.0, 22.0, 0.0, 50.0, 1043.0, 1044.0, 60.0 * uniform(random),
                            44.0 + 100.0 * uniform(random)});
        q.targetVcoMHz =
            uniform(random) < 0.6 ? -1.0 : pick({500.0, 9999.0, 250.0 + 350.0 * uniform(random)});
        q.fixedM = uniform(random) < 0.7 ? -1 : anyM(random);
        q.fixedN = uniform(random) < 0.7 ? -1 : anyN(random);
        SCOPED_TRACE(testing::Message()
                     << "round " << round << ": in " << q.inputMHz << " T " << q.targetMHz << " V "
                     << q.targetVcoMHz << " M " << q.fixedM << " N " << q.fixedN);

        const std::vector<PllCandidate> list = ListPllCandidates(q);
        int chosenCount = 0;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const PllCandidate& c = list[i];
            ASSERT_EQ(c.visitIndex, static_cast<int>(i));
            ASSERT_TRUE(c.fpdfMHz >= 4.0 && c.fpdfMHz <= 17.5);
            ASSERT_TRUE(c.fvcoMHz >= 280.0 && c.fvcoMHz <= 560.0);
            ASSERT_TRUE(c.systemFreqMHz >= 4.0 && c.systemFreqMHz <= 44.0);
            ASSERT_TRUE(q.fixedM == -1 || c.m == q.fixedM);
            ASSERT_TRUE(q.fixedN == -1 || c.n == q.fixedN);
            ASSERT_EQ(c.p3, c.divider - 1);
            ASSERT_EQ(c.outputClockMHz * 2, c.systemFreqMHz);
            ASSERT_EQ(c.errorPpm.has_value(), q.targetMHz != 0.0);
            ASSERT_EQ(c.vcoErrorMHz.has_value(), q.targetVcoMHz != -1.0);
            ASSERT_EQ(c.exact, FrequenciesMatch(q.targetMHz, c.systemFreqMHz));
            chosenCount += c.chosen ? 1 : 0;
        }
        ASSERT_LE(chosenCount, 1);
        const PllChoice chosen = ChosenPll(list);
        const std::optional<Setting> reference = ReferenceChoice(q);
        ASSERT_EQ(chosenCount == 1, reference.has_value());
        if (reference) {
            ASSERT_EQ(Setting(chosen.n, chosen.m, chosen.d), *reference);
        }

        doc.m_dInputFreq = q.inputMHz;
        doc.m_dTargetSystemFreq = q.targetMHz;
        doc.m_dTargetVcoFreq = q.targetVcoMHz;
        doc.m_nPllM = q.fixedM;
        doc.m_nPllN = q.fixedN;
        doc.CalculatePLL();
        const std::uint32_t reg0 =
            reference ? (std::get<0>(*reference) << 8) | std::get<1>(*reference) : 0;
        const std::uint32_t reg1 = reference ? (std::get<2>(*reference) - 1) << 8 : 0x0F00;
        ASSERT_EQ(doc.Reg(0), reg0);
        ASSERT_EQ(doc.Reg(1), reg1);
    }
}

struct MinFreqCase {
    const char* name;
    double frameRate;
    int outputColumns;
    double enteredMHz;
    double targetMHz;
    const char* reportTarget;
    std::uint32_t reg0; // 0 with reg1 0: not checked
    std::uint32_t reg1;
};

// clang-format off
const MinFreqCase kMinFreqCases[] = {
    {"30 fps",    30.0, 640, 40.0, 44.0,   "Target System Frequency: 44 MHz",    0x0018, 0x0500},
    {"15 fps",    15.0, 640, 44.0, 22.0,   "Target System Frequency: 22 MHz",    0x0010, 0x0700},
    {"5 fps",      5.0, 640, 44.0, 8.9375, "Target System Frequency: 8.938 MHz", 0x011A, 0x0F00},
    {"0 columns", 30.0,   0, 40.0, 40.0,   "Target System Frequency: 40 MHz",    0,      0},
    {"200 fps",  200.0, 640, 30.0, 30.0,   "Target System Frequency: 30 MHz",    0,      0},
};
// clang-format on

TEST(UseMinFreq, TargetBecomesTheLowestClockThatGivesTheFrameRate) {
    for (const MinFreqCase& c : kMinFreqCases) {
        SCOPED_TRACE(c.name);
        TestDocument doc;
        doc.m_bUseMinFreq = 1;
        doc.Ctx().m_dFrameRate = c.frameRate;
        doc.Ctx().m_nOutputColumns = c.outputColumns;
        doc.m_dTargetSystemFreq = c.enteredMHz;
        Recalculate(doc, UserChange::ClockSettings);
        EXPECT_EQ(doc.m_dTargetSystemFreq, c.targetMHz);
        const auto report = SplitLines(doc.m_strClockReport);
        EXPECT_EQ(report.at(0), c.reportTarget);
        EXPECT_EQ(report.at(1), "     (using minimum based on image timing requirements)");
        EXPECT_EQ(doc.Ctx().m_nWarnings & kWarnClockBits, 0u);
        if (c.reg0 != 0 || c.reg1 != 0) {
            EXPECT_EQ(doc.Reg(0), c.reg0);
            EXPECT_EQ(doc.Reg(1), c.reg1);
        }
    }
}

// Over a table of image requests: the clock found gives the rate, and no lower candidate does.
TEST(UseMinFreq, NoLowerCandidateGivesTheRate) {
    const std::vector<PllCandidate> list = ListPllCandidates({});
    for (const double fps : {55.0, 36.67, 27.5, 22.0, 15.8, 14.645, 12.25, 9.5, 7.32, 5.11, 1.0}) {
        for (const int lowPower : {0, 1}) {
            for (const int mode : {kBlankHMinThenV, kBlankHMaxThenV, kBlankHFixedThenV}) {
                CImageContext ctx;
                ApplyImageFormDefaults(ctx);
                ctx.m_dFrameRate = fps;
                ctx.m_bLowPower = lowPower;
                ctx.m_nBlankingMode = mode;
                SCOPED_TRACE(testing::Message()
                             << fps << " fps, low power " << lowPower << ", mode " << mode);
                const std::optional<double> found = FindMinimumSystemFreq(list, ctx);
                for (const PllCandidate& c : list) {
                    const TimingFigures t = CalculateTiming(ctx, c.systemFreqMHz);
                    const bool gives = t.valid && t.rateMatched;
                    if (found && c.systemFreqMHz == *found) {
                        EXPECT_TRUE(gives);
                    }
                    if (!found || c.systemFreqMHz < *found) {
                        EXPECT_FALSE(gives) << c.systemFreqMHz;
                    }
                }
            }
        }
    }
}

TEST(UseMinFreq, TheDocumentRegistersAndTextsAreLeftToTheCalculations) {
    TestDocument doc;
    doc.Ctx().m_dFrameRate = 15.0;
    const std::string timingReport = doc.Ctx().m_strTimingReport;
    const std::uint32_t frameLength = doc.Reg(kRowFrameLengthLines);
    EXPECT_EQ(FindMinimumSystemFreq(ListPllCandidates(PllRequestOf(doc)), doc.Ctx()), 22.0);
    EXPECT_EQ(doc.Ctx().m_strTimingReport, timingReport);
    EXPECT_EQ(doc.Reg(kRowFrameLengthLines), frameLength);
    EXPECT_EQ(doc.m_dTargetSystemFreq, 44.0);
}

} // namespace
