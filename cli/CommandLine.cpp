// Parsing the command-line wizard's options with CLI11; numbers are read by std::from_chars, so
// they never depend on the process locale.
#include "CommandLine.h"

#include "FormatDecimal.h"
#include "Version.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

namespace {

using NumberTarget = std::variant<double WizardParameters::*, int WizardParameters::*>;

// A numeric option and the range the forms accept for it; a double target takes any number, an
// int target only integers.
struct NumberOption {
    const char* name;
    const char* valueName;
    const char* help;
    double min;
    double max;
    NumberTarget target;
};

constexpr std::array<NumberOption, 10> kNumberOptions = {{
    {"--input-freq", "MHZ", "input (reference) clock frequency", 0, 9999,
     &WizardParameters::inputFreqMHz},
    {"--system-freq", "MHZ", "target system frequency", 0, 9999, &WizardParameters::systemFreqMHz},
    {"--vco-freq", "MHZ", "target VCO frequency; -1 leaves it free (default)", -1, 9999,
     &WizardParameters::vcoFreqMHz},
    {"--pll-m", "M", "fixed PLL multiplier M; -1 leaves it free (default)", INT_MIN, INT_MAX,
     &WizardParameters::pllM},
    {"--pll-n", "N", "fixed PLL input divider register N; -1 leaves it free (default)", INT_MIN,
     INT_MAX, &WizardParameters::pllN},
    {"--hw-rev", "1|2", "hardware revision (default 2)", 1, 2, &WizardParameters::hwRev},
    {"--fps", "FPS", "requested frames per second (default 30)", 0, 9999,
     &WizardParameters::frameRate},
    {"--columns", "N", "output columns (default 640)", 0, 9999, &WizardParameters::outputColumns},
    {"--rows", "N", "output rows (default 480)", 0, 9999, &WizardParameters::outputRows},
    {"--min-fps", "FPS",
     "minimum frames per second with variable frame rate (default 10, or --fps when lower)", 0,
     9999999, &WizardParameters::minFrameRate},
}};

constexpr std::size_t kMinFrameRateOption = 9;
static_assert(std::string_view(kNumberOptions[kMinFrameRateOption].name) == "--min-fps");

struct FlagOption {
    const char* name;
    const char* help;
    bool WizardParameters::*target;
};

const std::array<FlagOption, 5> kFlagOptions = {{
    {"--bypass-pll", "bypass the PLL: the system clock is the input clock",
     &WizardParameters::bypassPll},
    {"--use-min-freq", "the \"Use Min. Freq.\" box of the Clock Settings form",
     &WizardParameters::useMinFreq},
    {"--skipping", "allow the sensor to skip columns and rows", &WizardParameters::allowSkipping},
    {"--low-power", "low-power mode", &WizardParameters::lowPower},
    {"--variable-frame-rate", "variable frame rate down to --min-fps",
     &WizardParameters::variableFrameRate},
}};

// Blanking modes by their command-line names; hb=N and vb=N take a blanking count.
struct BlankingChoice {
    std::string_view name;
    int mode;
};
constexpr std::array<BlankingChoice, 4> kBlankingChoices = {{
    {"hb-min", 0},
    {"hb-max", 1},
    {"vb-min", 2},
    {"vb-max", 3},
}};
constexpr int kBlankingFixedH = 4;
constexpr int kBlankingFixedV = 5;
constexpr int kBlankingCountMax = 999999;

constexpr const char* kBlankingAccepted =
    "hb-min, hb-max, vb-min, vb-max, hb=N or vb=N with N an integer from 0 to 999999";
constexpr const char* kOutputAsAccepted = "registers or fields";
constexpr const char* kAddressingAccepted = "direct or indirect";
constexpr const char* kFileAccepted = "a file name";

constexpr const char* kHelpFooter =
    "Writes the settings file that File > Save writes, to standard output unless -o is given.\n"
    "\n"
    "Exit status:\n"
    "  0  done\n"
    "  1  the output could not be written; an existing output file is left as it was\n"
    "  2  bad command line (one line on standard error); nothing is written\n"
    "  3  the standard INI splice failed (its message on standard error); the plain settings\n"
    "     file was written instead";

bool ParseReal(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto res = std::from_chars(text.data(), end, value);
    if (res.ec != std::errc() || res.ptr != end || !std::isfinite(value))
        return false;
    value += 0.0; // "-0" is zero without a sign
    return true;
}

bool ParseInt(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    const auto res = std::from_chars(text.data(), end, value);
    return res.ec == std::errc() && res.ptr == end;
}

std::string Accepted(const NumberOption& option) {
    const bool integer = std::holds_alternative<int WizardParameters::*>(option.target);
    return std::string(integer ? "an integer" : "a number") + " from " +
           FormatDecimal(option.min, 0) + " to " + FormatDecimal(option.max, 0);
}

CliExit BadValue(std::string_view option, const std::string& value, std::string_view accepted) {
    return {kExitBadUsage, std::string(kCliName) + ": option " + std::string(option) +
                               ": invalid value " + QuoteValue(value) +
                               "; accepted: " + std::string(accepted) + "\n"};
}

CliExit Usage(const std::string& what) {
    return {kExitBadUsage, std::string(kCliName) + ": " + what + "\n"};
}

// What the option named takes, for the message about its missing value.
std::string AcceptedFor(const std::string& option) {
    for (const NumberOption& number : kNumberOptions)
        if (option == number.name)
            return Accepted(number);
    if (option == "--blanking")
        return kBlankingAccepted;
    if (option == "--output-as")
        return kOutputAsAccepted;
    if (option == "--addressing")
        return kAddressingAccepted;
    return kFileAccepted;
}

// Flags take no value; "--flag=VALUE" is refused whatever the value, an empty one included.
std::optional<CliExit> FlagGivenAValue(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            break;
        const std::size_t equals = arg.find('=');
        if (arg.rfind("--", 0) != 0 || equals == std::string_view::npos)
            continue;
        const std::string_view name = arg.substr(0, equals);
        const bool flag =
            name == "--json" || name == "--version" || name == "--help" ||
            std::any_of(kFlagOptions.begin(), kFlagOptions.end(),
                        [&](const FlagOption& option) { return name == option.name; });
        if (flag)
            return Usage("option " + std::string(name) + ": invalid value " +
                         QuoteValue(std::string(arg.substr(equals + 1))) +
                         "; accepted: the option alone, without a value");
    }
    return std::nullopt;
}

