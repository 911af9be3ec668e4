// The wizard's parameters on a command line: one option per parameter that has one (from the
// parameter table) and --params FILE|-, for the command-line wizard and any program that takes
// the same parameters.
#pragma once

#include "Parameters.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace CLI {
class App;
class Option;
} // namespace CLI

// The parameters of a command line in layers, so that a batch line can go between them: the
// defaults, the --params object over them, and the options over both.
struct ParameterArguments {
    std::optional<std::string> paramsPath; // --params FILE, or "-" for standard input
    ParameterSet base;                     // the defaults, and the --params object once read
    ParameterSet options;                  // only what the parameter options gave

    // Reads the --params object over the base. The refusal, in one line without the program
    // name, when the file cannot be read or its object is refused.
    std::optional<std::string> ReadParamsFile();
    // set with the options over it and the Variable Frame Rate box's rule applied.
    ParameterSet Complete(ParameterSet set) const;
};

class ParameterOptions {
public:
    // Adds the parameter options and --params to app, in table order.
    explicit ParameterOptions(CLI::App& app);

    // After app has parsed: the value of every option given, checked; --params is named, not read.
    // The refusal in one line without the program name ("option --fps: invalid value ...").
    std::variant<ParameterArguments, std::string> Collect() const;

    // Whether option is one of the parameter flags, which take no value.
    static bool IsFlag(std::string_view option);
    // What an option of these accepts, for the message about its missing value; empty for any
    // other option.
    static std::string AcceptedFor(std::string_view option);

private:
    std::array<std::string, kParameterCount> m_texts;
    std::array<CLI::Option*, kParameterCount> m_options{};
    std::string m_paramsPath;
    CLI::Option* m_params = nullptr;
};
