// Prints the clock report and the timing report of a new document with the forms' defaults.
#include "WizardDoc.h"

#include <iostream>

int main() {
    CKXC2280RegisterWizardDoc doc;
    WizardMessageQueue queue;
    doc.m_pMainFrame = &queue;

    // The Image Timing form's defaults, as it writes them into the context before its first run.
    CImageContext& ctx = doc.m_Contexts[0];
    ctx.m_dFrameRate = 30.0;
    ctx.m_nOutputColumns = 640;
    ctx.m_nOutputRows = 480;
    ctx.m_nHBlank = 500;
    ctx.m_nVBlank = 500;
    ctx.m_bLowPower = 0;
    ctx.m_nBlankingMode = kBlankHMinThenV;

    doc.OnNewDocument();
    // The image form recalculates for the clock announcement; a new document always makes one.
    bool timed = false;
    while (!queue.Empty()) {
        if (queue.Pop().message == WM_WIZ_RECALC_TIMING) {
            ctx.m_nWarnings &= ~kWarnTimingBits;
            doc.ComputeTiming(false);
            timed = true;
        }
    }
    if (!timed)
        doc.ComputeTiming(false);

    std::cout << doc.m_strClockReport << "\r\n\r\n" << ctx.m_strTimingReport << "\r\n";
    return std::cout.good() ? 0 : 1;
}
