// The one recalculation after a change, and the image form's defaults it starts from.
#include "Parameters.h"
#include "TestDocument.h"

#include <gtest/gtest.h>

#include <optional>
#include <variant>

namespace {

// Every image-context field of the parameter table takes the table's default, whatever it held.
TEST(Recalculate, ImageFormDefaultsReplaceTheConstructionValues) {
    CImageContext ctx;
    int fields = 0;
    for (const ParameterInfo& row : kParameters) {
        if (const auto* real = std::get_if<double CImageContext::*>(&row.field)) {
            ctx.*(*real) = row.defaultValue + 7.0;
            ++fields;
        } else if (const auto* whole = std::get_if<int CImageContext::*>(&row.field)) {
            ctx.*(*whole) = static_cast<int>(row.defaultValue) + 7;
            ++fields;
        }
    }
    ASSERT_GE(fields, 10);

    ApplyImageFormDefaults(ctx);

    for (const ParameterInfo& row : kParameters) {
        if (const auto* real = std::get_if<double CImageContext::*>(&row.field)) {
            EXPECT_EQ(ctx.*(*real), row.defaultValue) << row.key;
        } else if (const auto* whole = std::get_if<int CImageContext::*>(&row.field)) {
            EXPECT_EQ(ctx.*(*whole), static_cast<int>(row.defaultValue)) << row.key;
        }
    }
}

struct RecalculateCase {
    const char* name;
    UserChange change;
    int useMinFreq;
    double frameRate;
    double targetBeforeMHz; // the clock in use before, as a former search left it
    double targetAfterMHz;
    bool clock;
    std::optional<double> foundMinimumMHz;
    std::uint32_t warningsAfter; // from 0x8 | 0x100000 before: a stale timing and clock bit
};

// clang-format off
const RecalculateCase kRecalculateCases[] = {
    // 11 MHz in, 44 MHz out is matched exactly: every stale bit goes.
    {"clock settings",           UserChange::ClockSettings, 0, 30.0,  44.0,    44.0,   true,  {},     0x0},
    // The clock side is not run again: its bit stays for the clock form to clear.
    {"image request, fixed clock", UserChange::ImageRequest, 0, 30.0, 44.0,    44.0,   false, {},     0x100000},
    // The search starts again from the 44 MHz entered, not from the clock found before.
    {"image request, minimum",   UserChange::ImageRequest,  1, 15.0,  8.9375,  22.0,   true,  22.0,   0x0},
    // No clock gives 200 fps: the target entered stays.
    {"image request, no minimum", UserChange::ImageRequest, 1, 200.0, 8.9375,  44.0,   true,  44.0,   0x1},
};
// clang-format on

TEST(Recalculate, StartsWhereTheChangeDemandsAndSaysWhatItComputed) {
    for (const RecalculateCase& c : kRecalculateCases) {
        SCOPED_TRACE(c.name);
        TestDocument doc;
        doc.m_bUseMinFreq = c.useMinFreq;
        doc.Ctx().m_dFrameRate = c.frameRate;
        doc.m_dTargetSystemFreq = c.targetBeforeMHz;
        doc.Ctx().m_nWarnings = 0x8 | 0x100000;

        const Changes changes = Recalculate(doc, c.change);

        EXPECT_EQ(changes.clock, c.clock);
        EXPECT_TRUE(changes.timing);
        EXPECT_EQ(changes.foundMinimumMHz, c.foundMinimumMHz);
        EXPECT_EQ(doc.m_dTargetSystemFreq, c.targetAfterMHz);
        EXPECT_EQ(doc.Ctx().m_nWarnings, c.warningsAfter);
        EXPECT_NE(doc.Ctx().m_strTimingReport.find("Frames per Sec"), std::string::npos);
    }
}

} // namespace
