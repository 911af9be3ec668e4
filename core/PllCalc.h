// The PLL divider search: input divider N, multiplier M and output divider D for a target clock.
#pragma once

#include <array>

// PLL limits in MHz, all inclusive.
struct PllLimits {
    static constexpr double kInputMin = 4.0;
    static constexpr double kInputMax = 44.0;
    static constexpr double kFpdfMin = 4.0;
    static constexpr double kFpdfMax = 17.5;
    static constexpr double kVcoMin = 280.0;
    static constexpr double kVcoMax = 560.0;
    static constexpr double kOutMin = 4.0;
    static constexpr double kOutMax = 44.0;
    static constexpr int kNMin = 0;
    static constexpr int kNMax = 63;
    static constexpr int kMMin = 16;
    static constexpr int kMMax = 70;
    // Output dividers in search order; the register value P3 is D - 1.
    static constexpr std::array<int, 9> kOutputDividers = {1, 2, 4, 6, 8, 10, 12, 14, 16};
};

// The chosen candidate; all zero when none was found.
struct PllChoice {
    int m = 0;
    int n = 0;
    int d = 0;
    double fpdfMHz = 0.0;
    double fvcoMHz = 0.0;
    double foutMHz = 0.0; // system clock; the output clock shown to the user is half of it
};

// The input clock clamped into the PLL's input range; NaN counts as below the range.
double ClampPllInput(double inputMHz);

// The candidate CalculatePLL takes for the target system clock (and the target VCO frequency,
// unless it is -1.0) among every N, M and D within the limits; fixedM and fixedN of -1 leave them
// free.
PllChoice SearchPll(double finMHz, double targetMHz, double targetVcoMHz, int fixedM, int fixedN);
