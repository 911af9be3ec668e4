// Locale-independent number texts: the wizard's decimal rounding and the C library's conversions.
#pragma once

#include <string>

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
