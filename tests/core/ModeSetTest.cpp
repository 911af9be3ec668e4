// Mode sets: the mode switch between random modes, and sets refused whole.
#include "ModeSet.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

// A random request from the ranges a camera mode uses; a bypassed PLL now and then, so that the
// switch also meets settings files without the PLL rows.
ParameterSet RandomRequest(std::mt19937& random) {
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const double inputs[] = {6.0, 11.0, 12.0, 24.0, 27.0};
    const double systems[] = {24.0, 44.0, 48.0, 64.0};
    ParameterSet set;
    EXPECT_TRUE(SetCheckedNumber(set, ParameterIndex("inputFreqMHz"), inputs[pick(0, 4)]));
    EXPECT_TRUE(SetCheckedNumber(set, ParameterIndex("systemFreqMHz"), systems[pick(0, 3)]));
    EXPECT_TRUE(SetCheckedNumber(set, ParameterIndex("frameRate"), pick(50, 300) / 10.0));
    EXPECT_TRUE(SetCheckedNumber(set, ParameterIndex("outputColumns"), pick(16, 648)));
    EXPECT_TRUE(SetCheckedNumber(set, ParameterIndex("outputRows"), pick(16, 488)));
    EXPECT_TRUE(SetCheckedNumber(set, ParameterIndex("allowSkipping"), pick(0, 1)));
    EXPECT_TRUE(SetCheckedNumber(set, ParameterIndex("lowPower"), pick(0, 1)));
    EXPECT_TRUE(SetCheckedNumber(set, ParameterIndex("variableFrameRate"), pick(0, 1)));
    EXPECT_TRUE(SetCheckedNumber(set, ParameterIndex("blankingMode"), pick(0, 3)));
    EXPECT_TRUE(SetCheckedNumber(set, ParameterIndex("bypassPll"), pick(0, 5) == 0));
    ApplyVariableFrameRateRule(set);
    return set;
}

Mode RandomValidMode(std::mt19937& random) {
    for (;;) {
        Mode mode = ComputeMode("random", RandomRequest(random));
        if (mode.figures.valid)
            return mode;
    }
}

TEST(ModeSwitch, TakesEveryRandomModeToAnyOtherInTheSettingsFileOrder) {
    std::mt19937 random(25);
    for (int pair = 0; pair < 150; ++pair) {
        const Mode from = RandomValidMode(random);
        const Mode to = RandomValidMode(random);
        SCOPED_TRACE("pair " + std::to_string(pair));
        std::vector<std::uint32_t> values;
        for (const CRegister& reg : from.registers)
            values.push_back(reg.m_nValue);
        std::size_t previousRow = 0;
        for (const RegisterWrite& write : ModeSwitch(from, to)) {
            // The table lists the PLL group first, so the settings file's order is row order.
            if (write.row != 0) {
                EXPECT_GT(write.row, previousRow);
            }
            previousRow = write.row;
            EXPECT_TRUE(SettingsFileHolds(to, write.row));
            // No write is wasted: the camera holds another value or none known.
            EXPECT_TRUE(!SettingsFileHolds(from, write.row) ||
                        values[write.row] != write.reg.m_nValue);
            values[write.row] = write.reg.m_nValue;
        }
        for (std::size_t row = 0; row < to.registers.size(); ++row) {
            if (SettingsFileHolds(to, row)) {
                EXPECT_EQ(values[row], to.registers[row].m_nValue) << to.registers[row].m_strName;
            }
        }
        EXPECT_TRUE(ModeSwitch(to, to).empty());
    }
}

TEST(ModeSwitch, WritesThePllDividersOnlyToAModeThatUsesThem) {
    ParameterSet bypassed;
    ASSERT_TRUE(SetCheckedNumber(bypassed, ParameterIndex("bypassPll"), 1));
    const Mode plain = ComputeMode("plain", ParameterSet());
    const Mode bypass = ComputeMode("bypassed", bypassed);
    const auto rows = [](const std::vector<RegisterWrite>& writes) {
        std::vector<std::size_t> list;
        for (const RegisterWrite& write : writes)
            list.push_back(write.row);
        return list;
    };
    const std::vector<std::size_t> toPlain = rows(ModeSwitch(bypass, plain));
    ASSERT_GE(toPlain.size(), 2u);
    EXPECT_EQ(toPlain[0], kRowPllDividers);
    EXPECT_EQ(toPlain[1], kRowPllPDividers);
    for (const std::size_t row : rows(ModeSwitch(plain, bypass)))
        EXPECT_GT(row, kRowPllPDividers);
}

