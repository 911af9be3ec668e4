// Parsing the command-line wizard's options with CLI11: the parameter options, then the options of
// what it writes; every refusal is one line and exit status 2.
#include "CommandLine.h"

#include "Version.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <optional>
#include <span>
#include <vector>

namespace {

constexpr const char* kDescription =
    "QX7R310 Register Wizard without a window: computes the PLL, frame timing and flicker "
    "settings and writes the settings file.";
constexpr const char* kHelpFooter =
    "Writes the settings file that File > Save writes, to standard output unless -o is given.\n"
    "\n"
    "The parameters come in layers, each over the ones before, wherever the options stand:\n"
    "the defaults, --params, --from, the --batch line, then the parameter options.\n"
    "\n"
    "With --batch, each line of FILE gives one settings file, DIR/NAME.ini or DIR/line-N.ini.\n"
    "\n"
    "With --batch and --register-table, the modes of FILE as one C header for firmware and\n"
    "drivers; a mode whose timing is n/a is left out with a message on standard error.\n"
    "\n"
    "With --diff A B, the parameters and registers that differ between two settings files, or\n"
    "between two modes of the --batch file; nothing is printed when they are equal.\n"
    "\n"
    "With --batch and --switch A B, the settings-file lines that take the camera from mode A\n"
    "to mode B: the registers B's settings file writes that A's does not hold or holds\n"
    "differently, in that file's order, output form and addressing.\n"
    "\n"
    "With --list-pll, every PLL divider setting for the clock parameters instead, one row each:\n"
    "the closest to the target system frequency first (then the divider nearest to 8), the one\n"
    "the wizard picks marked *. A bypassed PLL uses no divider setting, so none is listed.\n"
    "\n"
    "Exit status:\n"
    "  0  done\n"
    "  1  the output could not be written; an existing output file is left as it was;\n"
    "     with --batch: a line failed (its error names the line), the other lines were written;\n"
    "     with --register-table: a mode was left out (timing n/a), the others were written;\n"
    "     with --diff: the two differ\n"
    "  2  bad command line, --params, --from, --diff, --switch or mode set input (one line on\n"
    "     standard error); nothing is written\n"
    "  3  the standard INI splice failed (its message on standard error); the plain settings\n"
    "     file was written instead\n"
    "  4  the timing of the request is n/a (a size outside the sensor, a frame rate too low\n"
    "     for its clock), or --strict refused a request the wizard had to adjust; one line on\n"
    "     standard error names the value and its limit, and nothing is written; with --batch\n"
    "     such a line fails alone, with status 1; with --register-table: no mode has a timing;\n"
    "     with --switch: the timing of one of the two modes is n/a\n"
    "\n"
    "A request the wizard adjusts (an input clock outside 4 to 44 MHz, a target it cannot\n"
    "match) is written with a warning line for each adjustment on standard error.";
constexpr const char* kFileAccepted = "a file name";
constexpr const char* kFolderAccepted = "a folder name";
constexpr std::string_view kOwnFlags[] = {"--json", "--list-pll", "--strict", "--version",
                                          "--help"};
constexpr std::string_view kHelpFlag[] = {"--help"};

CliExit Usage(std::string_view program, const std::string& what) {
    return {kExitBadUsage, std::string(program) + ": " + what + "\n"};
}

std::string BadValue(std::string_view option, const std::string& value, std::string_view accepted) {
    return "option " + std::string(option) + ": invalid value " + QuoteValue(value) +
           "; accepted: " + std::string(accepted);
}

bool IsFlag(std::string_view name, std::span<const std::string_view> ownFlags) {
    return ParameterOptions::IsFlag(name) ||
           std::find(ownFlags.begin(), ownFlags.end(), name) != ownFlags.end();
}

// Flags take no value; "--flag=VALUE" is refused whatever the value, an empty one included.
std::optional<std::string> FlagGivenAValue(int argc, const char* const* argv,
                                           std::span<const std::string_view> ownFlags) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            break;
        const std::size_t equals = arg.find('=');
        if (arg.rfind("--", 0) != 0 || equals == std::string_view::npos)
            continue;
        const std::string_view name = arg.substr(0, equals);
        if (IsFlag(name, ownFlags))
            return "option " + std::string(name) + ": invalid value " +
                   QuoteValue(arg.substr(equals + 1)) +
                   "; accepted: the option alone, without a value";
    }
    return std::nullopt;
}

// What the option named takes, for the message about its missing value.
std::string AcceptedFor(const std::string& option) {
    if (std::string accepted = ParameterOptions::AcceptedFor(option); !accepted.empty())
        return accepted;
    if (option == "--diff")
        return "two settings files, or with --batch two mode names";
    if (option == "--switch")
        return "two mode names of the --batch file";
    return option == "--out-dir" ? kFolderAccepted : kFileAccepted;
}

