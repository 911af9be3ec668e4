// --list-pll: every PLL divider setting for the clock parameters of a run, as a table or as JSON.
#pragma once

#include "Parameters.h"

#include <string>

// The settings for the clock parameters the run ends with (the target "Use Min. Freq." finds
// included), closest to the target first, the one the run puts into the registers marked. Text: a
// header line and one aligned row each, "*" before the marked one, or the one line that the PLL
// is bypassed; JSON: one object, its
// "pllSolutions" array in the same order and "pllBypassed". A bypassed PLL lists none.
std::string ListPllSettings(const ParameterSet& parameters, bool json);
