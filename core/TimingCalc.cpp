// Frame timing for the image request: read-out, blanking, frame length, integration, frame rate.
#include "WizardDoc.h"

void CKXC2280RegisterWizardDoc::ComputeTiming(bool) {}
