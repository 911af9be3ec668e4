// Whether a document's request can go into a settings file as it stands: what makes its timing
// "n/a", and what the calculations clamped or could not match.
#pragma once

#include "WizardDoc.h"

#include <string>
#include <vector>

struct RequestCheck {
    // Why the timing is "n/a", one value and its limit each: a settings file would contradict
    // itself, so none is written.
    std::vector<std::string> notAvailable;
    // What the calculations clamped or could not match, one value each: the settings file holds
    // the adjusted numbers, which the user has to accept.
    std::vector<std::string> adjusted;

    bool Refused() const { return !notAvailable.empty(); }
};

// Checks the document's current request, recomputing from its parameters rather than trusting
// the warning bits, so that every caller judges the same request alike.
RequestCheck CheckRequest(const CKXC2280RegisterWizardDoc& doc);

// The one sentence that says why no settings file was written for a refused request.
std::string RefusalMessage(const RequestCheck& check);
