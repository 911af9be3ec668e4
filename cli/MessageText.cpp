// Escaping values and texts for the command line's one-line messages.
#include "MessageText.h"

std::string EscapeText(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
            escaped += "\\x";
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0xF];
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
