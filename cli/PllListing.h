// --list-pll: every PLL divider setting for the clock parameters of a run, as a table or as JSON.
#pragma once

#include "Parameters.h"
#include "RequestCheck.h"

#include <string>

struct PllListing {
    std::string text;   // the table, or the JSON object
    RequestCheck check; // the check of the run's request, which the JSON carries too
};

// The settings for the clock parameters the run ends with (the target "Use Min. Freq." finds
// included), closest to the target first, the one the run puts into the registers marked. Text: a
// header line and one aligned row each, "*" before the marked one, or the one line that the PLL
// is bypassed; JSON: one object, its "pllSolutions" array in the same order, "pllBypassed",
// "timingValid" and "adjustments". A bypassed PLL lists none.
PllListing ListPllSettings(const ParameterSet& parameters, bool json);
