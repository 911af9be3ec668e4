// The PLL divider search, the candidate list, and the minimum clock for a frame rate.
#include "PllSolutions.h"

#include "FormatDecimal.h"
#include "TimingCalc.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Both best errors start here, so a candidate whose error reaches it is never chosen.
constexpr double kNoCandidateError = 1000.0;
constexpr int kPreferredDivider = 8;
constexpr double kPpm = 1000000.0;

int DistanceToPreferred(int divider) {
    return std::abs(divider - kPreferredDivider);
}

// The search's rule, fed one setting at a time in visit order. It tracks the best setting at or
// above the target and the best below it; the one above wins whenever there is one.
class ChoiceRule {
public:
    explicit ChoiceRule(const PllRequest& request) : m_request(request) {}

    void Offer(const PllCandidate& c) {
        const double vcoReference =
            m_request.targetVcoMHz == -1.0 ? c.fvcoMHz : m_request.targetVcoMHz;
        const double error =
            std::fabs(c.fvcoMHz - vcoReference) + std::fabs(c.systemFreqMHz - m_request.targetMHz);
        if (c.systemFreqMHz >= m_request.targetMHz) {
            // Among exact matches the divider nearest to 8 wins; the first on a tie. The initial
            // divider of 0 stands 8 away.
            if (error < m_aboveError ||
                (error == 0.0 &&
                 DistanceToPreferred(c.divider) < DistanceToPreferred(m_above.divider))) {
                m_above = c;
                m_aboveError = error;
            }
        } else if (error < m_belowError) {
            m_below = c;
            m_belowError = error;
        }
    }
    // The chosen setting, or none.
    std::optional<PllCandidate> Chosen() const {
        if (m_aboveError < kNoCandidateError)
            return m_above;
        if (m_belowError < kNoCandidateError)
            return m_below;
        return std::nullopt;
    }

private:
    const PllRequest& m_request;
    PllCandidate m_above;
    double m_aboveError = kNoCandidateError;
    PllCandidate m_below;
    double m_belowError = kNoCandidateError;
};

PllChoice ChoiceOf(const PllCandidate& c) {
    return {c.m, c.n, c.divider, c.fpdfMHz, c.fvcoMHz, c.systemFreqMHz};
}

// The measures of a candidate against the request; the frequencies are already set.
void Measure(PllCandidate& c, const PllRequest& request, const FrequencyMatcher& target) {
    c.p3 = c.divider - 1;
    c.outputClockMHz = c.systemFreqMHz / 2;
    c.errorMHz = c.systemFreqMHz - request.targetMHz;
    if (request.targetMHz != 0.0 && std::isfinite(request.targetMHz))
        c.errorPpm = c.errorMHz / request.targetMHz * kPpm;
    if (request.targetVcoMHz != -1.0)
        c.vcoErrorMHz = std::fabs(c.fvcoMHz - request.targetVcoMHz);
    c.exact = target.Matches(c.systemFreqMHz);
}

bool Within(double value, double low, double high) {
    return value >= low && value <= high;
}

// Calls visit with N, M, D and the three frequencies of every setting within the limits, in the
// search's visit order: N from 0, M from 16, D in the divider list's order.
template <class Visit> void ForEachSetting(double finMHz, const PllRequest& request, Visit visit) {
    using L = PllLimits;
    PllCandidate c;
    for (c.n = L::kNMin; c.n <= L::kNMax; ++c.n) {
        c.fpdfMHz = finMHz / (c.n + 1);
        if ((request.fixedN != -1 && request.fixedN != c.n) ||
            !Within(c.fpdfMHz, L::kFpdfMin, L::kFpdfMax))
            continue;
        for (c.m = L::kMMin; c.m <= L::kMMax; ++c.m) {
            // 2 x M x Fpdf as a sum: doubling is exact in binary floating point, so the sum and
            // the product give the same bits.
            c.fvcoMHz = c.m * c.fpdfMHz + c.m * c.fpdfMHz;
            if ((request.fixedM != -1 && request.fixedM != c.m) ||
                !Within(c.fvcoMHz, L::kVcoMin, L::kVcoMax))
                continue;
            for (const int d : L::kOutputDividers) {
                c.divider = d;
                c.systemFreqMHz = c.fvcoMHz / (2 * d);
                if (Within(c.systemFreqMHz, L::kOutMin, L::kOutMax))
                    visit(c);
            }
        }
    }
}

// The lowest of the clocks at which the image request of ctx gives a valid timing whose frame rate
// matches the request.
std::optional<double> LowestClockForFrameRate(std::vector<double> clocks,
                                              const CImageContext& ctx) {
    std::sort(clocks.begin(), clocks.end());
    clocks.erase(std::unique(clocks.begin(), clocks.end()), clocks.end());
    for (const double clockMHz : clocks) {
        const TimingFigures t = CalculateTiming(ctx, clockMHz);
        if (t.valid && t.rateMatched)
            return clockMHz;
    }
    return std::nullopt;
}

} // namespace

