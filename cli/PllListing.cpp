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
#include <tuple>
#include <vector>

namespace {

using Json = nlohmann::ordered_json;

const std::string kNone = "-";

// The marker column first, then the listing's columns; each right-aligned under its heading.
using Row = std::array<std::string, kPllColumns.size() + 1>;

Row Headings() {
    Row heading;
    for (std::size_t k = 0; k < kPllColumns.size(); ++k) {
        const std::string unit = kPllColumns[k].unit;
        heading[k + 1] = kPllColumns[k].name + (unit.empty() ? "" : " " + unit);
    }
    return heading;
}

Row TableRow(const PllCandidate& c) {
    Row row;
    row[0] = c.chosen ? "*" : " ";
    for (std::size_t k = 0; k < kPllColumns.size(); ++k)
        row[k + 1] = PllColumnText(c, k, kNone);
    return row;
}

std::string Table(const std::vector<PllCandidate>& candidates) {
    std::vector<Row> rows;
    rows.reserve(candidates.size() + 1);
    rows.push_back(Headings());
    for (const PllCandidate& c : candidates)
        rows.push_back(TableRow(c));

    std::array<std::size_t, std::tuple_size_v<Row>> widths{};
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

// A column's value as JSON: a whole number, a real, null for a measure left out, or the flag.
Json ColumnJson(const PllCandidate& c, std::size_t column) {
    if (column == kPllColumnExact)
        return c.exact;
    const std::optional<double> value = PllColumnValue(c, column);
    if (!value)
        return nullptr;
    return kPllColumns[column].decimals < 0 ? Json(static_cast<long long>(*value)) : Json(*value);
}

std::string JsonText(const std::vector<PllCandidate>& candidates, bool bypassed,
                     const RequestCheck& check) {
    Json list = Json::array();
    for (const PllCandidate& c : candidates) {
        Json row = Json::object();
        for (std::size_t k = 0; k < kPllColumns.size(); ++k)
            row[kPllColumns[k].key] = ColumnJson(c, k);
        row["chosen"] = c.chosen;
        list.push_back(std::move(row));
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
        listing.text = bypassed ? std::string(kPllBypassedText) + '\n' : Table(candidates);
    return listing;
}
