// The forms' recalculation chain for callers without windows: the command line, tools and tests.
#pragma once

#include "Parameters.h"

// The Image Timing form's request as the form sets it up before its first run: the defaults of
// the parameters that land in an image context.
void ApplyImageFormDefaults(CImageContext& context);

// The Clock Settings form's recalculation (RecalculateClocks), followed by every message it
// posted, handled in order as the main frame and the Image Timing form would after the form's
// handler returned: WM_WIZ_RECALC_TIMING runs RecalculateTiming. The document's poster is the
// queue for the duration of the call.
void RecalculateClocksWithoutWindows(CKXC2280RegisterWizardDoc& doc, WizardMessageQueue& queue);

// Handles every queued message as above; returns how many timing recalculations ran.
int DrainWizardMessages(CKXC2280RegisterWizardDoc& doc, WizardMessageQueue& queue);

// A new document as one run of the command-line wizard makes it: the process-wide last announced
// system frequency back at 0 (as in a new process, so a run never depends on the runs before
// it), the register rows filled, the parameters applied and the recalculation chain above run.
// The document is left without a poster.
void RunNewDocument(const ParameterSet& parameters, CKXC2280RegisterWizardDoc& doc);
