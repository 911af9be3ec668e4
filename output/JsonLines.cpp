// Splitting a JSON Lines file into its content lines.
#include "JsonLines.h"

#include <algorithm>

std::vector<JsonLine> ContentLines(std::string_view bytes) {
    std::vector<JsonLine> lines;
    for (std::size_t number = 1; !bytes.empty(); ++number) {
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const std::size_t first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos && line[first] != '#')
            lines.push_back({number, line});
    }
    return lines;
}
