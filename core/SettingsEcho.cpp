// The settings file's echo lines: their values written and read back.
#include "SettingsEcho.h"

#include "FormatDecimal.h"

#include <cmath>

namespace {

constexpr double kFree = -1.0;
// The integration time the sensor is set up with; a request the file echoes, not a parameter.
constexpr double kIntegrationMs = 1.0;

std::optional<double> ThreeDecimals(std::string_view text) {
    const std::optional<double> value = ParseWholeNumber<double>(text, std::chars_format::fixed);
    if (!value || !std::isfinite(*value) || FormatFixed(*value, 3) != text)
        return std::nullopt;
    return value;
}

std::optional<double> Integer(std::string_view text) {
    const std::optional<int> value = ParseWholeNumber<int>(text);
    if (!value || FormatInt(*value) != text)
        return std::nullopt;
    return *value;
}

} // namespace

std::string EchoValueText(const EchoLine& line, const CKXC2280RegisterWizardDoc* doc,
                          const CImageContext* context) {
    if (line.format == EchoFormat::IntegrationTime)
        return FormatFixed(kIntegrationMs, 6) + " msec.";
    if (line.format == EchoFormat::Blanking)
        return BlankingEchoText(context->m_nBlankingMode, context->m_nHBlank, context->m_nVBlank);
    const double value = FieldNumber(kParameters[line.parameter], doc, context).value_or(0.0);
    switch (line.format) {
    case EchoFormat::Checked:
        return value != 0.0 ? "Checked" : "Unchecked";
    case EchoFormat::ThreeDecimalsOrUnspecified:
        if (value == kFree)
            return "Unspecified";
        [[fallthrough]];
    case EchoFormat::ThreeDecimals:
        return FormatFixed(value, 3);
    case EchoFormat::IntegerOrUnspecified:
        if (value == kFree)
            return "Unspecified";
        [[fallthrough]];
    default:
        return FormatInt(static_cast<long long>(value));
    }
}

std::optional<double> EchoValue(EchoFormat format, std::string_view text) {
    const bool unspecified = text == "Unspecified";
    switch (format) {
    case EchoFormat::Checked:
        if (text == "Checked")
            return 1.0;
        return text == "Unchecked" ? std::optional<double>(0.0) : std::nullopt;
    case EchoFormat::ThreeDecimals:
        return ThreeDecimals(text);
    case EchoFormat::ThreeDecimalsOrUnspecified:
        return unspecified ? kFree : ThreeDecimals(text);
    case EchoFormat::Integer:
        return Integer(text);
    case EchoFormat::IntegerOrUnspecified:
        return unspecified ? kFree : Integer(text);
    default:
        return std::nullopt;
    }
}

std::string_view EchoValueDescription(EchoFormat format) {
    switch (format) {
    case EchoFormat::Checked:
        return "\"Checked\" or \"Unchecked\"";
    case EchoFormat::ThreeDecimals:
        return "a number with three decimals";
    case EchoFormat::ThreeDecimalsOrUnspecified:
        return "\"Unspecified\" or a number with three decimals";
    case EchoFormat::Integer:
        return "an integer";
    case EchoFormat::IntegerOrUnspecified:
        return "\"Unspecified\" or an integer";
    case EchoFormat::IntegrationTime:
        return "the sensor's integration time";
    case EchoFormat::Blanking:
        return "one of the six blanking computations";
    }
    return {};
}

std::string BlankingEchoText(int mode, int hBlank, int vBlank) {
    switch (mode) {
    case kBlankHMinThenV:
        return "HB Min then VB";
    case kBlankHMaxThenV:
        return "HB Max then VB";
    case kBlankVMinThenH:
        return "VB Min then HB";
    case kBlankVMaxThenH:
        return "VB Max then HB";
    case kBlankHFixedThenV:
        return "HB = " + FormatInt(hBlank) + " then VB";
    case kBlankVFixedThenH:
        return "VB = " + FormatInt(vBlank) + " then HB";
    default:
        // Computed like mode 0; the text says so instead of naming a mode that does not exist.
        return "Unknown mode " + FormatInt(mode) + ", HB Min then VB used";
    }
}
