// Escaping values and texts for the command line's one-line messages.
#include "MessageText.h"

namespace {

void AppendHex(std::string& text, unsigned char byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    text += "\\x";
    text += kHex[byte >> 4];
    text += kHex[byte & 0xF];
}

} // namespace

std::string EscapeText(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
            AppendHex(escaped, byte);
        } else {
            if (c == '"' || c == '\\')
                escaped += '\\';
            escaped += c;
        }
    }
    return escaped;
}

std::string QuoteValue(std::string_view value) {
    std::string quoted = "\"";
    quoted += EscapeText(value);
    quoted += '"';
    return quoted;
}

std::string OneLine(std::string_view text) {
    std::string line;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            AppendHex(line, byte);
        else
            line += c;
    }
    return line;
}
