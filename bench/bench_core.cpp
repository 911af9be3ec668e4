// Speed of the calculations that run on every keystroke of the Clock Settings and Image Timing
// forms.
#include "PllCalc.h"
#include "WizardDoc.h"

#include <benchmark/benchmark.h>

namespace {

// A document as the forms leave it at start-up.
CKXC2280RegisterWizardDoc MakeDocument() {
    CKXC2280RegisterWizardDoc doc;
    CImageContext& ctx = doc.m_Contexts[0];
    ctx.m_dFrameRate = 30.0;
    ctx.m_nOutputColumns = 640;
    ctx.m_nOutputRows = 480;
    ctx.m_bLowPower = 0;
    doc.OnNewDocument();
    return doc;
}

// The clock calculation of doc, again and again.
void CalculatePllRepeatedly(benchmark::State& state, CKXC2280RegisterWizardDoc& doc) {
    for (auto _ : state) {
        doc.CalculatePLL();
        benchmark::DoNotOptimize(doc.m_strClockReport.data());
    }
}

void BM_CalculatePLL_Defaults(benchmark::State& state) {
    CKXC2280RegisterWizardDoc doc = MakeDocument();
    CalculatePllRepeatedly(state, doc);
}
BENCHMARK(BM_CalculatePLL_Defaults);

// 44 MHz in with M and N free lets N from 2 to 10 pass the phase-detector limit: the largest
// search.
void BM_CalculatePLL_Input44Free(benchmark::State& state) {
    CKXC2280RegisterWizardDoc doc = MakeDocument();
    doc.m_dInputFreq = 44.0;
    CalculatePllRepeatedly(state, doc);
}
BENCHMARK(BM_CalculatePLL_Input44Free);

// Every candidate with N, M and D free at 44 MHz in: about 1,200 of them, the longest list. It
// runs on every keystroke of the clock form; the goal is under 100 us.
void BM_ListPllCandidates_Input44Free(benchmark::State& state) {
    const PllRequest request{.inputMHz = 44.0};
    for (auto _ : state) {
        std::vector<PllCandidate> list = ListPllCandidates(request);
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_ListPllCandidates_Input44Free);

// "Use Min. Freq." at 640x480 and 30 fps: nothing below the top clock gives the rate, so every
// distinct candidate clock is tried. The goal is under 1 ms.
void BM_MinimumSystemFreq_640x480At30Fps(benchmark::State& state) {
    const CKXC2280RegisterWizardDoc doc = MakeDocument();
    for (auto _ : state) {
        const std::optional<double> minimum =
            FindMinimumSystemFreq(ListPllCandidates(PllRequestOf(doc)), doc.m_Contexts[0]);
        benchmark::DoNotOptimize(minimum);
    }
}
BENCHMARK(BM_MinimumSystemFreq_640x480At30Fps);

// The whole clock calculation in that mode: the minimum, the quiet timing runs, the search.
void BM_CalculatePLL_UseMinFreq(benchmark::State& state) {
    CKXC2280RegisterWizardDoc doc = MakeDocument();
    doc.m_bUseMinFreq = 1;
    CalculatePllRepeatedly(state, doc);
}
BENCHMARK(BM_CalculatePLL_UseMinFreq);

void BM_ComputeTiming(benchmark::State& state) {
    CKXC2280RegisterWizardDoc doc = MakeDocument();
    for (auto _ : state) {
        doc.ComputeTiming(false);
        benchmark::DoNotOptimize(doc.m_Contexts[0].m_strTimingReport.data());
    }
}
BENCHMARK(BM_ComputeTiming);

// What one edit on the Clock Settings form costs: the clock and the timing, with both reports.
void BM_ClockFormChain(benchmark::State& state) {
    CKXC2280RegisterWizardDoc doc = MakeDocument();
    for (auto _ : state) {
        doc.m_Contexts[0].m_nWarnings &= ~kWarnClockBits;
        doc.CalculatePLL();
        doc.ComputeTiming(false);
        benchmark::DoNotOptimize(doc.m_strClockReport.data());
        benchmark::DoNotOptimize(doc.m_Contexts[0].m_strTimingReport.data());
    }
}
BENCHMARK(BM_ClockFormChain);

} // namespace

BENCHMARK_MAIN();
