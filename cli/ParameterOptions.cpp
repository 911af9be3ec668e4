// Parameter options from the parameter table, parsed with CLI11; numbers are read by
// std::from_chars, so they never depend on the process locale.
#include "ParameterOptions.h"

#include "FormatDecimal.h"
#include "InputFile.h"
#include "MessageText.h"
#include "ParameterJson.h"
#include "SettingsReader.h"

#include <CLI/CLI.hpp>

#include <charconv>

namespace {

constexpr const char* kParamsOption = "--params";
constexpr const char* kParamsAccepted = "a file name, or - for standard input";
constexpr const char* kParamsHelp =
    "parameters from a JSON object in FILE (- for standard input): the \"parameters\" object of "
    "--json, or a whole --json output; the options given here override it";
constexpr const char* kFromOption = "--from";
constexpr const char* kFromAccepted = "a file name";
constexpr const char* kFromHelp =
    "parameters from a settings file the wizard wrote, over the defaults and --params; the "
    "options given here override it. What the file does not hold (always the variable frame "
    "rate and its minimum) keeps its value from below, and a note on standard error says so";

bool ParseReal(const std::string& text, double& value) {
    const std::optional<double> parsed = ParseWholeNumber<double>(text);
    value = parsed.value_or(value);
    return parsed.has_value();
}

bool ParseInt(const std::string& text, int& value) {
    const std::optional<int> parsed = ParseWholeNumber<int>(text);
    value = parsed.value_or(value);
    return parsed.has_value();
}

// Takes an option's text into set; false when the parameter does not accept it.
bool TakeText(std::size_t index, const std::string& text, ParameterSet& set) {
    switch (kParameters[index].kind) {
    case ParameterKind::Real: {
        double value = 0.0;
        return ParseReal(text, value) && SetCheckedNumber(set, index, value);
    }
    case ParameterKind::Integer: {
        int value = 0;
        return ParseInt(text, value) && SetCheckedNumber(set, index, value);
    }
    case ParameterKind::Choice:
        return SetChoice(set, index, text);
    case ParameterKind::Text:
        set.SetText(index, text);
        // Naming a standard INI file on the command line asks for the splice as well.
        if (index == ParameterIndex("standardIniPath"))
            set.SetNumber(ParameterIndex("useStandardIni"), 1);
        return true;
    case ParameterKind::Flag:
        break;
    }
    set.SetNumber(index, 1);
    return true;
}

} // namespace

std::optional<std::string> ParameterArguments::ReadFiles() {
    if (paramsPath) {
        std::string text;
        if (std::optional<std::string> unreadable = ReadInputFile(*paramsPath, text))
            return "option " + std::string(kParamsOption) + ": " + *unreadable;
        const ParameterJsonRead read = ReadParameterJson(text, base);
        if (!read)
            return InputName(*paramsPath) + ": " + read.error;
    }
    if (fromPath) {
        const SettingsFileReadResult read = LoadSettingsFile(*fromPath);
        if (read.status == SettingsFileStatus::CannotOpen)
            return "option " + std::string(kFromOption) + ": " + OneLine(read.message);
        if (!read)
            return QuoteValue(*fromPath) + ": " + OneLine(read.message);
        if (const std::string untaken = UntakenValue(read.parameters); !untaken.empty())
            return QuoteValue(*fromPath) + ": the settings file gives " + OneLine(untaken);
        base.Overlay(read.parameters);
        for (const std::string& note : read.notes)
            notes.push_back(QuoteValue(*fromPath) + ": note: " + OneLine(note));
    }
    return std::nullopt;
}

ParameterSet ParameterArguments::Complete(ParameterSet set) const {
    set.Overlay(options);
    ApplyVariableFrameRateRule(set);
    return set;
}

ParameterOptions::ParameterOptions(CLI::App& app) {
    for (std::size_t i = 0; i < kParameterCount; ++i) {
        const ParameterInfo& row = kParameters[i];
        if (row.option == nullptr)
            continue;
        if (row.kind == ParameterKind::Flag) {
            m_options[i] = app.add_flag(row.option)->description(row.help);
            continue;
        }
        m_options[i] = app.add_option(row.option, m_texts[i], row.help)
                           ->type_name(row.valueName)
                           ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    }
    m_params = app.add_option(kParamsOption, m_paramsPath, kParamsHelp)
                   ->type_name("FILE|-")
                   ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    m_from = app.add_option(kFromOption, m_fromPath, kFromHelp)
                 ->type_name("FILE.ini")
                 ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
}

std::variant<ParameterArguments, std::string> ParameterOptions::Collect() const {
    ParameterArguments arguments;
    for (std::size_t i = 0; i < kParameterCount; ++i) {
        if (m_options[i] == nullptr || m_options[i]->count() == 0)
            continue;
        const ParameterInfo& row = kParameters[i];
        if (!TakeText(i, m_texts[i], arguments.options))
            return "option " + std::string(row.option) + ": invalid value " +
                   QuoteValue(m_texts[i]) + "; accepted: " + AcceptedValues(row);
    }
    if (m_params->count() != 0) {
        if (m_paramsPath.empty())
            return "option " + std::string(kParamsOption) + ": invalid value " +
                   QuoteValue(m_paramsPath) + "; accepted: " + kParamsAccepted;
        arguments.paramsPath = m_paramsPath;
    }
    if (m_from->count() != 0) {
        if (m_fromPath.empty())
            return "option " + std::string(kFromOption) + ": invalid value " +
                   QuoteValue(m_fromPath) + "; accepted: " + kFromAccepted;
        arguments.fromPath = m_fromPath;
    }
    return arguments;
}

bool ParameterOptions::IsFlag(std::string_view option) {
    const ParameterInfo* row = FindParameterByOption(option);
    return row != nullptr && row->kind == ParameterKind::Flag;
}

std::string ParameterOptions::AcceptedFor(std::string_view option) {
    if (option == kParamsOption)
        return kParamsAccepted;
    if (option == kFromOption)
        return kFromAccepted;
    const ParameterInfo* row = FindParameterByOption(option);
    return row != nullptr ? AcceptedValues(*row) : std::string();
}
