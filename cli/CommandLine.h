// The command-line wizard's options: what they set, their accepted values and their parsing.
#pragma once

#include <string>
#include <variant>

inline constexpr const char* kCliName = "qx7r310-wizard-cli";

// Exit statuses, also listed by --help.
inline constexpr int kExitOk = 0;
inline constexpr int kExitWriteFailed = 1; // the output could not be written
inline constexpr int kExitBadUsage = 2;    // a bad option or value; nothing was written
inline constexpr int kExitSpliceFailed =
    3; // the standard INI splice failed; the plain file went out

// Everything a user can set in the two forms, with the forms' defaults.
struct WizardParameters {
    double inputFreqMHz = 11.0;
    double systemFreqMHz = 44.0;
    double vcoFreqMHz = -1.0; // -1 leaves the VCO frequency free
    int pllM = -1;            // -1 leaves the multiplier free
    int pllN = -1;            // -1 leaves the input divider free
    bool bypassPll = false;
    bool useMinFreq = false;
    int hwRev = 2;
    double frameRate = 30.0; // frames per second
    int outputColumns = 640;
    int outputRows = 480;
    bool allowSkipping = false;
    bool lowPower = false;
    bool variableFrameRate = false;
    double minFrameRate = 10.0; // frames per second
    int blankingMode = 0;
    int hBlank = 500; // pixels
    int vBlank = 500; // rows
    bool outputAsRegisters = true;
    bool directAddressing = true;
    bool useStandardIni = false;
    std::string standardIniPath;
};

struct CliRequest {
    WizardParameters parameters;
    std::string outputPath; // empty: standard output
    bool json = false;
};

// What the command line asks for: a run, or a text to print and an exit status (--help,
// --version, or the one-line error of a bad command line).
struct CliExit {
    int status = kExitOk;
    std::string text;
};

std::variant<CliRequest, CliExit> ParseCommandLine(int argc, const char* const* argv);

// The bytes of value with every control or non-ASCII byte escaped, so an error stays one line.
std::string QuoteValue(const std::string& value);
