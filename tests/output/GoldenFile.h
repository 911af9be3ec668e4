// The hand-written settings file of a new document with the forms' defaults, and the documents
// the settings output tests start from.
#pragma once

#include "WizardDoc.h"

#include <string>

// A new document as the forms set it up: the register table and the image form's defaults, no
// calculation run yet.
CKXC2280RegisterWizardDoc NewDocument();

// The clock form's recalculation and the posted timing recalculation, without windows.
void Recalculate(CKXC2280RegisterWizardDoc& doc);

// A new document after the forms' first recalculation: the image form's defaults in context 0,
// then the clock form's recalculation and the posted timing recalculation.
CKXC2280RegisterWizardDoc DefaultDocument();

// The hand-written file DefaultDocument saves, with this build's version line.
std::string ExpectedDefaultFile();

// The register lines of the hand-written file's section under header ("[PLL_settings]"), each
// with its CR LF: the lines that start with "REG = " up to the next section.
std::string GoldenRegisterLines(const std::string& header);
