// PLL divider search, registers, clock texts, warning bits and the clock announcement.
#include "FormatDecimal.h"
#include "PllCalc.h"
#include "TestDocument.h"

#include <gtest/gtest.h>

namespace {

struct PllCase {
    const char* name;
    double input;
    double target;
    double vco;
    int m;
    int n;
    std::uint32_t reg0;
    std::uint32_t reg1;
    std::uint32_t warnings;
    const char* outputLine; // report line 4
};

// clang-format off
const PllCase kPllCases[] = {
    {"defaults",      11.0, 44.0,   -1.0,  -1, -1, 0x0018, 0x0500, 0,
     "Actual Output Frequency: 22 MHz"},
    {"fixed N 1",     11.0, 44.0,   -1.0,  -1,  1, 0x0130, 0x0500, 0,
     "Actual Output Frequency: 22 MHz"},
    {"target 50",     11.0, 50.0,   -1.0,  -1, -1, 0x0010, 0x0300, 0x100000,
     "Actual Output Frequency: 22 MHz  (cannot match)\n(Suggested System Frequency:44 MHz)"},
    {"target 10",     11.0, 10.0,   -1.0,  -1, -1, 0x011A, 0x0D00, 0x100000,
     "Actual Output Frequency: 5.107 MHz  (cannot match)\n(Suggested System Frequency:10.214 MHz)"},
    {"input 50",      50.0, 44.0,   -1.0,  -1, -1, 0x0212, 0x0500, 0x400000,
     "Actual Output Frequency: 22 MHz"},
    {"VCO 500",       11.0, 44.0,  500.0,  -1, -1, 0x0018, 0x0500, 0x200000,
     "Actual Output Frequency: 22 MHz"},
    {"M 49 N 2",      11.0, 44.0,   -1.0,  49,  2, 0x0000, 0x0F00, 0x100000,
     "Actual Output Frequency: 0 MHz  (cannot match)\n(Suggested System Frequency:0 MHz)"},
    {"target 1043",   11.0, 1043.0, -1.0,  -1, -1, 0x0010, 0x0300, 0x100000,
     "Actual Output Frequency: 22 MHz  (cannot match)\n(Suggested System Frequency:44 MHz)"},
    {"target 1044",   11.0, 1044.0, -1.0,  -1, -1, 0x0000, 0x0F00, 0x100000,
     "Actual Output Frequency: 0 MHz  (cannot match)\n(Suggested System Frequency:0 MHz)"},
    {"input 3",        3.0, 44.0,   -1.0,  -1, -1, 0x0042, 0x0500, 0x400000,
     "Actual Output Frequency: 22 MHz"},
};
// clang-format on

TEST(CalculatePLL, SearchTable) {
    for (const auto& c : kPllCases) {
        SCOPED_TRACE(c.name);
        TestDocument doc;
        doc.m_dInputFreq = c.input;
        doc.m_dTargetSystemFreq = c.target;
        doc.m_dTargetVcoFreq = c.vco;
        doc.m_nPllM = c.m;
        doc.m_nPllN = c.n;
        doc.Ctx().m_nWarnings = 0;
        doc.CalculatePLL();
        EXPECT_EQ(doc.Reg(0), c.reg0);
        EXPECT_EQ(doc.Reg(1), c.reg1);
        EXPECT_EQ(doc.Ctx().m_nWarnings, c.warnings);
        EXPECT_EQ(SplitLines(doc.m_strClockReport).at(3), c.outputLine);
    }
}

TEST(CalculatePLL, DefaultReportAndSummary) {
    TestDocument doc;
    EXPECT_EQ(doc.m_strClockReport, "Target System Frequency: 44 MHz\r\n"
                                    "Input Clock Frequency: 11 MHz\r\n"
                                    "\r\n"
                                    "Actual Output Frequency: 22 MHz\r\n"
                                    "\r\n"
                                    "M = 24\r\n"
                                    "N = 0\r\n"
                                    "Fpdf = 11 MHz\r\n"
                                    "Fvco = 528 MHz\r\n"
                                    "P3 = 5");
    EXPECT_EQ(doc.m_strClockSummary, "Bypass PLL: Unchecked\r\n"
                                     "Input Frequency: 11.000\r\n"
                                     "Use Min Freq.: Unchecked\r\n"
                                     "Target System Frequency: 44.000\r\n"
                                     "Target VCO Frequency: Unspecified\r\n"
                                     "\"M\" Value: Unspecified\r\n"
                                     "\"N\" Value: Unspecified\r\n"
                                     "\r\n");
}

TEST(CalculatePLL, SearchPrefersTheDividerNearestToEightAmongExactMatches) {
    const PllChoice c = SearchPll(11.0, 44.0, -1.0, -1, -1);
    EXPECT_EQ(c.n, 0);
    EXPECT_EQ(c.m, 24);
    EXPECT_EQ(c.d, 6);
    EXPECT_DOUBLE_EQ(c.fvcoMHz, 528.0);
    const PllChoice input50 = SearchPll(ClampPllInput(50.0), 44.0, -1.0, -1, -1);
    EXPECT_EQ(input50.n, 2);
    EXPECT_EQ(input50.m, 18);
    EXPECT_EQ(input50.d, 6);
    EXPECT_EQ(FormatDecimal(input50.fpdfMHz, 3), "14.667");
}

TEST(CalculatePLL, InputOutsideTheRangeIsClampedAndMarked) {
    TestDocument doc;
    doc.m_dInputFreq = 50.0;
    doc.CalculatePLL();
    const auto lines = SplitLines(doc.m_strClockReport);
    EXPECT_EQ(lines[1], "Input Clock Frequency: 44 MHz  (cannot match)");
    EXPECT_EQ(lines[7], "Fpdf = 14.667 MHz");
    EXPECT_EQ(lines[8], "Fvco = 528 MHz");
    EXPECT_EQ(SplitLines(doc.m_strClockSummary)[1], "Input Frequency: 50.000");
}

TEST(CalculatePLL, UnmatchedVcoTargetMarksTheLastLine) {
    TestDocument doc;
    doc.m_dTargetVcoFreq = 500.0;
    doc.CalculatePLL();
    EXPECT_EQ(SplitLines(doc.m_strClockReport).back(), "P3 = 5  (cannot match)");
    EXPECT_EQ(SplitLines(doc.m_strClockSummary)[4], "Target VCO Frequency: 500.000");
}

TEST(CalculatePLL, NothingFoundReportsZeros) {
    TestDocument doc;
    doc.m_nPllM = 49;
    doc.m_nPllN = 2;
    doc.CalculatePLL();
    EXPECT_EQ(
        doc.m_strClockReport,
        "Target System Frequency: 44 MHz\r\n"
        "Input Clock Frequency: 11 MHz\r\n"
        "\r\n"
        "Actual Output Frequency: 0 MHz  (cannot match)\n(Suggested System Frequency:0 MHz)\r\n"
        "\r\n"
        "M = 0\r\n"
        "N = 0\r\n"
        "Fpdf = 0 MHz\r\n"
        "Fvco = 0 MHz\r\n"
        "P3 = -1");
    const auto summary = SplitLines(doc.m_strClockSummary);
    EXPECT_EQ(summary[5], "\"M\" Value: 49");
    EXPECT_EQ(summary[6], "\"N\" Value: 2");
}

TEST(CalculatePLL, UseMinFreqDropsTheTargetLineAndNeverMarksTheOutput) {
    TestDocument doc;
    doc.m_bUseMinFreq = 1;
    // No clock gives a timing for 0 columns, so the target stays as entered, out of reach.
    doc.Ctx().m_nOutputColumns = 0;
    doc.m_dTargetSystemFreq = 50.0;
    doc.Ctx().m_nWarnings = 0;
    doc.Ctx().m_strTimingReport.clear();
    doc.CalculatePLL();
    EXPECT_EQ(doc.Ctx().m_nWarnings, 0u);
    EXPECT_EQ(doc.Reg(0), 0x0010u);
    const auto report = SplitLines(doc.m_strClockReport);
    EXPECT_EQ(report[0], "Target System Frequency: 50 MHz");
    EXPECT_EQ(report[1], "     (using minimum based on image timing requirements)");
    EXPECT_EQ(report[4], "Actual Output Frequency: 22 MHz");
    EXPECT_EQ(doc.m_strClockSummary, "Bypass PLL: Unchecked\r\n"
                                     "Input Frequency: 11.000\r\n"
                                     "Use Min Freq.: Checked\r\n"
                                     "Target VCO Frequency: Unspecified\r\n"
                                     "\"M\" Value: Unspecified\r\n"
                                     "\"N\" Value: Unspecified\r\n"
                                     "\r\n");
}

TEST(CalculatePLL, BypassUsesTheClampedInputAndKeepsTheRegisters) {
    const struct {
        double input;
        double system;
        const char* report;
    } cases[] = {
        {11.0, 11.0, "PLL Bypassed: System Output Clock = 5.500 MHz"},
        {60.0, 44.0, "PLL Bypassed: System Output Clock = 22 MHz"},
        {1.0, 4.0, "PLL Bypassed: System Output Clock = 2 MHz"},
    };
    for (const auto& c : cases) {
        TestDocument doc;
        doc.m_Registers[0].m_nValue = 0x1234;
        doc.m_Registers[1].m_nValue = 0x0700;
        doc.m_bBypassPll = 1;
        doc.m_dInputFreq = c.input;
        doc.Ctx().m_nWarnings = 0;
        doc.CalculatePLL();
        EXPECT_EQ(doc.m_dTargetSystemFreq, c.system);
        EXPECT_EQ(doc.m_strClockReport, c.report);
        EXPECT_EQ(doc.m_strClockSummary, "Bypass PLL: Checked\r\n\r\n");
        EXPECT_EQ(doc.Reg(0), 0x1234u);
        EXPECT_EQ(doc.Reg(1), 0x0700u);
        EXPECT_EQ(doc.Ctx().m_nWarnings, 0u);
    }
}

} // namespace