double ClampPllInput(double inputMHz) {
    if (!(inputMHz >= PllLimits::kInputMin))
        return PllLimits::kInputMin;
    if (inputMHz > PllLimits::kInputMax)
        return PllLimits::kInputMax;
    return inputMHz;
}

PllChoice SearchPll(const PllRequest& request) {
    ChoiceRule rule(request);
    ForEachSetting(ClampPllInput(request.inputMHz), request,
                   [&rule](const PllCandidate& setting) { rule.Offer(setting); });
    const std::optional<PllCandidate> chosen = rule.Chosen();
    return chosen ? ChoiceOf(*chosen) : PllChoice{};
}

PllChoice SearchPll(double finMHz, double targetMHz, double targetVcoMHz, int fixedM, int fixedN) {
    return SearchPll(PllRequest{finMHz, targetMHz, targetVcoMHz, fixedM, fixedN});
}

std::vector<PllCandidate> ListPllCandidates(const PllRequest& request) {
    const double finMHz = ClampPllInput(request.inputMHz);
    // Counted first, so the list is allocated once: it runs on every keystroke.
    std::size_t count = 0;
    ForEachSetting(finMHz, request, [&count](const PllCandidate&) { ++count; });
    std::vector<PllCandidate> candidates;
    candidates.reserve(count);

    const FrequencyMatcher target(request.targetMHz);
    ChoiceRule rule(request);
    ForEachSetting(finMHz, request, [&](const PllCandidate& setting) {
        PllCandidate& c = candidates.emplace_back(setting);
        c.visitIndex = static_cast<int>(candidates.size()) - 1;
        Measure(c, request, target);
        rule.Offer(c);
    });
    if (const std::optional<PllCandidate> chosen = rule.Chosen())
        candidates[static_cast<std::size_t>(chosen->visitIndex)].chosen = true;
    return candidates;
}

PllChoice ChosenPll(const std::vector<PllCandidate>& candidates) {
    for (const PllCandidate& c : candidates) {
        if (c.chosen)
            return ChoiceOf(c);
    }
    return {};
}

void SortForListing(std::vector<PllCandidate>& candidates) {
    // A target that is not a number leaves every error unordered; such errors sort last, alike.
    const auto distance = [](const PllCandidate& c) {
        return std::isnan(c.errorMHz) ? INFINITY : std::fabs(c.errorMHz);
    };
    std::sort(candidates.begin(), candidates.end(),
              [&distance](const PllCandidate& a, const PllCandidate& b) {
                  const double da = distance(a);
                  const double db = distance(b);
                  if (da != db)
                      return da < db;
                  if (DistanceToPreferred(a.divider) != DistanceToPreferred(b.divider))
                      return DistanceToPreferred(a.divider) < DistanceToPreferred(b.divider);
                  return a.visitIndex < b.visitIndex;
              });
}

std::optional<double> FindMinimumSystemFreq(const std::vector<PllCandidate>& candidates,
                                            const CImageContext& ctx) {
    std::vector<double> clocks;
    clocks.reserve(candidates.size());
    for (const PllCandidate& c : candidates)
        clocks.push_back(c.systemFreqMHz);
    return LowestClockForFrameRate(std::move(clocks), ctx);
}

std::optional<double> FindMinimumSystemFreq(const PllRequest& request, const CImageContext& ctx) {
    std::vector<double> clocks;
    ForEachSetting(ClampPllInput(request.inputMHz), request,
                   [&clocks](const PllCandidate& c) { clocks.push_back(c.systemFreqMHz); });
    return LowestClockForFrameRate(std::move(clocks), ctx);
}

std::optional<double> PllColumnValue(const PllCandidate& c, std::size_t column) {
    const std::optional<double> values[] = {
        c.n,        c.m,           c.divider,           c.p3,
        c.fpdfMHz,  c.fvcoMHz,     c.systemFreqMHz,     c.outputClockMHz,
        c.errorPpm, c.vcoErrorMHz, c.exact ? 1.0 : 0.0,
    };
    static_assert(std::size(values) == kPllColumns.size());
    return values[column];
}

std::string PllColumnText(const PllCandidate& c, std::size_t column, const std::string& none) {
    if (column == kPllColumnExact)
        return c.exact ? "yes" : "no";
    const std::optional<double> value = PllColumnValue(c, column);
    if (!value)
        return none;
    const int decimals = kPllColumns[column].decimals;
    return decimals < 0 ? FormatInt(static_cast<long long>(*value)) : FormatFixed(*value, decimals);
}
