// The wizard's parameters on a command line: one option per parameter that has one (from the
// parameter table), --params FILE|- and --from FILE.ini, for the command-line wizard and any
// program that takes the same parameters.
#pragma once

#include "Parameters.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace CLI {
class App;
class Option;
} // namespace CLI

// The parameters of a command line in layers, so that a batch line can go between them: the
// defaults, the --params object over them, the --from settings file over both, and the options
// over everything. The layers keep this order wherever the options stand on the command line.
struct ParameterArguments {
    std::optional<std::string> paramsPath; // --params FILE, or "-" for standard input
    std::optional<std::string> fromPath;   // --from FILE.ini, a settings file of the wizard
    ParameterSet base;                     // the defaults, with both files over them once read
    ParameterSet options;                  // only what the parameter options gave
    // What the --from file does not hold and so keeps its value from the layers below, one line
    // each without the program name ("\"x.ini\": note: ..."); information, not an error.
    std::vector<std::string> notes;

    // Reads the --params object, then the --from settings file, over the base. The refusal, in
    // one line without the program name, when a file cannot be read or is refused.
    std::optional<std::string> ReadFiles();
    // set with the options over it and the Variable Frame Rate box's rule applied.
    ParameterSet Complete(ParameterSet set) const;
};

class ParameterOptions {
public:
    // Adds the parameter options, --params and --from to app, in table order.
    explicit ParameterOptions(CLI::App& app);

    // After app has parsed: the value of every option given, checked; the files of --params and
    // --from are named, not read.
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
    std::string m_fromPath;
    CLI::Option* m_from = nullptr;
};
