// The forms' recalculation chain without windows, for the command line, tools and tests.
#include "WindowlessChain.h"

void ApplyImageFormDefaults(CImageContext& context) {
    context.m_dFrameRate = 30.0;
    context.m_nOutputColumns = 640;
    context.m_nOutputRows = 480;
    context.m_nHBlank = 500;
    context.m_nVBlank = 500;
    context.m_bAllowSkipping = 0;
    context.m_bLowPower = 0;
    context.m_nBlankingMode = kBlankHMinThenV;
}

int DrainWizardMessages(CKXC2280RegisterWizardDoc& doc, WizardMessageQueue& queue) {
    int timingRuns = 0;
    while (!queue.Empty()) {
        if (queue.Pop().message == WM_WIZ_RECALC_TIMING) {
            doc.m_Contexts[0].m_nWarnings &= ~kWarnTimingBits;
            doc.ComputeTiming(false);
            ++timingRuns;
        }
    }
    return timingRuns;
}

void RecalculateClocksWithoutWindows(CKXC2280RegisterWizardDoc& doc, WizardMessageQueue& queue) {
    IMainFramePoster* const previous = doc.m_pMainFrame;
    doc.m_pMainFrame = &queue;
    doc.m_Contexts[0].m_nWarnings &= ~kWarnClockBits;
    doc.CalculatePLL();
    doc.ComputeTiming(false);
    DrainWizardMessages(doc, queue);
    doc.m_pMainFrame = previous;
}
