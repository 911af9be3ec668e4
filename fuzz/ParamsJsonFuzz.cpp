// Fuzzes the reading of parameter objects (--params and every --batch line) with arbitrary bytes:
// it never crashes, a refusal is one line and changes nothing, and what it accepts lies in the
// ranges the forms accept and is written back as JSON that reads back to the same set.
#include "FuzzSupport.h"

#include "ParameterChecks.h"
#include "ParameterJson.h"

#include <algorithm>

namespace {

bool SameSet(const ParameterSet& a, const ParameterSet& b) {
    for (std::size_t i = 0; i < kParameterCount; ++i)
        if (a.Number(i) != b.Number(i) || a.Text(i) != b.Text(i))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ParameterSet set;
    const ParameterJsonRead read = ReadParameterJson(text, set);
    if (!read) {
        FUZZ_CHECK(!read.error.empty() &&
                       std::count(read.error.begin(), read.error.end(), '\n') == 0,
                   "a refusal is one line");
        return 0;
    }
    CheckWithinTable(set);
    // Written out and read back, the set is the same.
    ParameterSet again;
    const std::string json = ParametersJson(set).dump();
    FUZZ_CHECK(ReadParameterJson(json, again), "the JSON written is read back");
    FUZZ_CHECK(SameSet(set, again), "the JSON written gives the same set");
    return 0;
}
