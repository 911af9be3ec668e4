// The wizard's decimal rounding and printf-equivalent conversions built on std::to_chars.
#include "FormatDecimal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

// 2^53: below it every whole number is exact in a double.
constexpr double kExactIntegerLimit = 9007199254740992.0;

// More decimals than a double carries only add zeros; 18 keeps 10^n inside the int64 range.
constexpr int kMaxDecimals = 18;

constexpr auto kPowersOfTen = [] {
    std::array<std::int64_t, kMaxDecimals + 1> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i)
        powers[i] = powers[i - 1] * 10;
    return powers;
}();

// x scaled by 10^n and rounded half away from zero, kept in double so that no value can overflow
// an integer type.
double ScaleAndRound(double x, int n) {
    double r = x * std::pow(10.0, n + 1);
    r += x >= 0.0 ? 5.0 : -5.0;
    return std::trunc(r / 10.0);
}

// Below 2^53 FormatDecimal prints the scaled value's digits exactly, so equal texts are equal
// scaled values there.
bool IdentifiesText(double scaled) {
    return std::fabs(scaled) < kExactIntegerLimit;
}

constexpr double kMatchOffsetMHz = 0.00001;
constexpr int kMatchDecimals = 3;

std::string MatchText(double mhz) {
    return FormatDecimal(mhz + kMatchOffsetMHz, kMatchDecimals);
}

double MatchScaled(double mhz) {
    return ScaleAndRound(mhz + kMatchOffsetMHz, kMatchDecimals);
}

std::string ToChars(double x, std::chars_format fmt, int precision) {
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, fmt, precision);
    return std::string(buf, res.ptr);
}

} // namespace

std::string FormatDecimal(double x, int n) {
    if (!std::isfinite(x))
        return "n/a";
    n = std::clamp(n, 0, kMaxDecimals);

    const double r = ScaleAndRound(x, n);
    if (r == 0.0)
        return "0";

    const double a = std::fabs(r);
    std::string text = r < 0.0 ? "-" : "";
    if (a < kExactIntegerLimit) {
        // Below 2^53 the scaled value is an exact integer: split it into whole part and decimals
        // with integer arithmetic, which never loses a digit.
        const auto scaled = static_cast<std::int64_t>(a);
        const std::int64_t scale = kPowersOfTen[static_cast<std::size_t>(n)];
        text += FormatInt(scaled / scale);
        if (const std::int64_t digits = scaled % scale; digits != 0) {
            const std::string dec = FormatInt(digits);
            text += '.';
            text.append(static_cast<std::size_t>(n) - dec.size(), '0');
            text += dec;
        }
        return text;
    }
    // Beyond 2^53 a double has no more precision than its own decimal expansion, so that
    // expansion is printed, without the decimals when they are all zero.
    std::string digits = ToChars(std::fabs(x), std::chars_format::fixed, n);
    if (const auto dot = digits.find('.');
        dot != std::string::npos && digits.find_first_not_of('0', dot + 1) == std::string::npos)
        digits.erase(dot);
    return text + digits;
}

bool FrequenciesMatch(double a, double b) {
    return FrequencyMatcher(a).Matches(b);
}

FrequencyMatcher::FrequencyMatcher(double mhz)
    : m_scaled(MatchScaled(mhz)), m_text(MatchText(mhz)) {}

bool FrequencyMatcher::Matches(double mhz) const {
    const double scaled = MatchScaled(mhz);
    // Finite values print from their scaled value alone; the rest ("n/a", beyond 2^53) by text.
    if (std::isfinite(mhz) && IdentifiesText(scaled) && IdentifiesText(m_scaled))
        return scaled == m_scaled;
    return MatchText(mhz) == m_text;
}

std::string FormatFixed(double x, int precision) {
    return ToChars(x, std::chars_format::fixed, std::clamp(precision, 0, 60));
}

std::string FormatGeneral(double x) {
    return ToChars(x, std::chars_format::general, 6);
}

std::string FormatInt(long long x) {
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, res.ptr);
}
