// Reading a mode set from a JSON Lines file in the --batch format, all lines or none.
#pragma once

#include "ModeSet.h"
#include "ParameterOptions.h"

#include <string>
#include <variant>

// Every content line of the file (or standard input for "-") as a mode: its parameters over the
// arguments' base, under their options, named by "name" or "line-N". The first line that cannot
// be read, or whose name is taken, refuses the whole set with one line naming the file and that
// line; so does a file without a mode.
std::variant<ModeSet, std::string> ReadModeSetFile(const std::string& path,
                                                   const ParameterArguments& arguments);
