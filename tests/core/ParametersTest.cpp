// The parameter table's checks, choices, suggestions and the document fields it fills.
#include "TestDocument.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Parameters, NumbersAreCheckedAgainstKindAndRange) {
    const struct {
        const char* key;
        double value;
        bool accepted;
    } cases[] = {
        {"frameRate", 0.0, true},      {"frameRate", 9999.0, true},
        {"frameRate", 9999.5, false},  {"frameRate", -0.001, false},
        {"frameRate", NAN, false},     {"minFrameRate", 9999999.0, true},
        {"minFrameRate", kInf, false}, {"vcoFreqMHz", -1.0, true},
        {"vcoFreqMHz", -1.5, false},   {"outputRows", 4.5, false},
        {"outputRows", 9999.0, true},  {"hBlank", 999999.0, true},
        {"hBlank", 1000000.0, false},  {"pllM", -2147483648.0, true},
        {"pllM", 2147483648.0, false}, {"hwRev", 0.0, false},
        {"blankingMode", 5.0, true},   {"blankingMode", 6.0, false},
        {"lowPower", 1.0, true},       {"lowPower", 2.0, false},
        {"outputAs", 1.0, false}, // a choice is set by name
    };
    for (const auto& c : cases) {
        ParameterSet set;
        const std::size_t index = IndexOf(*FindParameter(c.key));
        EXPECT_EQ(SetCheckedNumber(set, index, c.value), c.accepted) << c.key << " " << c.value;
        EXPECT_EQ(set.Given(index), c.accepted) << c.key << " " << c.value;
    }
    ParameterSet set;
    ASSERT_TRUE(SetCheckedNumber(set, ParameterIndex("frameRate"), -0.0));
    EXPECT_FALSE(std::signbit(set.Number(ParameterIndex("frameRate"))));
}

TEST(Parameters, ChoicesByNameAndTheCountsOfFixedBlanking) {
    ParameterSet set;
    EXPECT_TRUE(SetChoice(set, ParameterIndex("blanking"), "vb=40"));
    EXPECT_EQ(set.Number(ParameterIndex("blankingMode")), 5.0);
    EXPECT_EQ(set.Number(ParameterIndex("vBlank")), 40.0);
    EXPECT_EQ(set.Number(ParameterIndex("hBlank")), 500.0);
    EXPECT_TRUE(SetChoice(set, ParameterIndex("blanking"), "hb=N"));
    EXPECT_EQ(set.Number(ParameterIndex("blankingMode")), 4.0);
    EXPECT_EQ(set.Number(ParameterIndex("hBlank")), 500.0);
    for (const char* refused : {"hb=", "hb=-1", "hb=1000000", "hb=1.5", "HB-MIN", "hb-min "})
        EXPECT_FALSE(SetChoice(set, ParameterIndex("blanking"), refused)) << refused;
    EXPECT_TRUE(SetChoice(set, ParameterIndex("outputAs"), "fields"));
    EXPECT_EQ(set.Number(ParameterIndex("outputAs")), 0.0);
    EXPECT_STREQ(ChoiceName(Parameter("blanking"), 1.0), "hb-max");
}

TEST(Parameters, UnknownKeysSuggestTheNearestKnownOne) {
    const struct {
        const char* unknown;
        const char* suggested;
    } cases[] = {{"fps", "frameRate"},         {"min-fps", "minFrameRate"},
                 {"frameRat", "frameRate"},    {"INPUTFREQMHZ", "inputFreqMHz"},
                 {"columns", "outputColumns"}, {"standard-ini", "standardIniPath"},
                 {"hblank", "hBlank"},         {"bypass", "bypassPll"}};
    for (const auto& c : cases)
        EXPECT_STREQ(NearestParameter(c.unknown).key, c.suggested) << c.unknown;
}

TEST(Parameters, ASetLandsInTheDocumentAndTheImageContext) {
    ParameterSet set;
    set.SetNumber(ParameterIndex("inputFreqMHz"), 12.5);
    set.SetNumber(ParameterIndex("outputAs"), 0);
    set.SetNumber(ParameterIndex("frameRate"), 7.5);
    set.SetNumber(ParameterIndex("blanking"), 5);
    set.SetText(ParameterIndex("standardIniPath"), "std.ini");
    TestDocument doc;
    ApplyParameters(set, doc);
    EXPECT_EQ(doc.m_dInputFreq, 12.5);
    EXPECT_EQ(doc.m_bOutputAsRegisters, 0);
    EXPECT_EQ(doc.m_strStandardIniPath, "std.ini");
    EXPECT_EQ(doc.Ctx().m_dFrameRate, 7.5);
    EXPECT_EQ(doc.Ctx().m_nBlankingMode, 5);
    EXPECT_EQ(doc.Ctx().m_nOutputColumns, 640);
    EXPECT_EQ(doc.m_dTargetSystemFreq, 44.0);
}

TEST(Parameters, VariableFrameRateMinimumFollowsTheCheckBoxUnlessGiven) {
    EXPECT_EQ(MinFrameRateOnVariableFrameRate(15.0, 8.0), 8.0);
    EXPECT_EQ(MinFrameRateOnVariableFrameRate(15.0, 30.0), 10.0);
    ParameterSet set;
    set.SetNumber(ParameterIndex("variableFrameRate"), 1);
    set.SetNumber(ParameterIndex("frameRate"), 8);
    ApplyVariableFrameRateRule(set);
    EXPECT_EQ(set.Number(ParameterIndex("minFrameRate")), 8.0);
    set.SetNumber(ParameterIndex("minFrameRate"), 20);
    ApplyVariableFrameRateRule(set);
    EXPECT_EQ(set.Number(ParameterIndex("minFrameRate")), 20.0);
}

} // namespace
