// Version text from the version numbers compiled into the build and the compiler's date text.
#include "Version.h"

#include "FormatDecimal.h"

#include <algorithm>
#include <cctype>

namespace {

// printf "%0<width>d": the sign first, then zeros up to the width.
std::string ZeroPadded(int value, int width) {
    std::string digits = FormatInt(value < 0 ? -static_cast<long long>(value) : value);
    const int signWidth = value < 0 ? 1 : 0;
    const int pad = width - signWidth - static_cast<int>(digits.size());
    std::string text = value < 0 ? "-" : "";
    if (pad > 0)
        text.append(static_cast<std::size_t>(pad), '0');
    return text + digits;
}

void SkipBlanks(std::string_view& s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
}

// Like sscanf "%d": blanks, an optional sign and digits; false when no number follows.
bool ReadInt(std::string_view& s, int& value) {
    SkipBlanks(s);
    const std::size_t sign = !s.empty() && (s.front() == '+' || s.front() == '-') ? 1 : 0;
    const std::size_t end = std::min(s.find_first_not_of("0123456789", sign), s.size());
    // from_chars takes no '+'; a '-' stays part of the number.
    const std::size_t first = !s.empty() && s.front() == '+' ? 1 : 0;
    const std::optional<int> number = ParseWholeNumber<int>(s.substr(first, end - first));
    if (!number)
        return false;
    value = *number;
    s.remove_prefix(end);
    return true;
}

int MonthNumber(std::string_view month) {
    static constexpr std::string_view kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int i = 0; i < 12; ++i)
        if (month == kMonths[i])
            return i + 1;
    return 0;
}

} // namespace

std::optional<FileVersion> GetBuildFileVersion() {
#if defined(QX_VERSION_MAJOR) && defined(QX_VERSION_MINOR) && defined(QX_VERSION_PATCH) &&         \
    defined(QX_VERSION_TWEAK)
    return FileVersion{QX_VERSION_MAJOR, QX_VERSION_MINOR, QX_VERSION_PATCH, QX_VERSION_TWEAK};
#else
    return std::nullopt;
#endif
}

std::string FormatVersionText(const std::optional<FileVersion>& version,
                              std::string_view compileDate) {
    std::string text = "Version: -.-.-.-";
    if (version) {
        text = "Version: ";
        for (std::size_t i = 0; i < version->size(); ++i) {
            if (i > 0)
                text += '.';
            text += FormatInt((*version)[i]);
        }
    }

    // "%3s %d %d": up to three non-blank characters, then day and year; what cannot be read
    // stays 0.
    std::string_view s = compileDate;
    SkipBlanks(s);
    std::size_t len = 0;
    while (len < 3 && len < s.size() && !std::isspace(static_cast<unsigned char>(s[len])))
        ++len;
    const std::string_view month = s.substr(0, len);
    s.remove_prefix(len);
    int day = 0;
    int year = 0;
    if (ReadInt(s, day))
        ReadInt(s, year);

    text += "    Build Date: ";
    text +=
        ZeroPadded(MonthNumber(month), 2) + "/" + ZeroPadded(day, 2) + "/" + ZeroPadded(year, 4);
    return text;
}

std::string GetVersionText() {
    return FormatVersionText(GetBuildFileVersion(), __DATE__);
}
