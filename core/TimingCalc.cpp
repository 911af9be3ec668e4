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

} // namespace

TimingFigures CalculateTiming(const CImageContext& ctx, double systemFreqMHz) {
    TimingFigures t;
    const bool lowPower = ctx.m_bLowPower != 0;

    t.clockMHz = systemFreqMHz * 0.25;
    t.maxFrameTimeMs = 1000.0 / ctx.m_dFrameRate;
    t.maxFrameClocks = t.clockMHz * 1000.0 * t.maxFrameTimeMs;

    if (ctx.m_bAllowSkipping) {
        t.columnSkip = SkipFactor(S::kColumns, ctx.m_nOutputColumns, 160);
        t.rowSkip = SkipFactor(S::kRows, ctx.m_nOutputRows, 120);
    }
    t.activeColumns = S::kColumns / t.columnSkip;
    t.activeRows = S::kRows / t.rowSkip;
    const double a = t.activeColumns;
    const double r = t.activeRows;

    if (lowPower)
        t.maxFrameClocks /= 2;
    const double m = t.maxFrameClocks;
    t.divider = lowPower ? 2 : 1;
    const int hMin = lowPower ? S::kMinHBlankLowPower : S::kMinHBlank;

    double h = 0.0;
    double v = 0.0;
    switch (ctx.m_nBlankingMode) {
    case kBlankHMaxThenV:
    case kBlankVMinThenH:
        h = ClampBlank(std::floor(m / (r + S::kMinVBlank) - a), hMin);
        v = ClampBlank(std::floor(m / (a + h) - r), S::kMinVBlank);
        break;
    case kBlankHFixedThenV:
        h = std::clamp(ctx.m_nHBlank, hMin, S::kMaxBlank);
        v = ClampBlank(std::floor(m / (a + h) - r), S::kMinVBlank);
        break;
    case kBlankVFixedThenH:
        v = std::clamp(ctx.m_nVBlank, S::kMinVBlank, S::kMaxBlank);
        h = ClampBlank(std::floor(m / (r + v) - a), hMin);
        break;
    default: // modes 0 and 3, and any unknown mode
        h = hMin;
        v = ClampBlank(std::floor(m / (a + h) - r), S::kMinVBlank);
        break;
    }
    // Both are clamped into [minimum, 16384], so the truncations are exact and defined.
    t.hBlankUsed = static_cast<int>(h);
    t.vBlankUsed = static_cast<int>(v);
    t.hBlankChanged = ctx.m_nBlankingMode == kBlankHFixedThenV && t.hBlankUsed != ctx.m_nHBlank;
    t.vBlankChanged = ctx.m_nBlankingMode == kBlankVFixedThenH && t.vBlankUsed != ctx.m_nVBlank;

    // A negative or non-finite delay, or one beyond the int range, gives no delay.
    const double extra = std::trunc(m - (r + v) * (a + h));
    if (extra >= 0.0 && extra <= 2147483647.0)
        t.extraDelay = std::min(static_cast<int>(extra), S::kMaxExtraDelay);

    // A positive maximum frame clock count also needs a positive clock: a negative clock and a
    // negative frame rate multiply to a positive count but describe no real frame.
    t.valid = m > 0.0 && m < S::kMaxFrameClocks && t.clockMHz > 0.0 && ctx.m_nOutputColumns >= 1 &&
              ctx.m_nOutputColumns <= S::kColumns && ctx.m_nOutputRows >= 1 &&
              ctx.m_nOutputRows <= S::kRows;

    const double d = t.divider;
    if (t.valid) {
        t.lineLength = t.hBlankUsed + t.activeColumns;
        t.frameLength = static_cast<int>(r + v);
        t.frameClocks = static_cast<std::int64_t>(t.lineLength) * t.frameLength;
        const double n = static_cast<double>(t.frameClocks);
        t.rowTimeUs = d * t.lineLength / t.clockMHz;
        const double pixelRate = t.clockMHz * 1000000.0 / d;
        t.actualFrameRate = pixelRate / n;
        t.rateWithExtraDelay = pixelRate / (n + t.extraDelay);
        t.frameTimeMs = n / (t.clockMHz * 1000.0 / d);
    }
    t.flicker = CalculateFlicker(t.rowTimeUs, t.frameLength, t.activeRows, t.valid,
                                 ctx.m_bVariableFrameRate != 0, ctx.m_dMinFrameRate);

    // Integration for the fixed 1 ms request.
    const double k = t.clockMHz / d * 1000.0; // clocks per millisecond
    const double lineLength = t.lineLength;
    t.coarseRows = t.lineLength == 0 ? 0.0 : std::trunc(k / lineLength);
    const double coarseClocks = t.coarseRows * lineLength;
    const double fine = (1.0 - coarseClocks / k) * t.clockMHz / d * 1000.0;
    const int minFine = lowPower ? S::kMinFineLowPower : S::kMinFine;
    const int margin = lowPower ? S::kFineMarginLowPower : S::kFineMargin;
    if (!(fine >= minFine))
        t.fineClocks = minFine;
    else if (t.lineLength >= margin && fine > t.lineLength - margin)
        t.fineClocks = t.lineLength - margin;
    else
        t.fineClocks = TruncToInt(fine + 0.5);
    // Without a positive clock there are no clocks per millisecond to integrate over.
    t.integrationMs = k > 0.0 && std::isfinite(k) ? (t.fineClocks + coarseClocks) / k : NAN;

    if (t.valid) {
        const double requested = ctx.m_dFrameRate;
        t.rateMatched =
            FormatDecimal(t.rateWithExtraDelay + 0.001, 2) == FormatDecimal(requested + 0.001, 2);
        if (!t.rateMatched)
            t.minClockOutputMHz =
                2 * d * static_cast<double>(t.frameClocks) * requested / 1000000.0;
    }
    t.fineCorrection = lowPower ? S::kFineCorrectionLowPower : S::kFineCorrection;
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
