// The forms' recalculation chain without windows, for the command line, tools and tests.
#include "WindowlessChain.h"

void ApplyImageFormDefaults(CImageContext& context) {
    ApplyParameters(DefaultParameters(), context);
}

int DrainWizardMessages(CKXC2280RegisterWizardDoc& doc, WizardMessageQueue& queue) {
    int timingRuns = 0;
    while (!queue.Empty()) {
        if (queue.Pop().message == WM_WIZ_RECALC_TIMING) {
            RecalculateTiming(doc);
            ++timingRuns;
        }
    }
    return timingRuns;
}

void RecalculateClocksWithoutWindows(CKXC2280RegisterWizardDoc& doc, WizardMessageQueue& queue) {
    IMainFramePoster* const previous = doc.m_pMainFrame;
    doc.m_pMainFrame = &queue;
    RecalculateClocks(doc);
    DrainWizardMessages(doc, queue);
    doc.m_pMainFrame = previous;
}
