// The PLL divider search: its limits, the setting it picks, every valid setting for the clock
// parameters, and the lowest system clock among them that still gives the requested frame rate.
#pragma once

#include "ImageContext.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

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

// The clock parameters of a search, with the document's "unspecified" markers.
struct PllRequest {
    double inputMHz = 11.0;     // as entered; clamped into the PLL's input range
    double targetMHz = 44.0;    // target system clock T
    double targetVcoMHz = -1.0; // exactly -1.0: no VCO target
    int fixedM = -1;            // -1: M is free
    int fixedN = -1;            // -1: N is free
};

// One divider setting within every limit, measured against the request.
struct PllCandidate {
    int n = 0;       // N register value; the input divider is N + 1
    int m = 0;       // multiplier
    int divider = 0; // output divider D
    int p3 = 0;      // register value of D: D - 1
    double fpdfMHz = 0.0;
    double fvcoMHz = 0.0;
    double systemFreqMHz = 0.0;        // Fout = Fvco / (2 x D)
    double outputClockMHz = 0.0;       // Fout / 2
    double errorMHz = 0.0;             // Fout - T
    std::optional<double> errorPpm;    // (Fout - T) / T x 10^6; none when T is 0 or not finite
    std::optional<double> vcoErrorMHz; // |Fvco - V|; none without a VCO target
    bool exact = false;                // Fout and T print alike with three decimals
    bool chosen = false;               // the candidate CalculatePLL takes
    int visitIndex = 0;                // position in the search's visit order
};

// The setting CalculatePLL takes for the request among every N, M and D within the limits: one
// pass over the settings, without listing them.
PllChoice SearchPll(const PllRequest& request);
PllChoice SearchPll(double finMHz, double targetMHz, double targetVcoMHz, int fixedM, int fixedN);

// Every candidate in the search's visit order (N, then M, then D in the divider list), with the
// one that CalculatePLL's rule picks marked; empty when fixed values break the limits.
std::vector<PllCandidate> ListPllCandidates(const PllRequest& request);

// The marked candidate as the search's choice; all zero when none is marked.
PllChoice ChosenPll(const std::vector<PllCandidate>& candidates);

// What a listing says instead of the candidates when the PLL is bypassed.
inline constexpr const char* kPllBypassedText =
    "The PLL is bypassed: the system clock is the input clock, so there are no divider settings "
    "to list.";

// Orders a list for people to read: smallest |Fout - T| first, then the divider nearest to 8,
// then the visit order.
void SortForListing(std::vector<PllCandidate>& candidates);

// The lowest Fout among the candidates (or among the request's settings) at which the image
// request of ctx gives a valid timing whose frame rate matches the request; none when no candidate
// does.
std::optional<double> FindMinimumSystemFreq(const std::vector<PllCandidate>& candidates,
                                            const CImageContext& ctx);
std::optional<double> FindMinimumSystemFreq(const PllRequest& request, const CImageContext& ctx);

// A column of a PLL candidate listing, declared once for the command line's table and JSON and the
// window's page: the JSON key, the heading's name and unit, and the decimals a text shows (-1: a
// whole number, or yes/no for the flag).
struct PllColumn {
    const char* key;
    const char* name;
    const char* unit; // empty for a count
    int decimals;
};
// 1/16 MHz steps of an 11 MHz input still show exactly with four decimals.
inline constexpr std::array<PllColumn, 11> kPllColumns = {{
    {"n", "N", "", -1},
    {"m", "M", "", -1},
    {"divider", "D", "", -1},
    {"p3", "P3", "", -1},
    {"fpdfMHz", "Fpdf", "MHz", 4},
    {"fvcoMHz", "Fvco", "MHz", 4},
    {"systemFreqMHz", "System", "MHz", 4},
    {"outputClockMHz", "Output", "MHz", 4},
    {"errorPpm", "Error", "ppm", 1},
    {"vcoErrorMHz", "VCO error", "MHz", 4},
    {"exact", "Exact", "", -1},
}};
inline constexpr std::size_t kPllColumnExact = 10;

// The value of a column for c; none for a measure the request leaves out; the flag is 1 or 0.
std::optional<double> PllColumnValue(const PllCandidate& c, std::size_t column);
// The text of a column for c, the same in every locale: the column's decimals, none for a measure
// the request leaves out, "yes" or "no" for the flag.
std::string PllColumnText(const PllCandidate& c, std::size_t column, const std::string& none);
