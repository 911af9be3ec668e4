// Saturating double-to-integer truncation for the timing arithmetic.
#pragma once

#include <climits>
#include <cmath>

// Truncates toward zero like a cast, but defined for every double: NaN gives 0 and values beyond
// the int range give INT_MIN or INT_MAX. A plain cast of such values is undefined behaviour.
inline int TruncToInt(double x) {
    if (std::isnan(x))
        return 0;
    if (x <= static_cast<double>(INT_MIN))
        return INT_MIN;
    if (x >= static_cast<double>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(x);
}
