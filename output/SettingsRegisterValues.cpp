// Register values from the comments that end the lines of a settings file.
#include "SettingsRegisterValues.h"

#include "FormatDecimal.h"

#include <charconv>

namespace {

constexpr std::string_view kCommentStart = "\t\t//";
constexpr std::string_view kValueSign = " = ";

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::optional<std::size_t> RowNamed(std::string_view name) {
    for (std::size_t row = 0; row < kRegisterTable.size(); ++row)
        if (kRegisterTable[row].name == name)
            return row;
    return std::nullopt;
}

} // namespace

std::array<std::optional<std::uint32_t>, kRegisterCount>
ReadSettingsRegisterValues(std::string_view bytes) {
    std::array<std::optional<std::uint32_t>, kRegisterCount> values;
    std::string_view pending; // the variable whose data line follows its address line
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        const std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
        const std::size_t start = line.find(kCommentStart);
        std::string_view comment =
            start == std::string_view::npos ? "" : line.substr(start + kCommentStart.size());
        if (comment.ends_with('\r'))
            comment.remove_suffix(1);
        const std::size_t sign = comment.find(kValueSign);
        std::string_view name = Trimmed(comment.substr(0, sign));
        if (sign == std::string_view::npos) {
            pending = name;
            continue;
        }
        if (name.empty())
            name = pending;
        pending = {};
        const std::string_view digits = comment.substr(sign + kValueSign.size());
        const std::optional<std::uint32_t> value = ParseWholeNumber<std::uint32_t>(digits);
        const std::optional<std::size_t> row = RowNamed(name);
        if (row && value)
            values[*row] = *value;
    }
    return values;
}
