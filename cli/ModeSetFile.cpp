// A mode set from the --batch format: the batch's line reader and parameter JSON reader, then the
// core's all-or-nothing load.
#include "ModeSetFile.h"

#include "InputFile.h"
#include "JsonLines.h"
#include "ParameterJson.h"

std::variant<ModeSet, std::string> ReadModeSetFile(const std::string& path,
                                                   const ParameterArguments& arguments) {
    const std::string input = InputName(path);
    std::string bytes;
    if (std::optional<std::string> unreadable = ReadInputFile(path, bytes))
        return "option --batch: " + *unreadable;
    std::vector<ModeRequest> requests;
    for (const JsonLine& line : ContentLines(bytes)) {
        ParameterSet parameters = arguments.base;
        const ParameterJsonRead read = ReadParameterJson(line.text, parameters);
        if (!read)
            return input + " line " + std::to_string(line.number) + ": " + read.error;
        requests.push_back({read.name.value_or("line-" + std::to_string(line.number)), line.number,
                            arguments.Complete(parameters)});
    }
    if (requests.empty())
        return input + ": no mode; accepted: one parameter object per line";
    ModeSetLoad load = LoadModeSet(requests);
    if (!load)
        return input + " " + load.error;
    return std::move(load.set);
}
