// A mode set as the text of a JSON Lines file in the --batch format, read all lines or none, and
// written back one parameter object per mode.
#pragma once

#include "ModeSet.h"

#include <functional>
#include <string>
#include <string_view>
#include <variant>

// Every content line of bytes as a mode: its parameters over base, then complete (the caller's
// last layer and rules), named by "name" or "line-N". The first line that cannot be read, or
// whose name is taken, refuses the whole set with one line naming input and that line; so do
// bytes without a mode.
std::variant<ModeSet, std::string>
ReadModeSetText(std::string_view bytes, const std::string& input, const ParameterSet& base,
                const std::function<ParameterSet(ParameterSet)>& complete);

// One line per mode, in their order: {"name": ..., then every parameter in table order}. Read
// back over any base it gives the same modes.
std::string ModeSetText(const ModeSet& modes);
