// Decimal rounding, frequency matching and the printf-equivalent conversions, in any locale.
#include "FormatDecimal.h"
#include "TestDocument.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>

namespace {

struct DecimalCase {
    double value;
    int decimals;
    const char* text;
};

TEST(FormatDecimal, RoundsHalfAwayFromZeroAndDropsZeroDecimals) {
    const DecimalCase cases[] = {
        {44.0, 3, "44"},         {5.5, 3, "5.500"},
        {3.6666666, 3, "3.667"}, {44.0005, 3, "44.001"},
        {44.0004999, 3, "44"},   {0.0004, 3, "0"},
        {0.0005, 3, "0.001"},    {12.345, 2, "12.35"},
        {0.29, 2, "0.29"},       {24.0, 0, "24"},
        {-1.5, 1, "-1.5"},       {-1.0, 0, "-1"},
        {-0.0004, 3, "0"},       {0.05, 3, "0.050"},
        {-2.5, 0, "-3"},         {126.26262626, 2, "126.26"},
        {33.33, 6, "33.330000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDecimal(c.value, c.decimals), c.text) << c.value << " with " << c.decimals;
}

TEST(FormatDecimal, PrintsLargeValuesWhoseScaledFormExceeds32Bits) {
    const DecimalCase cases[] = {
        {5000000.0, 3, "5000000"},
        {3000000000.5, 1, "3000000000.5"},
        {-4294967296.25, 2, "-4294967296.25"},
        {123456789012.345, 2, "123456789012.35"},
        {4294967295.0, 0, "4294967295"},
        {1e15, 3, "1000000000000000"},
        {1e20, 3, "100000000000000000000"},
        {-1e20, 0, "-100000000000000000000"},
        {1.5, 40, "1.500000000000000000"},
        {2.0, -3, "2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDecimal(c.value, c.decimals), c.text) << c.value << " with " << c.decimals;
    EXPECT_EQ(FormatDecimal(1e300, 3).size(), 301u);
    EXPECT_EQ(FormatDecimal(1e300, 3).substr(0, 4), "1000");
}

TEST(FormatDecimal, WritesNotAvailableForNonFiniteValues) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatDecimal(std::nan(""), 3), "n/a");
    EXPECT_EQ(FormatDecimal(inf, 0), "n/a");
    EXPECT_EQ(FormatDecimal(-inf, 2), "n/a");
}

TEST(FrequenciesMatch, ComparesThreeDecimalTexts) {
    struct MatchCase {
        double a, b;
        bool match;
    };
    const MatchCase cases[] = {
        {44.0, 44.0004, true}, {44.0, 44.0006, false}, {11.0, 11.0, true},
        {4.0, 3.9, false},     {528.0, 500.0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FrequenciesMatch(c.a, c.b), c.match) << c.a << " vs " << c.b;
}

// Matching is defined by the texts; the matcher's shortcut over rounded values must agree with
// them everywhere, non-finite and huge values included.
TEST(FrequenciesMatch, AgreesWithTheTextsForAnyPair) {
    const double inf = std::numeric_limits<double>::infinity();
    const double values[] = {0.0,
                             -0.0,
                             0.0004,
                             -0.00001,
                             4.0,
                             10.214285714285714,
                             22.0,
                             44.0,
                             44.0004,
                             44.00049,
                             44.0005,
                             1043.0,
                             9999.0,
                             1e12,
                             9.007199254740992e12,
                             9.007199254740993e12,
                             1e300,
                             -1e300,
                             inf,
                             -inf,
                             NAN};
    for (const double a : values) {
        const FrequencyMatcher matcher(a);
        for (const double b : values) {
            const bool sameText = FormatDecimal(a + 0.00001, 3) == FormatDecimal(b + 0.00001, 3);
            EXPECT_EQ(matcher.Matches(b), sameText) << a << " vs " << b;
            EXPECT_EQ(FrequenciesMatch(a, b), sameText) << a << " vs " << b;
        }
    }
}

TEST(PrintfConversions, MatchTheCLibraryInTheCLocale) {
    EXPECT_EQ(FormatFixed(11.0, 3), "11.000");
    EXPECT_EQ(FormatFixed(-1.0, 3), "-1.000");
    EXPECT_EQ(FormatFixed(0.0005, 3), "0.001");
    EXPECT_EQ(FormatFixed(2.5, 0), "2");
    EXPECT_EQ(FormatFixed(1.0, 6), "1.000000");
    EXPECT_EQ(FormatGeneral(33.333333333), "33.3333");
    EXPECT_EQ(FormatGeneral(1000.0 / 60.0), "16.6667");
    EXPECT_EQ(FormatGeneral(100.0), "100");
    EXPECT_EQ(FormatGeneral(1234567.0), "1.23457e+06");
    EXPECT_EQ(FormatGeneral(0.00001234), "1.234e-05");
    EXPECT_EQ(FormatGeneral(0.5), "0.5");
    EXPECT_EQ(FormatInt(-42), "-42");
    EXPECT_EQ(FormatInt(366630), "366630");
}

// Restores the process locale after a test that changed it.
class CommaDecimalLocale : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
            if (std::setlocale(LC_ALL, name)) {
                try {
                    m_previous = std::locale::global(std::locale(name));
                    m_set = true;
                } catch (const std::runtime_error&) {
                }
                break;
            }
        }
        if (!m_set)
            GTEST_SKIP() << "no comma-decimal locale installed (localedef -i de_DE -f UTF-8 "
                            "de_DE.UTF-8)";
    }
    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        if (m_set)
            std::locale::global(m_previous);
    }

private:
    std::locale m_previous;
    bool m_set = false;
};

TEST_F(CommaDecimalLocale, ReportsKeepDecimalPoints) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", 44.0);
    ASSERT_STREQ(buf, "44,000") << "the locale does not use a decimal comma";

    EXPECT_EQ(FormatFixed(44.0, 3), "44.000");
    EXPECT_EQ(FormatGeneral(33.333333333), "33.3333");
    EXPECT_EQ(FormatDecimal(5.5, 3), "5.500");

    TestDocument doc;
    doc.ComputeTiming(false);
    const auto summary = SplitLines(doc.m_strClockSummary);
    EXPECT_EQ(summary[1], "Input Frequency: 11.000");
    EXPECT_EQ(summary[3], "Target System Frequency: 44.000");
    const auto report = SplitLines(doc.Ctx().m_strTimingReport);
    EXPECT_EQ(report[0], "Max Frame Time: 33.3333 msec");
    EXPECT_EQ(report[1], "Max Frame Clocks: 366666.6 clocks (11 MHz)");
    EXPECT_EQ(report[12], "Frames per Sec: 30.003 fps");
    EXPECT_EQ(report[14], "50Hz Flicker Period: 151.52 lines");
    const auto timingSummary = SplitLines(doc.Ctx().m_strTimingSummary);
    EXPECT_EQ(timingSummary[0], "Requested Frames Per Second: 30.000");
    EXPECT_EQ(timingSummary[4], "Integration Time: 1.000000 msec.");
}

} // namespace
