// Mode sets from and to JSON Lines: the batch's line splitter and parameter JSON, then the core's
// all-or-nothing load.
#include "ModeSetText.h"

#include "JsonLines.h"
#include "ParameterJson.h"

std::variant<ModeSet, std::string>
ReadModeSetText(std::string_view bytes, const std::string& input, const ParameterSet& base,
                const std::function<ParameterSet(ParameterSet)>& complete) {
    std::vector<ModeRequest> requests;
    for (const JsonLine& line : ContentLines(bytes)) {
        ParameterSet parameters = base;
        const ParameterJsonRead read = ReadParameterJson(line.text, parameters);
        if (!read)
            return input + " line " + std::to_string(line.number) + ": " + read.error;
        requests.push_back({read.name.value_or("line-" + std::to_string(line.number)), line.number,
                            complete(std::move(parameters))});
    }
    if (requests.empty())
        return input + ": no mode; accepted: one parameter object per line";
    ModeSetLoad load = LoadModeSet(requests);
    if (!load)
        return input + " " + load.error;
    return std::move(load.set);
}

std::string ModeSetText(const ModeSet& modes) {
    std::string text;
    for (const Mode& mode : modes.Modes()) {
        nlohmann::ordered_json line = {{"name", mode.name}};
        line.update(ParametersJson(mode.parameters));
        // A name is UTF-8 from a file or the window; a stray byte must not lose the whole set.
        text += line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
    }
    return text;
}