// CLI11 names the option first in the messages it raises for a missing value or a repeated
// option.
CliExit FromParseError(const CLI::ParseError& error) {
    const std::string message = error.what();
    const std::string option = message.substr(0, message.find_first_of(": "));
    if (option.rfind("--", 0) != 0)
        return Usage(message + "; see --help");
    if (message.find("At Most") != std::string::npos)
        return Usage("option " + option + ": given more than once; accepted: once");
    return Usage("option " + option + ": value missing; accepted: " + AcceptedFor(option));
}

// Blanking mode and, for hb=N and vb=N, the count; false when the text names none.
bool ParseBlanking(const std::string& text, WizardParameters& parameters) {
    for (const BlankingChoice& choice : kBlankingChoices) {
        if (text == choice.name) {
            parameters.blankingMode = choice.mode;
            return true;
        }
    }
    const std::string_view view = text;
    const bool horizontal = view.rfind("hb=", 0) == 0;
    if (!horizontal && view.rfind("vb=", 0) != 0)
        return false;
    int count = 0;
    if (!ParseInt(view.substr(3), count) || count < 0 || count > kBlankingCountMax)
        return false;
    parameters.blankingMode = horizontal ? kBlankingFixedH : kBlankingFixedV;
    (horizontal ? parameters.hBlank : parameters.vBlank) = count;
    return true;
}

} // namespace

