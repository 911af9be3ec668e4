// The timing summary (an echo of the image request) and the timing report.
#include "TimingCalc.h"

#include "FormatDecimal.h"
#include "SettingsEcho.h"

#include <cmath>

namespace {

const std::string kNotAvailable = "n/a";

// The requested frame period, its clocks, the pixel-clock divider and the skip factors.
std::string BudgetLines(const TimingFigures& t, const CImageContext& ctx) {
    std::string s = "Max Frame Time: ";
    s += t.maxFrameTimeMs > 0.0 && t.maxFrameTimeMs < 10000.0
             ? FormatGeneral(t.maxFrameTimeMs) + " msec"
             : kNotAvailable;

    s += "\r\nMax Frame Clocks: ";
    const double maxFrameClocks = t.maxFrameClocks;
    if (maxFrameClocks > 0.0 && maxFrameClocks < SensorLimits::kMaxFrameClocks) {
        // The range check keeps both truncations inside int.
        const int whole = static_cast<int>(maxFrameClocks);
        const int tenth = static_cast<int>((maxFrameClocks - whole) * 10.0);
        s += FormatInt(whole) + "." + FormatInt(tenth) + " clocks";
    } else {
        s += kNotAvailable;
    }
    s += " (" + FormatDecimal(t.clockMHz, 3) + " MHz)";

    s += "\r\nPixel Clock: divided by " + FormatInt(t.divider);
    if (ctx.m_bLowPower)
        s += " (Low Power Mode)";
    s += "\r\nSkip Mode: " + FormatInt(t.columnSkip) + "x cols, " + FormatInt(t.rowSkip) + "x rows";
    s += ", Bin Mode: No";
    return s;
}

// Active size, blanking and totals of a line and of a frame, and the extra delay.
std::string GeometryLines(const TimingFigures& t, const CImageContext& ctx) {
    const bool columnsOk =
        ctx.m_nOutputColumns >= 1 && ctx.m_nOutputColumns <= SensorLimits::kColumns;
    const bool rowsOk = ctx.m_nOutputRows >= 1 && ctx.m_nOutputRows <= SensorLimits::kRows;
    std::string s = "\r\nHoriz clks:  " + (columnsOk ? FormatInt(t.activeColumns) : kNotAvailable) +
                    " active + " + FormatInt(t.hBlankUsed) +
                    " blank = " + FormatDecimal(t.lineLength, 0) + " total";
    s += "\r\nVert  rows:  " + (rowsOk ? FormatInt(t.activeRows) : kNotAvailable) + " active + " +
         FormatInt(t.vBlankUsed) + " blank = " + FormatDecimal(t.frameLength, 0) + " total";
    s += "\r\nExtra Delay: " + FormatInt(t.extraDelay) + " clocks";
    return s;
}

// Frame clocks, row time, integration, frame time and rate, and whether the rate is met.
std::string ResultLines(const TimingFigures& t, bool quiet) {
    std::string s = "\r\n\r\nActual Frame Clocks: ";
    s += t.valid ? FormatInt(t.frameClocks) + " clocks" : kNotAvailable;
    s += "\r\nRow Time: ";
    s += t.valid ? FormatDecimal(t.rowTimeUs, 3) + " usec" : kNotAvailable;
    s += " / " + FormatDecimal(t.activeColumns + t.hBlankUsed, 0) + " clocks";
    s += "\r\nIntegration Time: ";
    s += std::isnan(t.integrationMs) ? kNotAvailable : FormatDecimal(t.integrationMs, 3) + " msec.";
    s += "\r\nFrame time: ";
    s += t.valid ? FormatDecimal(t.frameTimeMs, 6) + " msec" : kNotAvailable;
    s += "\r\nFrames per Sec: ";
    s += t.valid ? FormatDecimal(t.actualFrameRate, 3) + " fps" : kNotAvailable;

    if (t.rateMatched) {
        s += "\r\n";
    } else if (!quiet) {
        s += "   (cannot match)\r\n    (Clock output minimum: " +
             FormatDecimal(t.minClockOutputMHz, 3) + " MHz )";
    }
    return s;
}

std::string FlickerLines(const FlickerFigures& f, bool valid, int hwRev) {
    std::string s = "\r\n50Hz Flicker Period: ";
    s += valid ? FormatDecimal(f.period50Rows, 2) + " lines" : kNotAvailable;
    s += "\r\n60Hz Flicker Period: ";
    s += valid ? FormatDecimal(f.period60Rows, 2) + " lines" : kNotAvailable;
    s += "\r\nFlicker Zone Height: " + FormatDecimal(f.zoneHeight, 0);
    s += f.warning ? "\r\nWarning: Flicker Detection Inoperative!" : "\r\n";
    s += "\r\nHW Rev: " + FormatDecimal(hwRev, 0);
    return s;
}

} // namespace

std::string BuildTimingSummary(const CImageContext& ctx) {
    std::string s;
    for (const EchoLine& line : kTimingEcho)
        s += std::string(line.label) + EchoValueText(line, nullptr, &ctx) + "\r\n";
    return s + "\r\n";
}

std::string BuildTimingReport(const TimingFigures& t, const CImageContext& ctx, int hwRev,
                              bool quiet) {
    return BudgetLines(t, ctx) + GeometryLines(t, ctx) + ResultLines(t, quiet) +
           FlickerLines(t.flicker, t.valid, hwRev);
}
