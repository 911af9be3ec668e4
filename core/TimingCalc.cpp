// Frame timing for the image request: read-out, blanking, frame length, integration, frame rate.
#include "TimingCalc.h"

#include "FormatDecimal.h"
#include "Truncate.h"
#include "WizardDoc.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

using S = SensorLimits;

// Smallest output request the skip computation accepts in each direction.
constexpr int kMinSkipColumns = 160;
constexpr int kMinSkipRows = 120;

// Skip factor for a clamped request: 4 when the full size holds it 4 times, 2 for 2 or 3 times.
int SkipFactor(int full, int requested, int minRequest) {
    const int quotient = full / std::clamp(requested, minRequest, full);
    return quotient >= 4 ? 4 : quotient >= 2 ? 2 : 1;
}

// Computed blanking below the minimum (NaN included) becomes the minimum; above the cap, the cap.
double ClampBlank(double blank, int minimum) {
    if (!(blank >= minimum))
        return minimum;
    return std::min(blank, static_cast<double>(S::kMaxBlank));
}

// The requested frame period and the timing clocks it holds, halved in low power.
void SetFrameBudget(TimingFigures& t, const CImageContext& ctx, double systemFreqMHz) {
    t.clockMHz = systemFreqMHz * 0.25;
    t.maxFrameTimeMs = 1000.0 / ctx.m_dFrameRate;
    t.maxFrameClocks = t.clockMHz * 1000.0 * t.maxFrameTimeMs;
    if (ctx.m_bLowPower)
        t.maxFrameClocks /= 2;
    t.divider = ctx.m_bLowPower ? 2 : 1;
}

// The sensor always reads the whole array, or a half or a quarter of it when it may skip.
void SetReadOut(TimingFigures& t, const CImageContext& ctx) {
    if (ctx.m_bAllowSkipping) {
        t.columnSkip = SkipFactor(S::kColumns, ctx.m_nOutputColumns, kMinSkipColumns);
        t.rowSkip = SkipFactor(S::kRows, ctx.m_nOutputRows, kMinSkipRows);
    }
    t.activeColumns = S::kColumns / t.columnSkip;
    t.activeRows = S::kRows / t.rowSkip;
}

// Horizontal blanking in pixels and vertical blanking in rows, before truncation.
struct Blanking {
    double hBlank = 0.0;
    double vBlank = 0.0;
};

// The blanking mode fills the frame budget with one blanking first and the other with what is
// left; each is clamped into [minimum, 16384].
Blanking ChooseBlanking(const TimingFigures& t, const CImageContext& ctx) {
    const double maxFrameClocks = t.maxFrameClocks;
    const double activeColumns = t.activeColumns;
    const double activeRows = t.activeRows;
    const int minHBlank = ctx.m_bLowPower ? S::kMinHBlankLowPower : S::kMinHBlank;
    // Vertical blanking for a given horizontal one: the rows that fit the budget, less the active.
    const auto vBlankFor = [&](double hBlank) {
        return ClampBlank(std::floor(maxFrameClocks / (activeColumns + hBlank) - activeRows),
                          S::kMinVBlank);
    };
    const auto hBlankFor = [&](double vBlank) {
        return ClampBlank(std::floor(maxFrameClocks / (activeRows + vBlank) - activeColumns),
                          minHBlank);
    };
    Blanking b;
    switch (ctx.m_nBlankingMode) {
    case kBlankHMaxThenV:
    case kBlankVMinThenH:
        b.hBlank = hBlankFor(S::kMinVBlank);
        b.vBlank = vBlankFor(b.hBlank);
        break;
    case kBlankHFixedThenV:
        b.hBlank = std::clamp(ctx.m_nHBlank, minHBlank, S::kMaxBlank);
        b.vBlank = vBlankFor(b.hBlank);
        break;
    case kBlankVFixedThenH:
        b.vBlank = std::clamp(ctx.m_nVBlank, S::kMinVBlank, S::kMaxBlank);
        b.hBlank = hBlankFor(b.vBlank);
        break;
    default: // modes 0 and 3, and any unknown mode
        b.hBlank = minHBlank;
        b.vBlank = vBlankFor(b.hBlank);
        break;
    }
    return b;
}

