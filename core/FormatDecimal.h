// Locale-independent number texts: the wizard's decimal rounding and the C library's conversions.
#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

// x with n decimals, rounded half away from zero; all-zero decimals are left out ("44", not
// "44.000").
std::string FormatDecimal(double x, int n);

// Two frequencies match when both print the same with 3 decimals after adding 0.00001.
bool FrequenciesMatch(double a, double b);

// FrequenciesMatch against one frequency, prepared once for matching many others against it.
class FrequencyMatcher {
public:
    explicit FrequencyMatcher(double mhz);
    bool Matches(double mhz) const;

private:
    double m_scaled;    // the frequency's rounded value, scaled to three decimals
    std::string m_text; // what it prints as
};

// Exactly what printf gives in the "C" locale, whatever the process locale is.
std::string FormatFixed(double x, int precision); // "%.<precision>f"; "%f" is precision 6
std::string FormatGeneral(double x);              // "%g"
std::string FormatInt(long long x);               // "%d"

// The number the whole of text spells, read with std::from_chars (no locale, no blanks, no '+');
// none when anything is left over or the number is out of range. Doubles take the given format.
template <class Number>
std::optional<Number> ParseWholeNumber(std::string_view text,
                                       std::chars_format format = std::chars_format::general) {
    Number value{};
    const char* end = text.data() + text.size();
    std::from_chars_result res{};
    if constexpr (std::is_floating_point_v<Number>)
        res = std::from_chars(text.data(), end, value, format);
    else
        res = std::from_chars(text.data(), end, value);
    if (res.ec != std::errc() || res.ptr != end)
        return std::nullopt;
    return value;
}
