// The request a settings file echoes in its comment lines, declared once: each line's label, how
// its value is written and the parameter it restores. The writer prints these lines from the
// document; the reader of settings files takes the parameters back from them.
#pragma once

#include "Parameters.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

enum class EchoFormat {
    Checked,                    // "Checked" or "Unchecked"
    ThreeDecimals,              // "%.3f"
    Integer,                    // "%d"
    ThreeDecimalsOrUnspecified, // a free value (-1) is "Unspecified"
    IntegerOrUnspecified,       // a free value (-1) is "Unspecified"
    IntegrationTime,            // the sensor's fixed integration time; restores nothing
    Blanking,                   // the blanking computation, with the blanking a fixed one keeps
};

struct EchoLine {
    std::string_view label; // with its ": "
    std::size_t parameter;  // the row in kParameters; kParameterCount for a line that restores none
    EchoFormat format;
};

// After "Bypass PLL: Unchecked"; a bypassed PLL echoes none of them. The target system frequency
// is left out when "Use Min Freq." is checked, since the search then chooses it.
inline constexpr EchoLine kClockEcho[] = {
    {"Input Frequency: ", ParameterIndex("inputFreqMHz"), EchoFormat::ThreeDecimals},
    {"Use Min Freq.: ", ParameterIndex("useMinFreq"), EchoFormat::Checked},
    {"Target System Frequency: ", ParameterIndex("systemFreqMHz"), EchoFormat::ThreeDecimals},
    {"Target VCO Frequency: ", ParameterIndex("vcoFreqMHz"),
     EchoFormat::ThreeDecimalsOrUnspecified},
    {"\"M\" Value: ", ParameterIndex("pllM"), EchoFormat::IntegerOrUnspecified},
    {"\"N\" Value: ", ParameterIndex("pllN"), EchoFormat::IntegerOrUnspecified},
};

// The image request, as the timing summary opens.
inline constexpr EchoLine kTimingEcho[] = {
    {"Requested Frames Per Second: ", ParameterIndex("frameRate"), EchoFormat::ThreeDecimals},
    {"Output Columns: ", ParameterIndex("outputColumns"), EchoFormat::Integer},
    {"Output Rows: ", ParameterIndex("outputRows"), EchoFormat::Integer},
    {"Allow Skipping: ", ParameterIndex("allowSkipping"), EchoFormat::Checked},
    {"Integration Time: ", kParameterCount, EchoFormat::IntegrationTime},
    {"Low Power: ", ParameterIndex("lowPower"), EchoFormat::Checked},
    {"Blanking Computation: ", ParameterIndex("blankingMode"), EchoFormat::Blanking},
};

// The line's text after its label for the value the parameter holds in the document or in the
// image context (each parameter lives in one of them).
std::string EchoValueText(const EchoLine& line, const CKXC2280RegisterWizardDoc* doc,
                          const CImageContext* context);

// The value a text after the label stands for; none unless writing that value gives the text back
// exactly. Only for the formats of one number.
std::optional<double> EchoValue(EchoFormat format, std::string_view text);

// What a line of the format holds after its label, as the reader's messages say it.
std::string_view EchoValueDescription(EchoFormat format);

// The blanking computation's text: "HB Min then VB", "HB = 300 then VB", ...
std::string BlankingEchoText(int mode, int hBlank, int vBlank);
