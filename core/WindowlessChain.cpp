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

void RunNewDocument(const ParameterSet& parameters, CKXC2280RegisterWizardDoc& doc) {
    CKXC2280RegisterWizardDoc::s_dLastSystemFreq = 0.0;
    WizardMessageQueue queue;
    // The new document's own clock calculation announces its clock as well; the chain below
    // handles that message with the rest.
    doc.m_pMainFrame = &queue;
    doc.OnNewDocument();
    ApplyParameters(parameters, doc);
    RecalculateClocksWithoutWindows(doc, queue);
    doc.m_pMainFrame = nullptr;
}
