// Prints the clock report and the timing report of a new document with the forms' defaults.
#include "WindowlessChain.h"

#include <iostream>

int main() {
    CKXC2280RegisterWizardDoc doc;
    WizardMessageQueue queue;
    doc.m_pMainFrame = &queue;
    CImageContext& ctx = doc.m_Contexts[0];
    ApplyParameters(DefaultParameters(), ctx);

    doc.OnNewDocument();
    // The image form recalculates for the clock announcement; a new document always makes one.
    if (DrainWizardMessages(doc, queue) == 0)
        doc.ComputeTiming(false);

    std::cout << doc.m_strClockReport << "\r\n\r\n" << ctx.m_strTimingReport << "\r\n";
    return std::cout.good() ? 0 : 1;
}
