// How many timing runs and PLL searches the calculation core has made in this process.
#pragma once

struct WizardRunCounts {
    long long timing = 0; // CKXC2280RegisterWizardDoc::ComputeTiming
    long long pll = 0;    // passes over the PLL's divider settings
};

// Counted by link-time wrappers around the core's functions (bench/ui.cmake names them).
WizardRunCounts CurrentRunCounts();
