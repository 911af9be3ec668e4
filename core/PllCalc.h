// The document's clock side: the PLL request its parameters make, the clock summary and report.
#pragma once

#include "PllSolutions.h"

class CKXC2280RegisterWizardDoc;

// The request the document's clock parameters make.
PllRequest PllRequestOf(const CKXC2280RegisterWizardDoc& doc);
