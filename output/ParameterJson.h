// The wizard's parameters as JSON: the "parameters" object of the JSON output, and reading such an
// object (or a whole JSON output) back into a parameter set.
#pragma once

#include "Parameters.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>

// Every parameter in table order: reals and integers as numbers, flags as true or false, choices
// by name, the file name as a string.
nlohmann::ordered_json ParametersJson(const ParameterSet& set);

// What reading a parameter object gave besides its parameters.
struct ParameterJsonRead {
    std::string error;               // why the text was refused, one line; empty when it was read
    std::optional<std::string> name; // its "name" member, when it has one

    explicit operator bool() const { return error.empty(); }
};

// Reads one JSON object over set: each parameter key it has replaces that parameter. The object
// is either a parameter object (with an optional "name") or a whole JSON output of the command
// line, whose "parameters" member is taken and whose other members are ignored (but its "name").
// Refused: text that is not JSON, or not an object; a key given twice; an unknown key (the nearest
// known key is suggested); a value of the wrong type, not finite or out of range; two keys that
// give one field different values.
ParameterJsonRead ReadParameterJson(std::string_view text, ParameterSet& set);
