// PLL divider search, clock summary and clock report.
#include "WizardDoc.h"

void CKXC2280RegisterWizardDoc::CalculatePLL() {}