// CLI11 names the option first in the messages it raises for a missing value or a repeated
// option.
std::string FromParseError(const CLI::ParseError& error) {
    const std::string message = error.what();
    const std::string option = message.substr(0, message.find_first_of(": "));
    if (option.rfind("--", 0) != 0)
        return message + "; see --help";
    if (message.find("At Most") != std::string::npos)
        return "option " + option + ": given more than once; accepted: once";
    return "option " + option + ": value missing; accepted: " + AcceptedFor(option);
}

void SetUpApp(CLI::App& app) {
    app.set_help_flag("--help", "print this help and exit");
    app.allow_extras();
}

// Runs CLI11 over argv; the exit when the run ends here (--help, or a bad command line).
std::optional<CliExit> Parse(CLI::App& app, std::string_view program, int argc,
                             const char* const* argv, std::span<const std::string_view> ownFlags) {
    if (std::optional<std::string> refused = FlagGivenAValue(argc, argv, ownFlags))
        return Usage(program, *refused);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        return CliExit{kExitOk, app.help()};
    } catch (const CLI::ParseError& error) {
        return Usage(program, FromParseError(error));
    }
    return std::nullopt;
}

// What is left after the options: an unknown option or an argument, refused.
std::optional<std::string> LeftOver(const CLI::App& app) {
    std::vector<std::string> extras = app.remaining();
    // "--" only ends the options; what follows it is an argument like any other.
    std::erase(extras, "--");
    if (extras.empty())
        return std::nullopt;
    const std::string& first = extras.front();
    if (first.size() > 1 && first[0] == '-')
        return "unknown option " + QuoteValue(first) + "; accepted: the options listed by --help";
    return "unexpected argument " + QuoteValue(first) + "; accepted: options only, see --help";
}

// The options of what the tool writes: one settings file (or its JSON), or a batch of them.
class OutputOptions {
public:
    OutputOptions(CLI::App& app, CliRequest& request) {
        m_output = app.add_option("-o,--output", request.outputPath,
                                  "write to FILE, replacing it whole or not at all")
                       ->type_name("FILE");
        app.add_flag("--json", request.json,
                     "print every parameter and result as JSON (the settings file included) "
                     "instead of the settings file; with --batch one line per run (JSON Lines)");
        m_listPll = app.add_flag("--list-pll", request.listPll,
                                 "print every PLL divider setting for the clock parameters as a "
                                 "table (with --json as one JSON object) instead of the settings "
                                 "file; -o writes it to FILE");
        m_batch = app.add_option("--batch", request.batchPath,
                                 "one run per line of FILE (JSON Lines: a parameter object as "
                                 "--params takes it, with an optional \"name\"; blank lines and "
                                 "lines starting with # are skipped); a line goes over --params, "
                                 "the options over the line")
                      ->type_name("FILE|-");
        m_registerTable =
            app.add_option("--register-table", request.registerTablePath,
                           "with --batch: write the modes as one C header to FILE.h, replaced "
                           "whole: per mode an array of {address, value, width in bits}, and an "
                           "array describing the modes")
                ->type_name("FILE.h");
        m_diff = app.add_option("--diff", request.diff,
                                "print the parameters and registers that differ between two "
                                "settings files, or with --batch between two of its modes; "
                                "nothing when they are equal (exit status 0, else 1)")
                     ->type_name("FILE|MODE")
                     ->expected(2);
        m_switch = app.add_option("--switch", request.modeSwitch,
                                  "with --batch: print the settings-file lines that switch the "
                                  "camera from mode A to mode B")
                       ->type_name("MODE")
                       ->expected(2);
        m_outDir = app.add_option("--out-dir", request.outDir,
                                  "folder for the --batch settings files, NAME.ini or "
                                  "line-N.ini, replaced whole; created when missing")
                       ->type_name("DIR");
        app.add_flag("--strict", request.strict,
                     "refuse a request the wizard has to adjust (exit status 4) instead of "
                     "writing it with warnings");
        app.add_flag("--version", m_version, "print the version and exit");
        for (CLI::Option* option : {m_output, m_batch, m_outDir, m_registerTable, m_diff, m_switch})
            option->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    }

    bool Version() const { return m_version; }