void SetBlanking(TimingFigures& t, const CImageContext& ctx) {
    const Blanking b = ChooseBlanking(t, ctx);
    // Both are clamped into [minimum, 16384], so the truncations are exact and defined.
    t.hBlankUsed = static_cast<int>(b.hBlank);
    t.vBlankUsed = static_cast<int>(b.vBlank);
    t.hBlankChanged = ctx.m_nBlankingMode == kBlankHFixedThenV && t.hBlankUsed != ctx.m_nHBlank;
    t.vBlankChanged = ctx.m_nBlankingMode == kBlankVFixedThenH && t.vBlankUsed != ctx.m_nVBlank;

    // The clocks of the budget that the blanked frame leaves over pad it as extra delay. A
    // negative or non-finite delay, or one beyond the int range, gives no delay.
    const double frameRows = t.activeRows + b.vBlank;
    const double lineClocks = t.activeColumns + b.hBlank;
    const double extra = std::trunc(t.maxFrameClocks - frameRows * lineClocks);
    if (extra >= 0.0 && extra <= 2147483647.0)
        t.extraDelay = std::min(static_cast<int>(extra), S::kMaxExtraDelay);
}

// A positive maximum frame clock count also needs a positive clock: a negative clock and a
// negative frame rate multiply to a positive count but describe no real frame.
bool IsTimingValid(const TimingFigures& t, const CImageContext& ctx) {
    return t.maxFrameClocks > 0.0 && t.maxFrameClocks < S::kMaxFrameClocks && t.clockMHz > 0.0 &&
           ctx.m_nOutputColumns >= 1 && ctx.m_nOutputColumns <= S::kColumns &&
           ctx.m_nOutputRows >= 1 && ctx.m_nOutputRows <= S::kRows;
}

// Line and frame length, row time and the frame rates of a valid timing.
void SetFrameFigures(TimingFigures& t) {
    const double divider = t.divider;
    t.lineLength = t.hBlankUsed + t.activeColumns;
    t.frameLength = t.activeRows + t.vBlankUsed;
    t.frameClocks = static_cast<std::int64_t>(t.lineLength) * t.frameLength;
    const double frameClocks = static_cast<double>(t.frameClocks);
    t.rowTimeUs = divider * t.lineLength / t.clockMHz;
    const double pixelRate = t.clockMHz * 1000000.0 / divider;
    t.actualFrameRate = pixelRate / frameClocks;
    t.rateWithExtraDelay = pixelRate / (frameClocks + t.extraDelay);
    t.frameTimeMs = frameClocks / (t.clockMHz * 1000.0 / divider);
}

// Integration for the fixed 1 ms request, in whole rows and fine clocks beyond them.
void SetIntegration(TimingFigures& t, bool lowPower) {
    const double divider = t.divider;
    const double clocksPerMs = t.clockMHz / divider * 1000.0;
    const double lineLength = t.lineLength;
    t.coarseRows = t.lineLength == 0 ? 0.0 : std::trunc(clocksPerMs / lineLength);
    const double coarseClocks = t.coarseRows * lineLength;
    const double fine = (1.0 - coarseClocks / clocksPerMs) * t.clockMHz / divider * 1000.0;
    const int minFine = lowPower ? S::kMinFineLowPower : S::kMinFine;
    const int margin = lowPower ? S::kFineMarginLowPower : S::kFineMargin;
    if (!(fine >= minFine))
        t.fineClocks = minFine;
    else if (t.lineLength >= margin && fine > t.lineLength - margin)
        t.fineClocks = t.lineLength - margin;
    else
        t.fineClocks = TruncToInt(fine + 0.5);
    // Without a positive clock there are no clocks per millisecond to integrate over.
    t.integrationMs = clocksPerMs > 0.0 && std::isfinite(clocksPerMs)
                          ? (t.fineClocks + coarseClocks) / clocksPerMs
                          : NAN;
}

// The achieved rate with extra delay matches the request when both print alike with two decimals;
// otherwise the clock output that would fit the frame clocks into the requested frame period.
void SetRateMatch(TimingFigures& t, double requestedRate) {
    t.rateMatched =
        FormatDecimal(t.rateWithExtraDelay + 0.001, 2) == FormatDecimal(requestedRate + 0.001, 2);
    if (!t.rateMatched)
        t.minClockOutputMHz =
            2 * t.divider * static_cast<double>(t.frameClocks) * requestedRate / 1000000.0;
}

} // namespace

