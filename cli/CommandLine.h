// The command-line wizard's command line: the parameter options, --params, --from, and what the
// tool writes and where; parsed without touching any file.
#pragma once

#include "MessageText.h"
#include "ParameterOptions.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

inline constexpr const char* kCliName = "qx7r310-wizard-cli";

// Exit statuses, also listed by --help.
inline constexpr int kExitOk = 0;
inline constexpr int kExitWriteFailed =
    1;                                  // the output could not be written, or a batch line failed
inline constexpr int kExitBadUsage = 2; // a bad option, value or input; nothing was written
inline constexpr int kExitSpliceFailed =
    3; // the standard INI splice failed; the plain file went out
// The request's timing is "n/a", or --strict refused an adjusted request; nothing was written.
inline constexpr int kExitRequestRefused = 4;
// --diff: the two differ (0: they are equal), as diff says it.
inline constexpr int kExitDiffer = 1;

struct CliRequest {
    ParameterArguments arguments;
    std::string outputPath; // empty: standard output
    bool json = false;
    bool listPll = false;  // --list-pll: the PLL divider settings instead of the settings file
    bool strict = false;   // --strict: an adjusted request is refused like an "n/a" one
    std::string batchPath; // --batch: one run per line of this file; empty for a single run
    std::string outDir;    // --out-dir: where the batch's settings files go
    std::string registerTablePath; // --register-table: the C header of the batch's modes
    std::vector<std::string> diff; // --diff A B: two settings files, or two modes of the batch
    std::vector<std::string> modeSwitch; // --switch A B: two modes of the batch
};

// What the command line asks for: a run, or a text to print and an exit status (--help,
// --version, or the one-line error of a bad command line).
struct CliExit {
    int status = kExitOk;
    std::string text;
};

std::variant<CliRequest, CliExit> ParseCommandLine(int argc, const char* const* argv);

// The parameter options, --params and --from alone, for a program that takes the wizard's
// parameters the way the command-line wizard does: argv[0] is the program's name, every other
// argument a parameter option (--help lists them). Both files are read; messages start with
// program. The notes of the --from file, when notes is given, go there as whole lines ("program:
// \"x.ini\": note: ...").
std::variant<ParameterSet, CliExit>
ParseParameterArguments(std::string_view program, int argc, const char* const* argv,
                        std::vector<std::string>* notes = nullptr);
