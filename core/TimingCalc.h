// The frame timing, integration and flicker figures of one image request, as a pure calculation.
#pragma once

#include "ImageContext.h"

#include <cstdint>
#include <string>

// Sensor timing constants.
struct SensorLimits {
    static constexpr int kColumns = 648;
    static constexpr int kRows = 488;
    static constexpr int kMinHBlank = 78;
    static constexpr int kMinHBlankLowPower = 48;
    static constexpr int kMinVBlank = 17;
    static constexpr int kMaxBlank = 16384;
    static constexpr int kMaxExtraDelay = 65535;
    static constexpr double kMaxFrameClocks = 999999999.0; // exclusive
    static constexpr int kMinFine = 67;
    static constexpr int kMinFineLowPower = 50;
    static constexpr int kFineMargin = 49;
    static constexpr int kFineMarginLowPower = 8;
    static constexpr int kFineCorrection = 18;
    static constexpr int kFineCorrectionLowPower = 11;
};

// Flicker-detection settings derived from the row time and the frame length.
struct FlickerFigures {
    double period50Rows = 0.0; // rows per 10 ms; only meaningful with a valid timing
    double period60Rows = 0.0; // rows per 1/120 s
    int zoneHeight = 4;        // rows
    bool warning = false;      // detection cannot work with this zone height
    // Register values, only meaningful with a valid timing.
    std::uint32_t fdPeriod50 = 0;
    std::uint32_t fdPeriod60 = 0;
    std::uint32_t searchF1For50 = 0;
    std::uint32_t searchF2For50 = 0;
    std::uint32_t searchF1For60 = 0;
    std::uint32_t searchF2For60 = 0;
    std::uint32_t maxFdZone50 = 0;
    std::uint32_t maxFdZone60 = 0;
};

struct TimingFigures {
    double clockMHz = 0.0;       // timing clock: a quarter of the system clock
    double maxFrameTimeMs = 0.0; // requested frame period
    double maxFrameClocks = 0.0; // timing clocks in one requested frame, halved in low power
    int divider = 1;             // pixel-clock divider
    int columnSkip = 1;
    int rowSkip = 1;
    int activeColumns = SensorLimits::kColumns;
    int activeRows = SensorLimits::kRows;
    int hBlankUsed = 0; // pixels
    int vBlankUsed = 0; // rows
    int extraDelay = 0; // clocks
    bool valid = false;
    int lineLength = 0;  // clocks; 0 when not valid
    int frameLength = 0; // rows; 0 when not valid
    std::int64_t frameClocks = 0;
    double rowTimeUs = 0.0;
    double actualFrameRate = 0.0;    // frames per second without extra delay
    double rateWithExtraDelay = 0.0; // frames per second
    double frameTimeMs = 0.0;
    double coarseRows = 0.0;        // whole rows of the integration
    int fineClocks = 0;             // clocks of the integration beyond the whole rows
    double integrationMs = 0.0;     // NaN when the clock is not positive
    bool rateMatched = true;        // also true when not valid: there is nothing to compare
    double minClockOutputMHz = 0.0; // only meaningful when the rate is not matched
    bool hBlankChanged = false;     // mode 4 could not use the requested HBlank
    bool vBlankChanged = false;     // mode 5 could not use the requested VBlank
    int fineCorrection = SensorLimits::kFineCorrection;
    FlickerFigures flicker;
};

TimingFigures CalculateTiming(const CImageContext& ctx, double systemFreqMHz);

FlickerFigures CalculateFlicker(double rowTimeUs, int frameLength, int activeRows, bool valid,
                                bool variableFrameRate, double minFrameRate);

// The two texts of a timing run.
std::string BuildTimingSummary(const CImageContext& ctx);
std::string BuildTimingReport(const TimingFigures& t, const CImageContext& ctx, int hwRev,
                              bool quiet);