TimingFigures CalculateTiming(const CImageContext& ctx, double systemFreqMHz) {
    TimingFigures t;
    SetFrameBudget(t, ctx, systemFreqMHz);
    SetReadOut(t, ctx);
    SetBlanking(t, ctx);
    t.valid = IsTimingValid(t, ctx);
    if (t.valid)
        SetFrameFigures(t);
    t.flicker = CalculateFlicker(t.rowTimeUs, t.frameLength, t.activeRows, t.valid,
                                 ctx.m_bVariableFrameRate != 0, ctx.m_dMinFrameRate);
    SetIntegration(t, ctx.m_bLowPower != 0);
    if (t.valid)
        SetRateMatch(t, ctx.m_dFrameRate);
    t.fineCorrection = ctx.m_bLowPower ? S::kFineCorrectionLowPower : S::kFineCorrection;
    return t;
}

void CKXC2280RegisterWizardDoc::ComputeTiming(bool bQuiet) {
    if (m_Registers.size() < kRegisterCount)
        throw std::invalid_argument("ComputeTiming: the register list lacks the timing rows");
    CImageContext& ctx = m_Contexts[0];
    m_dActualFrameRate = 0.0;
    ctx.m_bBinning = 0;

    const TimingFigures t = CalculateTiming(ctx, m_dTargetSystemFreq);
    m_nActiveColumns = t.activeColumns;
    m_nActiveRows = t.activeRows;
    m_nHBlankUsed = t.hBlankUsed;
    m_nVBlankUsed = t.vBlankUsed;
    ctx.m_bTimingValid = t.valid;
    if (t.valid) {
        ctx.m_dRowTime = t.rowTimeUs;
        m_dActualFrameRate = t.actualFrameRate;
    }
    if (!t.rateMatched) {
        ctx.m_dMinClockOutput = t.minClockOutputMHz;
        if (!bQuiet)
            ctx.m_nWarnings |= kWarnFrameRate;
    }
    if (!bQuiet && t.hBlankChanged)
        ctx.m_nWarnings |= kWarnHBlank;
    if (!bQuiet && t.vBlankChanged)
        ctx.m_nWarnings |= kWarnVBlank;
    if (!bQuiet && (ctx.m_nOutputColumns < 1 || ctx.m_nOutputColumns > S::kColumns))
        ctx.m_nWarnings |= kWarnOutputColumns;
    if (!bQuiet && (ctx.m_nOutputRows < 1 || ctx.m_nOutputRows > S::kRows))
        ctx.m_nWarnings |= kWarnOutputRows;

    ctx.m_strTimingSummary = BuildTimingSummary(ctx);
    ctx.m_strTimingReport = BuildTimingReport(t, ctx, m_nHwRev, bQuiet);

    if (t.valid) {
        const FlickerFigures& f = t.flicker;
        m_Registers[kRowLineLengthPck].m_nValue = static_cast<std::uint32_t>(t.lineLength);
        m_Registers[kRowFrameLengthLines].m_nValue = static_cast<std::uint32_t>(t.frameLength);
        m_Registers[kRowFineCorrection].m_nValue = static_cast<std::uint32_t>(t.fineCorrection);
        m_Registers[kRowStatFdZoneHeight].m_nValue = static_cast<std::uint32_t>(f.zoneHeight);
        m_Registers[kRowFdPeriod60Hz].m_nValue = f.fdPeriod60;
        m_Registers[kRowFdPeriod50Hz].m_nValue = f.fdPeriod50;
        m_Registers[kRowSearchF1For50Hz].m_nValue = f.searchF1For50;
        m_Registers[kRowSearchF2For50Hz].m_nValue = f.searchF2For50;
        m_Registers[kRowSearchF1For60Hz].m_nValue = f.searchF1For60;
        m_Registers[kRowSearchF2For60Hz].m_nValue = f.searchF2For60;
        m_Registers[kRowMaxFdZone50Hz].m_nValue = f.maxFdZone50;
        m_Registers[kRowMaxFdZone60Hz].m_nValue = f.maxFdZone60;
        m_Registers[kRowAeTargetFdZone].m_nValue = f.maxFdZone50;
    }
}
