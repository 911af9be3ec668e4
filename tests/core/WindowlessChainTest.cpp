// The recalculation chain that the command line and tools run without windows.
#include "Parameters.h"
#include "TestDocument.h"

#include <gtest/gtest.h>

#include <variant>

namespace {

// Every image-context field of the parameter table takes the table's default, whatever it held.
TEST(WindowlessChain, ImageFormDefaultsReplaceTheConstructionValues) {
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

TEST(WindowlessChain, DrainRunsTheTimingOncePerTimingMessageOnly) {
    TestDocument doc;
    WizardMessageQueue queue;
    queue.PostToMainFrame({WM_WIZ_RECALC_CONTEXT, 0, 0});
    queue.PostToMainFrame({WM_WIZ_RECALC_TIMING, 0, 0});
    queue.PostToMainFrame({WM_WIZ_STATUS_TEXT, 0, 0});
    queue.PostToMainFrame({WM_WIZ_RECALC_TIMING, 0, 0});
    doc.Ctx().m_nWarnings = 0x8 | 0x100000;
    doc.Ctx().m_strTimingReport.clear();

    EXPECT_EQ(DrainWizardMessages(doc, queue), 2);
    EXPECT_TRUE(queue.Empty());
    // The stale timing bit is gone; the clock bit belongs to the other form and stays.
    EXPECT_EQ(doc.Ctx().m_nWarnings, 0x100000u);
    EXPECT_FALSE(doc.Ctx().m_strTimingReport.empty());
}

TEST(WindowlessChain, ClockRecalculationFollowsANewTargetAndRestoresThePoster) {
    TestDocument doc;
    WizardMessageQueue other;
    doc.m_pMainFrame = &other;
    // A target no other test announces, so the clock change is always posted and handled.
    doc.m_dTargetSystemFreq = 33.0;
    doc.Ctx().m_nWarnings = 0x400000 | 0x1;
    WizardMessageQueue queue;

    RecalculateClocksWithoutWindows(doc, queue);

    EXPECT_TRUE(queue.Empty());
    EXPECT_TRUE(other.Empty());
    EXPECT_EQ(doc.m_pMainFrame, &other);
    EXPECT_EQ(doc.Ctx().m_nWarnings & 0x400000u, 0u);
    // 11 MHz in, 33 MHz out: N 0, M 24, D 8 (Fvco 528, divider nearest to 8).
    EXPECT_EQ(doc.Reg(0), 0x0018u);
    EXPECT_EQ(doc.Reg(1), 0x0700u);
}

} // namespace
