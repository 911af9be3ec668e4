// Shared by the harnesses that end in a parameter set: what every accepted set satisfies.
#pragma once

#include "FuzzSupport.h"
#include "Parameters.h"

#include <cmath>

// Every number is finite, within its parameter's range, and a choice's value has a name.
inline void CheckWithinTable(const ParameterSet& set) {
    for (std::size_t i = 0; i < kParameterCount; ++i) {
        const ParameterInfo& row = kParameters[i];
        const double value = set.Number(i);
        FUZZ_CHECK(std::isfinite(value), "accepted numbers are finite");
        if (row.kind == ParameterKind::Real || row.kind == ParameterKind::Integer)
            FUZZ_CHECK(value >= row.min && value <= row.max, "a number within its range");
        if (row.kind == ParameterKind::Choice)
            FUZZ_CHECK(ChoiceName(row, value) != nullptr, "a choice names one of its values");
    }
}