TEST(ModeSet, RefusesTheWholeSetAtTheFirstBadRequest) {
    ParameterSet fast;
    ASSERT_TRUE(SetCheckedNumber(fast, ParameterIndex("frameRate"), 30));
    struct Case {
        const char* what;
        std::vector<ModeRequest> requests;
        std::string error;
    };
    const Case cases[] = {
        {"two modes", {{"preview", 3, fast}, {"capture", 5, ParameterSet()}}, ""},
        {"a name used twice",
         {{"preview", 3, fast}, {"capture", 5, fast}, {"preview", 9, ParameterSet()}},
         "line 9: name \"preview\" already used by line 3; accepted: a name of its own"},
        {"an empty name",
         {{"preview", 3, fast}, {"", 4, fast}},
         "line 4: a mode needs a name that is not empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ModeSetLoad load = LoadModeSet(c.requests);
        EXPECT_EQ(load.error, c.error);
        const std::size_t loaded = c.error.empty() ? c.requests.size() : 0;
        ASSERT_EQ(load.set.Modes().size(), loaded);
        if (loaded != 0) {
            EXPECT_EQ(load.set.Find("capture")->line, 5u);
            EXPECT_EQ(load.set.Find("preview")->figures.requestedFrameRate, 30.0);
            EXPECT_EQ(load.set.Find("video"), nullptr);
        }
    }
}

TEST(ModeSet, EditsKeepNamesUniqueAndRowsInPlace) {
    ParameterSet slow;
    ASSERT_TRUE(SetCheckedNumber(slow, ParameterIndex("frameRate"), 15));
    using Edit = std::function<std::optional<std::string>(ModeSet&)>;
    struct Case {
        const char* what;
        Edit edit;
        std::optional<std::string> error;
        std::vector<std::string> names;
        double firstRate; // the first mode's requested frame rate afterwards
    };
    const Case cases[] = {
        {"rename to a name taken",
         [](ModeSet& s) { return s.Rename(1, "preview"); },
         "name \"preview\" already used by line 3; accepted: a name of its own",
         {"preview", "capture"},
         30.0},
        {"rename to nothing",
         [](ModeSet& s) { return s.Rename(0, ""); },
         "a mode needs a name that is not empty",
         {"preview", "capture"},
         30.0},
        {"rename to its own name",
         [](ModeSet& s) { return s.Rename(0, "preview"); },
         std::nullopt,
         {"preview", "capture"},
         30.0},
        {"rename",
         [](ModeSet& s) { return s.Rename(1, "still"); },
         std::nullopt,
         {"preview", "still"},
         30.0},
        {"replace",
         [&slow](ModeSet& s) {
             s.Replace(0, slow);
             return std::optional<std::string>();
         },
         std::nullopt,
         {"preview", "capture"},
         15.0},
        {"remove the first",
         [](ModeSet& s) {
             s.Remove(0);
             return std::optional<std::string>();
         },
         std::nullopt,
         {"capture"},
         30.0},
        {"remove past the end",
         [](ModeSet& s) {
             s.Remove(2);
             return std::optional<std::string>();
         },
         std::nullopt,
         {"preview", "capture"},
         30.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ParameterSet fast;
        ASSERT_TRUE(SetCheckedNumber(fast, ParameterIndex("frameRate"), 30));
        ModeSetLoad load = LoadModeSet({{"preview", 3, fast}, {"capture", 5, fast}});
        ASSERT_TRUE(load);
        EXPECT_EQ(c.edit(load.set), c.error);
        std::vector<std::string> names;
        for (const Mode& mode : load.set.Modes())
            names.push_back(mode.name);
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(load.set.Modes()[0].figures.requestedFrameRate, c.firstRate);
    }
}

TEST(ModeSet, AModeWhoseTimingIsNotAvailableSaysWhy) {
    ParameterSet wide;
    ASSERT_TRUE(SetCheckedNumber(wide, ParameterIndex("outputColumns"), 700));
    const Mode mode = ComputeMode("wide", wide);
    EXPECT_FALSE(mode.figures.valid);
    EXPECT_EQ(mode.figures.invalidReason, "Output Columns 700 is outside the sensor's 1 to 648 "
                                          "columns");
    EXPECT_EQ(mode.figures.frameLength, 0);
}

} // namespace