    // Values and combinations the parser cannot check by itself.
    std::optional<std::string> Check(const CliRequest& request) const {
        if (m_output->count() != 0 && request.outputPath.empty())
            return BadValue("--output", request.outputPath, kFileAccepted);
        if (m_batch->count() != 0 && request.batchPath.empty())
            return BadValue("--batch", request.batchPath, "a file name, or - for standard input");
        if (m_outDir->count() != 0 && request.outDir.empty())
            return BadValue("--out-dir", request.outDir, kFolderAccepted);
        if (m_registerTable->count() != 0 && request.registerTablePath.empty())
            return BadValue("--register-table", request.registerTablePath, kFileAccepted);
        if (std::optional<std::string> refused = CheckModes(request))
            return refused;
        return CheckBatch(request);
    }

private:
    // --register-table, --diff and --switch each make the one output of the run.
    std::optional<std::string> CheckModes(const CliRequest& request) const {
        const bool table = m_registerTable->count() != 0;
        const bool diff = m_diff->count() != 0;
        const bool modeSwitch = m_switch->count() != 0;
        if (!table && !diff && !modeSwitch)
            return std::nullopt;
        const std::string option = table ? "--register-table" : diff ? "--diff" : "--switch";
        for (const CLI::Option* other : {m_output, m_outDir, m_listPll})
            if (other->count() != 0)
                return "option " + other->get_name() + ": not with " + option;
        if (table && diff)
            return std::string("option --diff: not with --register-table");
        if (modeSwitch && (table || diff))
            return "option --switch: not with " +
                   std::string(table ? "--register-table" : "--diff");
        if (modeSwitch && m_batch->count() == 0)
            return std::string("option --switch: needs --batch MODES.jsonl");
        if (modeSwitch && request.json)
            return std::string("option --json: not with --switch");
        // Neither refuses an adjusted request: the header notes it, the diff compares it.
        if (request.strict)
            return "option --strict: not with " + option;
        if (table && m_batch->count() == 0)
            return std::string("option --register-table: needs --batch MODES.jsonl");
        if (table && request.json)
            return std::string("option --json: not with --register-table");
        if (diff && m_batch->count() == 0 && request.arguments.fromPath)
            return std::string("option --from: not with --diff of two settings files");
        return std::nullopt;
    }

    std::optional<std::string> CheckBatch(const CliRequest& request) const {
        const bool batch = m_batch->count() != 0;
        const bool outDir = m_outDir->count() != 0;
        if (batch && m_listPll->count() != 0)
            return std::string("option --list-pll: not with --batch; it lists the settings of "
                               "one set of clock parameters");
        if (!batch && outDir)
            return std::string("option --out-dir: only with --batch");
        if (batch && m_output->count() != 0)
            return std::string("option --output: not with --batch; its files go to --out-dir");
        if (batch && request.json && outDir)
            return std::string("option --out-dir: not with --json; --json --batch writes JSON "
                               "Lines to standard output");
        if (batch && !request.json && !outDir && request.registerTablePath.empty() &&
            request.diff.empty() && request.modeSwitch.empty())
            return std::string("option --batch: needs --out-dir DIR, or --json for JSON Lines "
                               "on standard output");
        if (batch && request.batchPath == "-" && request.arguments.paramsPath == "-")
            return std::string("option --params: standard input already feeds --batch; "
                               "accepted: a file name");
        return std::nullopt;
    }

    CLI::Option* m_output = nullptr;
    CLI::Option* m_batch = nullptr;
    CLI::Option* m_outDir = nullptr;
    CLI::Option* m_listPll = nullptr;
    CLI::Option* m_registerTable = nullptr;
    CLI::Option* m_diff = nullptr;
    CLI::Option* m_switch = nullptr;
    bool m_version = false;
};

} // namespace

std::variant<CliRequest, CliExit> ParseCommandLine(int argc, const char* const* argv) {
    CLI::App app{kDescription, kCliName};
    SetUpApp(app);
    app.footer(kHelpFooter);
    const ParameterOptions parameters(app);
    CliRequest request;
    const OutputOptions output(app, request);
    if (std::optional<CliExit> stop = Parse(app, kCliName, argc, argv, kOwnFlags))
        return *stop;
    if (output.Version())
        return CliExit{kExitOk,
                       std::string(kAppTitle) + " command line, " + GetVersionText() + "\n"};
    if (std::optional<std::string> leftOver = LeftOver(app))
        return Usage(kCliName, *leftOver);

    auto collected = parameters.Collect();
    if (const std::string* refused = std::get_if<std::string>(&collected))
        return Usage(kCliName, *refused);
    request.arguments = std::move(std::get<ParameterArguments>(collected));
    if (std::optional<std::string> refused = output.Check(request))
        return Usage(kCliName, *refused);
    return request;
}

std::variant<ParameterSet, CliExit> ParseParameterArguments(std::string_view program, int argc,
                                                            const char* const* argv,
                                                            std::vector<std::string>* notes) {
    CLI::App app{"The QX7R310 Register Wizard's parameters.", std::string(program)};
    SetUpApp(app);
    const ParameterOptions parameters(app);
    if (std::optional<CliExit> stop = Parse(app, program, argc, argv, kHelpFlag))
        return *stop;
    if (std::optional<std::string> leftOver = LeftOver(app))
        return Usage(program, *leftOver);

    auto collected = parameters.Collect();
    if (const std::string* refused = std::get_if<std::string>(&collected))
        return Usage(program, *refused);
    ParameterArguments& arguments = std::get<ParameterArguments>(collected);
    if (std::optional<std::string> refused = arguments.ReadFiles())
        return Usage(program, *refused);
    if (notes != nullptr) {
        for (const std::string& note : arguments.notes)
            notes->push_back(std::string(program) + ": " + note);
    }
    return arguments.Complete(arguments.base);
}
