// Link-time wrappers (ld --wrap, named in bench/ui.cmake) that count the core's timing runs and
// passes over the PLL's divider settings for the benchmarks, leaving the core itself untouched.
#include "WizardRunCounts.h"

#include "PllSolutions.h"
#include "WizardDoc.h"

namespace {
WizardRunCounts g_counts;
}

WizardRunCounts CurrentRunCounts() {
    return g_counts;
}

// The assembler names are the mangled names of the wrapped functions with the linker's prefixes.
void RealComputeTiming(CKXC2280RegisterWizardDoc* doc,
                       bool quiet) asm("__real__ZN25CKXC2280RegisterWizardDoc13ComputeTimingEb");
void CountedComputeTiming(CKXC2280RegisterWizardDoc* doc,
                          bool quiet) asm("__wrap__ZN25CKXC2280RegisterWizardDoc13ComputeTimingEb");
void CountedComputeTiming(CKXC2280RegisterWizardDoc* doc, bool quiet) {
    ++g_counts.timing;
    RealComputeTiming(doc, quiet);
}

PllChoice RealSearchPll(double finMHz, double targetMHz, double targetVcoMHz, int fixedM,
                        int fixedN) asm("__real__Z9SearchPlldddii");
PllChoice CountedSearchPll(double finMHz, double targetMHz, double targetVcoMHz, int fixedM,
                           int fixedN) asm("__wrap__Z9SearchPlldddii");
PllChoice CountedSearchPll(double finMHz, double targetMHz, double targetVcoMHz, int fixedM,
                           int fixedN) {
    ++g_counts.pll;
    return RealSearchPll(finMHz, targetMHz, targetVcoMHz, fixedM, fixedN);
}

std::optional<double>
RealFindMinimumSystemFreq(const PllRequest& request, const CImageContext& ctx) asm(
    "__real__Z21FindMinimumSystemFreqRK10PllRequestRK13CImageContext");
std::optional<double>
CountedFindMinimumSystemFreq(const PllRequest& request, const CImageContext& ctx) asm(
    "__wrap__Z21FindMinimumSystemFreqRK10PllRequestRK13CImageContext");
std::optional<double> CountedFindMinimumSystemFreq(const PllRequest& request,
                                                   const CImageContext& ctx) {
    ++g_counts.pll;
    return RealFindMinimumSystemFreq(request, ctx);
}

std::vector<PllCandidate>
RealListPllCandidates(const PllRequest& request) asm("__real__Z17ListPllCandidatesRK10PllRequest");
std::vector<PllCandidate> CountedListPllCandidates(const PllRequest& request) asm(
    "__wrap__Z17ListPllCandidatesRK10PllRequest");
std::vector<PllCandidate> CountedListPllCandidates(const PllRequest& request) {
    ++g_counts.pll;
    return RealListPllCandidates(request);
}
