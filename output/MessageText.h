// Values in the command line's messages, escaped so that every message stays one line.
#pragma once

#include <string>
#include <string_view>

// The bytes of value in double quotes, with every control or non-ASCII byte escaped as \xHH and
// quotes and backslashes escaped with a backslash.
std::string QuoteValue(std::string_view value);

// The same escapes without the quotes, for texts that are no value of the user's.
std::string EscapeText(std::string_view text);

// A message of another part kept to one line: control bytes escaped as \xHH, nothing else.
std::string OneLine(std::string_view text);
