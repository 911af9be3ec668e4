// The wizard's decimal rounding and printf-equivalent conversions built on std::to_chars.
#include "FormatDecimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

// Above 2^53 every double is a whole number, so no decimals exist to round.
constexpr double kLargestFractional = 9007199254740992.0;

// More decimals than a double carries only add zeros; 18 keeps 10^n below the int64 range.
constexpr int kMaxDecimals = 18;

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
    if (std::fabs(x) >= kLargestFractional)
        return ToChars(x, std::chars_format::fixed, 0);

    // Scaled and rounded half away from zero, kept in double so that no value can overflow an
    // integer type: |x| < 2^53 and n <= 18 keep r far inside the double range.
    double r = x * std::pow(10.0, n + 1);
    r += x >= 0.0 ? 5.0 : -5.0;
    r = std::trunc(r / 10.0);
    if (r == 0.0)
        return "0";

    const double scale = std::pow(10.0, n);
    // The 1e-12 lifts values stored slightly low (0.29 is 0.28999...) back onto their digits.
    const double q = std::fabs(r) / scale + 0.000000000001;
    const double whole = std::floor(q);
    const auto digits = static_cast<std::int64_t>(std::trunc(scale * (q - whole)));

    std::string text = r < 0.0 ? "-" : "";
    text += FormatInt(static_cast<std::int64_t>(whole));
    if (digits != 0) {
        const std::string dec = FormatInt(digits);
        text += '.';
        text.append(static_cast<std::size_t>(n) - std::min<std::size_t>(dec.size(), n), '0');
        text += dec;
    }
    return text;
}

bool FrequenciesMatch(double a, double b) {
    return FormatDecimal(a + 0.00001, 3) == FormatDecimal(b + 0.00001, 3);
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
