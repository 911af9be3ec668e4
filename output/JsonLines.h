// The lines of a JSON Lines file that describe something, as --batch and mode sets read them.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

struct JsonLine {
    std::size_t number; // 1 for the first line of the file
    std::string_view text;
};

// The lines neither blank nor a comment starting with #, views into bytes. A CR before the line
// feed is part of the line end.
std::vector<JsonLine> ContentLines(std::string_view bytes);
