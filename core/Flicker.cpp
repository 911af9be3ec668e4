// Flicker-detection settings: flicker periods in rows, zone height, search windows, periods per
// frame.
#include "TimingCalc.h"

#include "Truncate.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kZoneHeightWithoutTiming = 4;

// Rounded 50 Hz period / 24 + 1 is the smallest zone height at which one period spans fewer than
// 24 zones.
constexpr int kZonesPer50HzPeriodLimit = 24;

// The 60 Hz period in seconds with the six decimals every settings file was computed with; exactly
// 1/120 would change the period count of some minimum frame rates, and with it the files.
constexpr double k60HzPeriodSeconds = 0.008333;
constexpr double k50HzPeriodSeconds = 0.01;

// Periods per frame from a quotient of doubles: at least 1, and 1 when the quotient is not finite
// (a minimum frame rate of 0).
std::uint32_t PeriodsPerFrame(double quotient) {
    if (!std::isfinite(quotient))
        return 1;
    return static_cast<std::uint32_t>(std::max(TruncToInt(quotient), 1));
}

// Frame rows divided by whole period rows, at least 1. A period shorter than one row has no
// whole rows; it is treated like a non-finite quotient instead of dividing by zero.
std::uint32_t PeriodsPerFrame(int frameLength, int periodRows) {
    if (periodRows <= 0)
        return 1;
    return static_cast<std::uint32_t>(std::max(frameLength / periodRows, 1));
}

// Search window of the firmware around period / zone height. The lower edge stops at 0: a period
// that rounds to 0 rows would otherwise wrap around to a huge unsigned value.
void SearchWindow(std::uint32_t period, std::uint32_t zoneHeight, std::uint32_t& low,
                  std::uint32_t& high) {
    const std::uint32_t centre = period / zoneHeight;
    low = centre == 0 ? 0 : centre - 1;
    high = centre + 1;
}

} // namespace

FlickerFigures CalculateFlicker(double rowTimeUs, int frameLength, int activeRows, bool valid,
                                bool variableFrameRate, double minFrameRate) {
    FlickerFigures f;
    if (valid) {
        f.period50Rows = 10000.0 / rowTimeUs;
        f.period60Rows = 100000.0 / (rowTimeUs * 12.0);
        f.zoneHeight = TruncToInt(f.period50Rows + 0.5) / kZonesPer50HzPeriodLimit + 1;
    } else {
        f.zoneHeight = kZoneHeightWithoutTiming;
    }
    f.warning = f.zoneHeight == (activeRows - 8) / 48;
    if (!valid)
        return f;

    if (variableFrameRate) {
        f.maxFdZone60 = PeriodsPerFrame(1.0 / (minFrameRate * k60HzPeriodSeconds));
        f.maxFdZone50 = PeriodsPerFrame(1.0 / (minFrameRate * k50HzPeriodSeconds));
    } else {
        f.maxFdZone60 = PeriodsPerFrame(frameLength, TruncToInt(f.period60Rows));
        f.maxFdZone50 = PeriodsPerFrame(frameLength, TruncToInt(f.period50Rows));
    }
    f.fdPeriod60 = static_cast<std::uint32_t>(std::max(TruncToInt(f.period60Rows + 0.5), 0));
    f.fdPeriod50 = static_cast<std::uint32_t>(std::max(TruncToInt(f.period50Rows + 0.5), 0));
    // A valid timing has a positive row time, so the zone height is at least 1.
    const auto zone = static_cast<std::uint32_t>(std::max(f.zoneHeight, 1));
    // The 50 Hz windows come from the 60 Hz period and the 60 Hz windows from the 50 Hz period.
    SearchWindow(f.fdPeriod60, zone, f.searchF1For50, f.searchF2For50);
    SearchWindow(f.fdPeriod50, zone, f.searchF1For60, f.searchF2For60);
    return f;
}
