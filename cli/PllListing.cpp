// The PLL divider settings of a run as an aligned table or a JSON object; numbers through
// FormatFixed and nlohmann's own conversion, neither of which reads the locale.
#include "PllListing.h"

#include "FormatDecimal.h"
#include "Parameters.h"
#include "PllCalc.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace {

using Json = nlohmann::ordered_json;

constexpr int kMHzDecimals = 4; // 1/16 MHz steps of an 11 MHz input still show exactly
constexpr int kPpmDecimals = 1;
constexpr const char* kNone = "-";
constexpr const char* kBypassedText = "The PLL is bypassed: the system clock is the input clock, "
                                      "so there are no divider settings to list.\n";

// The marker column first; every column is right-aligned under its heading.
constexpr std::array<const char*, 12> kHeadings = {"",
                                                   "N",
                                                   "M",
                                                   "D",
                                                   "P3",
                                                   "Fpdf MHz",
                                                   "Fvco MHz",
                                                   "System MHz",
                                                   "Output MHz",
                                                   "Error ppm",
                                                   "VCO error MHz",
                                                   "Exact"};
using Row = std::array<std::string, kHeadings.size()>;

std::string Optional(const std::optional<double>& value, int decimals) {
    return value ? FormatFixed(*value, decimals) : std::string(kNone);
}

Row TableRow(const PllCandidate& c) {
    return {c.chosen ? "*" : " ",
            FormatInt(c.n),
            FormatInt(c.m),
            FormatInt(c.divider),
            FormatInt(c.p3),
            FormatFixed(c.fpdfMHz, kMHzDecimals),
            FormatFixed(c.fvcoMHz, kMHzDecimals),
            FormatFixed(c.systemFreqMHz, kMHzDecimals),
            FormatFixed(c.outputClockMHz, kMHzDecimals),
            Optional(c.errorPpm, kPpmDecimals),
            Optional(c.vcoErrorMHz, kMHzDecimals),
            c.exact ? "yes" : "no"};
}

std::string Table(const std::vector<PllCandidate>& candidates) {
    std::vector<Row> rows;
    rows.reserve(candidates.size() + 1);
    Row heading;
    std::copy(kHeadings.begin(), kHeadings.end(), heading.begin());
    rows.push_back(heading);
    for (const PllCandidate& c : candidates)
        rows.push_back(TableRow(c));

    std::array<std::size_t, kHeadings.size()> widths{};
    for (const Row& row : rows) {
        for (std::size_t k = 0; k < row.size(); ++k)
            widths[k] = std::max(widths[k], row[k].size());
    }
    std::string text;
    for (const Row& row : rows) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            if (k > 0)
                text += "  ";
            text.append(widths[k] - row[k].size(), ' ');
            text += row[k];
        }
        text += '\n';
    }
    return text;
}

Json OptionalJson(const std::optional<double>& value) {
    return value ? Json(*value) : Json(nullptr);
}

std::string JsonText(const std::vector<PllCandidate>& candidates, bool bypassed,
                     const RequestCheck& check) {
    Json list = Json::array();
    for (const PllCandidate& c : candidates) {
        list.push_back({
            {"n", c.n},
            {"m", c.m},
            {"divider", c.divider},
            {"p3", c.p3},
            {"fpdfMHz", c.fpdfMHz},
            {"fvcoMHz", c.fvcoMHz},
            {"systemFreqMHz", c.systemFreqMHz},
            {"outputClockMHz", c.outputClockMHz},
            {"errorPpm", OptionalJson(c.errorPpm)},
            {"vcoErrorMHz", OptionalJson(c.vcoErrorMHz)},
            {"exact", c.exact},
            {"chosen", c.chosen},
        });
    }
    Json json = Json::object();
    json["pllSolutions"] = std::move(list);
    json["pllBypassed"] = bypassed;
    json["timingValid"] = !check.Refused();
    json["adjustments"] = check.adjusted;
    return json.dump(2) + "\n";
}

} // namespace

PllListing ListPllSettings(const ParameterSet& parameters, bool json) {
    CKXC2280RegisterWizardDoc doc;
    RunNewDocument(parameters, doc);
    PllListing listing;
    listing.check = CheckRequest(doc);
    const bool bypassed = doc.m_bBypassPll != 0;
    std::vector<PllCandidate> candidates;
    if (!bypassed) {
        // After the run, so that the target is the one the search used.
        candidates = ListPllCandidates(PllRequestOf(doc));
        SortForListing(candidates);
    }
    if (json)
        listing.text = JsonText(candidates, bypassed, listing.check);
    else
        listing.text = bypassed ? std::string(kBypassedText) : Table(candidates);
    return listing;
}