std::string QuoteValue(const std::string& value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string quoted = "\"";
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
            quoted += "\\x";
            quoted += kHex[byte >> 4];
            quoted += kHex[byte & 0xF];
        } else {
            if (c == '"' || c == '\\')
                quoted += '\\';
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::variant<CliRequest, CliExit> ParseCommandLine(int argc, const char* const* argv) {
    CliRequest request;
    WizardParameters& parameters = request.parameters;

    CLI::App app{"QX7R310 Register Wizard without a window: computes the PLL, frame timing and "
                 "flicker settings and writes the settings file.",
                 kCliName};
    app.set_help_flag("--help", "print this help and exit");
    app.allow_extras();
    app.footer(kHelpFooter);

    std::array<std::string, kNumberOptions.size()> numberTexts;
    std::array<CLI::Option*, kNumberOptions.size()> numberOptions{};
    for (std::size_t i = 0; i < kNumberOptions.size(); ++i) {
        const NumberOption& number = kNumberOptions[i];
        numberOptions[i] = app.add_option(number.name, numberTexts[i], number.help)
                               ->type_name(number.valueName)
                               ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    }
    for (const FlagOption& flag : kFlagOptions)
        app.add_flag(flag.name, parameters.*flag.target, flag.help);

    std::string blanking, outputAs, addressing;
    auto* blankingOption = app.add_option("--blanking", blanking,
                                          "blanking computation: hb-min (default), hb-max, "
                                          "vb-min, vb-max, hb=N or vb=N (N 0 to 999999)")
                               ->type_name("MODE");
    auto* outputAsOption =
        app.add_option("--output-as", outputAs, "settings lines: registers (default) or fields")
            ->type_name("FORM");
    auto* addressingOption =
        app.add_option("--addressing", addressing,
                       "driver variables in register form: direct (default) or indirect")
            ->type_name("MODE");
    auto* standardIniOption =
        app.add_option("--standard-ini", parameters.standardIniPath,
                       "splice the settings into this standard INI file (the question is "
                       "answered Yes)")
            ->type_name("FILE");
    auto* outputOption = app.add_option("-o,--output", request.outputPath,
                                        "write to FILE, replacing it whole or not at all")
                             ->type_name("FILE");
    app.add_flag("--json", request.json,
                 "print every parameter and result as JSON (the settings file included) instead "
                 "of the settings file");
    bool version = false;
    app.add_flag("--version", version, "print the version and exit");
    for (CLI::Option* option :
         {blankingOption, outputAsOption, addressingOption, standardIniOption, outputOption})
        option->multi_option_policy(CLI::MultiOptionPolicy::Throw);

    if (std::optional<CliExit> refused = FlagGivenAValue(argc, argv))
        return *refused;
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        return CliExit{kExitOk, app.help()};
    } catch (const CLI::ParseError& error) {
        return FromParseError(error);
    }
    if (version)
        return CliExit{kExitOk,
                       std::string(kAppTitle) + " command line, " + GetVersionText() + "\n"};

    std::vector<std::string> extras = app.remaining();
    // "--" only ends the options; what follows it is an argument like any other.
    std::erase(extras, "--");
    if (!extras.empty()) {
        const std::string& first = extras.front();
        if (first.size() > 1 && first[0] == '-')
            return Usage("unknown option " + QuoteValue(first) +
                         "; accepted: the options listed by --help");
        return Usage("unexpected argument " + QuoteValue(first) +
                     "; accepted: options only, see --help");
    }

    for (std::size_t i = 0; i < kNumberOptions.size(); ++i) {
        if (numberOptions[i]->count() == 0)
            continue;
        const NumberOption& number = kNumberOptions[i];
        const std::string& text = numberTexts[i];
        double value = 0.0;
        bool ok = false;
        if (auto* intTarget = std::get_if<int WizardParameters::*>(&number.target)) {
            int integer = 0;
            ok = ParseInt(text, integer) && integer >= number.min && integer <= number.max;
            if (ok)
                parameters.*(*intTarget) = integer;
        } else {
            ok = ParseReal(text, value) && value >= number.min && value <= number.max;
            if (ok)
                parameters.*std::get<double WizardParameters::*>(number.target) = value;
        }
        if (!ok)
            return BadValue(number.name, text, Accepted(number));
    }
    if (blankingOption->count() != 0 && !ParseBlanking(blanking, parameters))
        return BadValue("--blanking", blanking, kBlankingAccepted);
    if (outputAsOption->count() != 0) {
        if (outputAs != "registers" && outputAs != "fields")
            return BadValue("--output-as", outputAs, kOutputAsAccepted);
        parameters.outputAsRegisters = outputAs == "registers";
    }
    if (addressingOption->count() != 0) {
        if (addressing != "direct" && addressing != "indirect")
            return BadValue("--addressing", addressing, kAddressingAccepted);
        parameters.directAddressing = addressing == "direct";
    }
    // Checking the Variable Frame Rate box drops the minimum to the frame rate when it lies above
    // it, else resets it to 10; a minimum typed afterwards replaces that.
    if (parameters.variableFrameRate && numberOptions[kMinFrameRateOption]->count() == 0)
        parameters.minFrameRate =
            parameters.minFrameRate > parameters.frameRate ? parameters.frameRate : 10.0;
    parameters.useStandardIni = standardIniOption->count() != 0;
    if (outputOption->count() != 0 && request.outputPath.empty())
        return BadValue("--output", request.outputPath, kFileAccepted);
    return request;
}
