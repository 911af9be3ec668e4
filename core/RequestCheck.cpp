// The checks a request passes before it becomes a settings file, with texts that name the value
// and its limit.
#include "RequestCheck.h"

#include "FormatDecimal.h"
#include "Parameters.h"
#include "PllCalc.h"
#include "TimingCalc.h"

#include <string_view>

namespace {

using S = SensorLimits;

// A parameter's caption without the unit in brackets: "Input Frequency (MHz)" is "Input Frequency".
std::string Name(std::string_view key) {
    const std::string_view label = FindParameter(key)->label;
    return std::string(label.substr(0, label.find(" (")));
}

// A value as a person writes it: three decimals at most (or as many as given), without trailing
// zeros ("45.1", not "45.100").
std::string Typed(double value, int decimals = 3) {
    std::string text = FormatDecimal(value, decimals);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text;
}

std::string Mhz(double mhz) {
    return Typed(mhz) + " MHz";
}

void CheckTiming(const CKXC2280RegisterWizardDoc& doc, const TimingFigures& t,
                 std::vector<std::string>& out) {
    const CImageContext& ctx = doc.m_Contexts[0];
    if (ctx.m_nOutputColumns < 1 || ctx.m_nOutputColumns > S::kColumns)
        out.push_back(Name("outputColumns") + " " + FormatInt(ctx.m_nOutputColumns) +
                      " is outside the sensor's 1 to " + FormatInt(S::kColumns) + " columns");
    if (ctx.m_nOutputRows < 1 || ctx.m_nOutputRows > S::kRows)
        out.push_back(Name("outputRows") + " " + FormatInt(ctx.m_nOutputRows) +
                      " is outside the sensor's 1 to " + FormatInt(S::kRows) + " rows");
    if (!(t.clockMHz > 0.0)) {
        out.push_back(Name("systemFreqMHz") + " " + Mhz(doc.m_dTargetSystemFreq) +
                      " leaves the sensor no timing clock");
    } else if (!(t.maxFrameClocks > 0.0 && t.maxFrameClocks < S::kMaxFrameClocks)) {
        // The frame period may hold fewer timing clocks than the frame counter's limit.
        const double slowest = t.clockMHz * 1000000.0 / S::kMaxFrameClocks / t.divider;
        out.push_back(Name("frameRate") + " " + Typed(ctx.m_dFrameRate) +
                      " fps is at or below the slowest rate the sensor can time at this clock, " +
                      Typed(slowest) + " fps");
    }
}

void CheckClock(const CKXC2280RegisterWizardDoc& doc, std::vector<std::string>& out) {
    const double finMHz = ClampPllInput(doc.m_dInputFreq);
    if (!FrequenciesMatch(finMHz, doc.m_dInputFreq))
        out.push_back(Name("inputFreqMHz") + " " + Mhz(doc.m_dInputFreq) +
                      " is outside the PLL's " + FormatDecimal(PllLimits::kInputMin, 0) + " to " +
                      FormatDecimal(PllLimits::kInputMax, 0) +
                      " MHz: the clocks are computed for " + Mhz(finMHz));
    if (doc.m_bBypassPll)
        return;
    const PllChoice choice =
        SearchPll(finMHz, doc.m_dTargetSystemFreq, doc.m_dTargetVcoFreq, doc.m_nPllM, doc.m_nPllN);
    if (choice.foutMHz == 0.0) {
        out.push_back(Name("systemFreqMHz") + " " + Mhz(doc.m_dTargetSystemFreq) +
                      " cannot be matched: no PLL divider setting fits the fixed M and N");
        return;
    }
    if (!doc.m_bUseMinFreq && !FrequenciesMatch(doc.m_dTargetSystemFreq, choice.foutMHz))
        out.push_back(Name("systemFreqMHz") + " " + Mhz(doc.m_dTargetSystemFreq) +
                      " cannot be matched: the PLL gives " + Mhz(choice.foutMHz));
    if (doc.m_dTargetVcoFreq != -1.0 && !FrequenciesMatch(doc.m_dTargetVcoFreq, choice.fvcoMHz))
        out.push_back(Name("vcoFreqMHz") + " " + Mhz(doc.m_dTargetVcoFreq) +
                      " cannot be matched: the PLL gives " + Mhz(choice.fvcoMHz));
}

void CheckFrame(const CImageContext& ctx, const TimingFigures& t, std::vector<std::string>& out) {
    if (!t.rateMatched)
        out.push_back(Name("frameRate") + " " + Typed(ctx.m_dFrameRate) +
                      " fps cannot be matched: the timing gives " + Typed(t.rateWithExtraDelay, 2) +
                      " fps");
    const int minHBlank = ctx.m_bLowPower ? S::kMinHBlankLowPower : S::kMinHBlank;
    if (t.hBlankChanged)
        out.push_back(Name("hBlank") + " " + FormatInt(ctx.m_nHBlank) + " pixels is outside " +
                      FormatInt(minHBlank) + " to " + FormatInt(S::kMaxBlank) +
                      " pixels: the timing uses " + FormatInt(t.hBlankUsed) + " pixels");
    if (t.vBlankChanged)
        out.push_back(Name("vBlank") + " " + FormatInt(ctx.m_nVBlank) + " rows is outside " +
                      FormatInt(S::kMinVBlank) + " to " + FormatInt(S::kMaxBlank) +
                      " rows: the timing uses " + FormatInt(t.vBlankUsed) + " rows");
}

} // namespace

RequestCheck CheckRequest(const CKXC2280RegisterWizardDoc& doc) {
    RequestCheck check;
    const TimingFigures t = CalculateTiming(doc.m_Contexts[0], doc.m_dTargetSystemFreq);
    if (!t.valid)
        CheckTiming(doc, t, check.notAvailable);
    CheckClock(doc, check.adjusted);
    if (t.valid)
        CheckFrame(doc.m_Contexts[0], t, check.adjusted);
    return check;
}

std::string RefusalMessage(const RequestCheck& check) {
    std::string message;
    for (const std::string& reason : check.notAvailable)
        message += (message.empty() ? "" : "; ") + reason;
    return message + ": the timing cannot be computed, so no settings file was written.";
}
