// Document construction, new-document initialisation and the recalculation it starts.
#include "TestDocument.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(Document, ConstructionSetsTheDefaultsAndComputesNothing) {
    const CKXC2280RegisterWizardDoc doc;
    EXPECT_TRUE(doc.m_Registers.empty());
    EXPECT_TRUE(doc.m_strIniHeader.empty());
    EXPECT_TRUE(doc.m_strIniPllSection.empty());
    EXPECT_TRUE(doc.m_strIniTimingSection.empty());
    EXPECT_TRUE(doc.m_strStandardIniPath.empty());
    EXPECT_EQ(doc.m_bUseStandardIni, 0);
    EXPECT_EQ(doc.m_dTargetSystemFreq, 44.0);
    EXPECT_EQ(doc.m_dTargetVcoFreq, -1.0);
    EXPECT_EQ(doc.m_dInputFreq, 11.0);
    EXPECT_EQ(doc.m_nHwRev, 2);
    EXPECT_EQ(doc.m_bUseMinFreq, 0);
    EXPECT_EQ(doc.m_bBypassPll, 0);
    EXPECT_EQ(doc.m_nPllM, -1);
    EXPECT_EQ(doc.m_nPllN, -1);
    EXPECT_TRUE(doc.m_strClockReport.empty());
    EXPECT_TRUE(doc.m_strClockSummary.empty());
    EXPECT_EQ(doc.m_bOutputAsRegisters, 0);
    EXPECT_EQ(doc.m_bDirectAddressing, 1);
    EXPECT_EQ(doc.m_nActiveColumns, 0);
    EXPECT_EQ(doc.m_nActiveRows, 0);
    EXPECT_EQ(doc.m_nHBlankUsed, 0);
    EXPECT_EQ(doc.m_nVBlankUsed, 0);
    EXPECT_EQ(doc.m_dActualFrameRate, 0.0);

    const CImageContext& ctx = doc.m_Contexts[0];
    EXPECT_EQ(ctx.m_dFrameRate, 0.0);
    EXPECT_EQ(ctx.m_dMinFrameRate, 10.0);
    EXPECT_EQ(ctx.m_nOutputColumns, 640);
    EXPECT_EQ(ctx.m_nOutputRows, 480);
    EXPECT_EQ(ctx.m_bJpeg, 0);
    EXPECT_EQ(ctx.m_nHBlank, 500);
    EXPECT_EQ(ctx.m_nVBlank, 500);
    EXPECT_EQ(ctx.m_bLowPower, 1);
    EXPECT_FALSE(ctx.m_bTimingValid);
    EXPECT_EQ(ctx.m_dRowTime, 0.0);
    EXPECT_TRUE(ctx.m_strTimingReport.empty());
    EXPECT_TRUE(ctx.m_strTimingSummary.empty());
    EXPECT_EQ(ctx.m_nBlankingMode, 0);
    EXPECT_EQ(ctx.m_nWarnings, 0u);
    EXPECT_EQ(ctx.m_dMinClockOutput, 4.0);
    EXPECT_EQ(ctx.m_bBinning, 0);
    EXPECT_EQ(ctx.m_bXOnly, 0);
    EXPECT_EQ(ctx.m_bAllowSkipping, 0);
    EXPECT_EQ(ctx.m_bHorzMirror, 0);
    EXPECT_EQ(ctx.m_bVertFlip, 0);
    EXPECT_EQ(ctx.m_bVariableFrameRate, 0);
}

TEST(Document, NewDocumentFillsTheRegistersAndRunsTheClock) {
    CKXC2280RegisterWizardDoc doc;
    EXPECT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(doc.m_Registers.size(), 15u);
    EXPECT_EQ(doc.m_Registers[0].m_nValue, 0x0018u);
    EXPECT_EQ(doc.m_Registers[1].m_nValue, 0x0500u);
    EXPECT_EQ(doc.m_Registers[2].m_nValue, 0x01F9u); // no timing run yet
    EXPECT_EQ(doc.m_strClockReport.substr(0, 32), "Target System Frequency: 44 MHz\r");
    EXPECT_TRUE(doc.m_Contexts[0].m_strTimingReport.empty());
}

TEST(Document, SecondNewDocumentRebuildsRowsAndKeepsParameters) {
    TestDocument doc;
    doc.ComputeTiming(false);
    doc.m_Registers.pop_back();
    doc.m_Registers[2].m_nValue = 1;
    doc.m_nPllN = 1;
    doc.m_dInputFreq = 11.0;
    EXPECT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(doc.m_Registers.size(), 15u);
    EXPECT_EQ(doc.Reg(0), 0x0130u);
    EXPECT_EQ(doc.Reg(2), 0x01F9u);
    EXPECT_EQ(doc.m_nPllN, 1);
    EXPECT_EQ(doc.Ctx().m_dFrameRate, 30.0);
}

TEST(Document, CalculationsRefuseAnIncompleteRegisterList) {
    CKXC2280RegisterWizardDoc doc;
    EXPECT_THROW(doc.CalculatePLL(), std::invalid_argument);
    EXPECT_TRUE(doc.m_strClockReport.empty());
    doc.OnNewDocument();
    doc.m_Registers.resize(14);
    EXPECT_THROW(doc.ComputeTiming(false), std::invalid_argument);
    EXPECT_TRUE(doc.m_Contexts[0].m_strTimingReport.empty());
}

} // namespace
