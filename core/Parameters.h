// The request parameters of the two forms and the register view, declared once: JSON key, caption,
// unit, kind, default, accepted range, the document field each lands in and its command-line
// option. Defaults, range checks, the forms' validation, JSON and the command line all read them.
#pragma once

#include "WizardDoc.h"

#include <array>
#include <bitset>
#include <climits>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

enum class ParameterKind {
    Real,    // a finite number within the range
    Integer, // a whole number within the range
    Flag,    // 0 or 1; true or false in JSON
    Choice,  // one of the named values
    Text,    // a file name
};

// A named value of a choice. A name ending in "=N" also accepts its prefix followed by a count,
// which sets the parameter countKey as well ("hb=300": mode 4 and 300 pixels of blanking).
struct ParameterChoice {
    const char* name;
    int value;
    const char* countKey = nullptr;
};

// The document field a parameter lands in: a member of the document, or of its image context.
using ParameterField =
    std::variant<std::monostate, double CKXC2280RegisterWizardDoc::*,
                 int CKXC2280RegisterWizardDoc::*, std::string CKXC2280RegisterWizardDoc::*,
                 double CImageContext::*, int CImageContext::*>;

struct ParameterInfo {
    const char* key;   // JSON key
    const char* label; // the caption the form shows for it
    const char* unit;  // empty for flags, choices and file names
    ParameterKind kind;
    double defaultValue = 0.0; // as Set Defaults and the initial updates give it; a choice's value
    double min = 0.0;          // accepted range of a real or integer, inclusive
    double max = 0.0;
    // An optional value left free is -1; this is what the form's edit offers until the user fixes
    // one.
    double formPreset = 0.0;
    std::span<const ParameterChoice> choices = {};
    ParameterField field = {};    // none for a second name of another parameter's field
    const char* sameFieldAs = ""; // that parameter's key
    const char* option = nullptr; // command-line option; none when set only through JSON
    const char* valueName = "";   // the option's value in the help
    const char* help = "";        // the option's help
};

inline constexpr ParameterChoice kBlankingChoices[] = {
    {"hb-min", kBlankHMinThenV},           {"hb-max", kBlankHMaxThenV},
    {"vb-min", kBlankVMinThenH},           {"vb-max", kBlankVMaxThenH},
    {"hb=N", kBlankHFixedThenV, "hBlank"}, {"vb=N", kBlankVFixedThenH, "vBlank"},
};
inline constexpr ParameterChoice kOutputAsChoices[] = {{"registers", 1}, {"fields", 0}};
inline constexpr ParameterChoice kAddressingChoices[] = {{"direct", 1}, {"indirect", 0}};

// In the order of the "parameters" object of the command line's JSON output.
inline constexpr std::array<ParameterInfo, 23> kParameters = {{
    {.key = "inputFreqMHz",
     .label = "Input Frequency (MHz)",
     .unit = "MHz",
     .kind = ParameterKind::Real,
     .defaultValue = 11.0,
     .max = 9999.0,
     .field = &CKXC2280RegisterWizardDoc::m_dInputFreq,
     .option = "--input-freq",
     .valueName = "MHZ",
     .help = "input (reference) clock frequency"},
    {.key = "systemFreqMHz",
     .label = "Target System Frequency (MHz)",
     .unit = "MHz",
     .kind = ParameterKind::Real,
     .defaultValue = 44.0,
     .max = 9999.0,
     .field = &CKXC2280RegisterWizardDoc::m_dTargetSystemFreq,
     .option = "--system-freq",
     .valueName = "MHZ",
     .help = "target system frequency"},
    {.key = "vcoFreqMHz",
     .label = "Target VCO Frequency (MHz)",
     .unit = "MHz",
     .kind = ParameterKind::Real,
     .defaultValue = -1.0,
     .min = -1.0,
     .max = 9999.0,
     .formPreset = 528.0,
     .field = &CKXC2280RegisterWizardDoc::m_dTargetVcoFreq,
     .option = "--vco-freq",
     .valueName = "MHZ",
     .help = "target VCO frequency; -1 leaves it free (default)"},
    {.key = "pllM",
     .label = "Specify \"M\" value",
     .unit = "",
     .kind = ParameterKind::Integer,
     .defaultValue = -1,
     .min = INT_MIN,
     .max = INT_MAX,
     .formPreset = 49,
     .field = &CKXC2280RegisterWizardDoc::m_nPllM,
     .option = "--pll-m",
     .valueName = "M",
     .help = "fixed PLL multiplier M; -1 leaves it free (default)"},
    {.key = "pllN",
     .label = "Specify \"N\" value",
     .unit = "",
     .kind = ParameterKind::Integer,
     .defaultValue = -1,
     .min = INT_MIN,
     .max = INT_MAX,
     .formPreset = 2,
     .field = &CKXC2280RegisterWizardDoc::m_nPllN,
     .option = "--pll-n",
     .valueName = "N",
     .help = "fixed PLL input divider register N; -1 leaves it free (default)"},
    {.key = "bypassPll",
     .label = "Bypass PLL",
     .unit = "",
     .kind = ParameterKind::Flag,
     .field = &CKXC2280RegisterWizardDoc::m_bBypassPll,
     .option = "--bypass-pll",
     .help = "bypass the PLL: the system clock is the input clock"},
    {.key = "useMinFreq",
     .label = "Use Min. Freq.",
     .unit = "",
     .kind = ParameterKind::Flag,
     .field = &CKXC2280RegisterWizardDoc::m_bUseMinFreq,
     .option = "--use-min-freq",
     .help = "the \"Use Min. Freq.\" box of the Clock Settings form"},
    {.key = "hwRev",
     .label = "HW Rev.",
     .unit = "",
     .kind = ParameterKind::Integer,
     .defaultValue = 2,
     .min = 1,
     .max = 2,
     .field = &CKXC2280RegisterWizardDoc::m_nHwRev,
     .option = "--hw-rev",
     .valueName = "1|2",
     .help = "hardware revision (default 2)"},
    {.key = "frameRate",
     .label = "Max. Frames Rate",
     .unit = "fps",
     .kind = ParameterKind::Real,
     .defaultValue = 30.0,
     .max = 9999.0,
     .field = &CImageContext::m_dFrameRate,
     .option = "--fps",
     .valueName = "FPS",
     .help = "requested frames per second (default 30)"},
    {.key = "outputColumns",
     .label = "Output Columns",
     .unit = "pixels",
     .kind = ParameterKind::Integer,
     .defaultValue = 640,
     .max = 9999,
     .field = &CImageContext::m_nOutputColumns,
     .option = "--columns",
     .valueName = "N",
     .help = "output columns (default 640)"},
    {.key = "outputRows",
     .label = "Output Rows",
     .unit = "rows",
     .kind = ParameterKind::Integer,
     .defaultValue = 480,
     .max = 9999,
     .field = &CImageContext::m_nOutputRows,
     .option = "--rows",
     .valueName = "N",
     .help = "output rows (default 480)"},
    {.key = "allowSkipping",
     .label = "Skipping",
     .unit = "",
     .kind = ParameterKind::Flag,
     .field = &CImageContext::m_bAllowSkipping,
     .option = "--skipping",
     .help = "allow the sensor to skip columns and rows"},
    {.key = "lowPower",
     .label = "Low-Power Mode",
     .unit = "",
     .kind = ParameterKind::Flag,
     .field = &CImageContext::m_bLowPower,
     .option = "--low-power",
     .help = "low-power mode"},
    {.key = "variableFrameRate",
     .label = "Variable Frame Rate",
     .unit = "",
     .kind = ParameterKind::Flag,
     .field = &CImageContext::m_bVariableFrameRate,
     .option = "--variable-frame-rate",
     .help = "variable frame rate down to --min-fps"},
    {.key = "minFrameRate",
     .label = "Min. Frame Rate",
     .unit = "fps",
     .kind = ParameterKind::Real,
     .defaultValue = 10.0,
     .max = 9999999.0,
     .field = &CImageContext::m_dMinFrameRate,
     .option = "--min-fps",
     .valueName = "FPS",
     .help = "minimum frames per second with variable frame rate (default 10, or --fps when "
             "lower)"},
    {.key = "blankingMode",
     .label = "Blanking Computation",
     .unit = "",
     .kind = ParameterKind::Integer,
     .defaultValue = kBlankHMinThenV,
     .min = kBlankHMinThenV,
     .max = kBlankVFixedThenH,
     .field = &CImageContext::m_nBlankingMode},
    {.key = "blanking",
     .label = "Blanking Computation",
     .unit = "",
     .kind = ParameterKind::Choice,
     .defaultValue = kBlankHMinThenV,
     .choices = kBlankingChoices,
     .sameFieldAs = "blankingMode",
     .option = "--blanking",
     .valueName = "MODE",
     .help = "blanking computation: hb-min (default), hb-max, vb-min, vb-max, hb=N or vb=N (N 0 "
             "to 999999)"},
    {.key = "hBlank",
     .label = "Horizontal Blanking (pixels)",
     .unit = "pixels",
     .kind = ParameterKind::Integer,
     .defaultValue = 500,
     .max = 999999,
     .field = &CImageContext::m_nHBlank},
    {.key = "vBlank",
     .label = "Vertical Blanking (rows)",
     .unit = "rows",
     .kind = ParameterKind::Integer,
     .defaultValue = 500,
     .max = 999999,
     .field = &CImageContext::m_nVBlank},
    {.key = "outputAs",
     .label = "Output as registers instead of variables",
     .unit = "",
     .kind = ParameterKind::Choice,
     .defaultValue = 1,
     .choices = kOutputAsChoices,
     .field = &CKXC2280RegisterWizardDoc::m_bOutputAsRegisters,
     .option = "--output-as",
     .valueName = "FORM",
     .help = "settings lines: registers (default) or fields"},
    {.key = "addressing",
     .label = "Direct Addressing",
     .unit = "",
     .kind = ParameterKind::Choice,
     .defaultValue = 1,
     .choices = kAddressingChoices,
     .field = &CKXC2280RegisterWizardDoc::m_bDirectAddressing,
     .option = "--addressing",
     .valueName = "MODE",
     .help = "driver variables in register form: direct (default) or indirect"},
    {.key = "useStandardIni",
     .label = "Use the Standard INI file",
     .unit = "",
     .kind = ParameterKind::Flag,
     .field = &CKXC2280RegisterWizardDoc::m_bUseStandardIni},
    // Naming the file on the command line also asks for the splice (useStandardIni).
    {.key = "standardIniPath",
     .label = "Standard INI file",
     .unit = "",
     .kind = ParameterKind::Text,
     .field = &CKXC2280RegisterWizardDoc::m_strStandardIniPath,
     .option = "--standard-ini",
     .valueName = "FILE",
     .help = "splice the settings into this standard INI file (the question is answered Yes)"},
}};

inline constexpr std::size_t kParameterCount = kParameters.size();

// The row of a key, found at compile time; a key that is not in the table does not compile.
consteval std::size_t ParameterIndex(std::string_view key) {
    for (std::size_t i = 0; i < kParameterCount; ++i) {
        if (key == kParameters[i].key)
            return i;
    }
    throw "no parameter has this key";
}

consteval const ParameterInfo& Parameter(std::string_view key) {
    return kParameters[ParameterIndex(key)];
}

// A parameter's default in the type of the form member or field that holds it.
template <class T> consteval T ParameterDefault(std::string_view key) {
    return static_cast<T>(Parameter(key).defaultValue);
}
template <class T> consteval T ParameterPreset(std::string_view key) {
    return static_cast<T>(Parameter(key).formPreset);
}

// Looked up at run time; nullptr when nothing matches.
const ParameterInfo* FindParameter(std::string_view key);
const ParameterInfo* FindParameterByOption(std::string_view option);
std::size_t IndexOf(const ParameterInfo& row);

// The known key nearest to an unknown one: the key of an option spelt the same (without "--"),
// else the key with the fewest edits, ignoring case.
const ParameterInfo& NearestParameter(std::string_view unknownKey);

// One value per parameter, and which of them a source gave.
class ParameterSet {
public:
    // Every parameter at its default; none given.
    ParameterSet();

    double Number(std::size_t index) const { return m_numbers[Slot(index)]; }
    const std::string& Text(std::size_t index) const { return m_texts[Slot(index)]; }
    bool Given(std::size_t index) const { return m_given[Slot(index)]; }
    // The number when the source gave it.
    std::optional<double> GivenNumber(std::size_t index) const {
        return Given(index) ? std::optional<double>(Number(index)) : std::nullopt;
    }

    // Unchecked: the value must suit the parameter (a whole number for every kind but a real);
    // values from outside go through SetCheckedNumber and SetChoice.
    void SetNumber(std::size_t index, double value);
    void SetText(std::size_t index, std::string text);
    // Takes every value that top gave.
    void Overlay(const ParameterSet& top);

    // The same parameters given, with the same values; what was not given does not count.
    friend bool operator==(const ParameterSet& a, const ParameterSet& b);

private:
    static std::size_t Slot(std::size_t index);

    std::array<double, kParameterCount> m_numbers{};
    std::array<std::string, kParameterCount> m_texts;
    std::bitset<kParameterCount> m_given;
};

// The defaults of every parameter, shared.
const ParameterSet& DefaultParameters();

// What a parameter accepts, as the messages say it: "a number from 0 to 9999", "an integer from 1
// to 2", "registers or fields", "hb-min, ..., hb=N or vb=N with N an integer from 0 to 999999",
// "true or false", "a file name".
std::string AcceptedValues(const ParameterInfo& row);

// Sets a real, integer or flag parameter; false, changing nothing, when the value is not finite,
// not whole where a whole number is due, or out of range. A negative zero is stored as zero.
bool SetCheckedNumber(ParameterSet& set, std::size_t index, double value);
// Sets a choice by one of its names (with the count of an "=N" choice); false, changing nothing,
// when the text names none.
bool SetChoice(ParameterSet& set, std::size_t index, std::string_view text);
// The name of a choice's value; nullptr when no choice has it.
const char* ChoiceName(const ParameterInfo& row, double value);
// The first value a set gives that its parameter does not take (a HW Rev of 3 in a settings file
// edited by hand, say), as the messages say it: "3 for \"HW Rev.\", which takes an integer from 1
// to 2". Empty when every value given is taken.
std::string UntakenValue(const ParameterSet& set);

// The Variable Frame Rate box, when it is checked, drops the minimum frame rate to the frame rate
// when the minimum lies above it, and otherwise resets it to the default minimum.
double MinFrameRateOnVariableFrameRate(double minFrameRate, double frameRate);
// The same for a set that turns variable frame rate on without a minimum of its own.
void ApplyVariableFrameRateRule(ParameterSet& set);

// Writes every parameter into its field: those of the document itself and of image context 0.
// Reals land in double fields and the other kinds in int fields, so the numbers of a set must be
// whole and within the int range wherever the kind is not real (the checked setters see to that).
void ApplyParameters(const ParameterSet& set, CKXC2280RegisterWizardDoc& doc);
// Only the image request: the parameters that land in an image context.
void ApplyParameters(const ParameterSet& set, CImageContext& context);
// Only what the set's source gave, into the document and image context 0; every other field keeps
// its value.
void ApplyGivenParameters(const ParameterSet& set, CKXC2280RegisterWizardDoc& doc);
// The number a parameter's field holds, in the document or in the image context, whichever owns
// the field; none when that one is not given or the field holds a text.
std::optional<double> FieldNumber(const ParameterInfo& row, const CKXC2280RegisterWizardDoc* doc,
                                  const CImageContext* context);
// Every parameter as the document and image context 0 hold it, all given.
ParameterSet ParametersOf(const CKXC2280RegisterWizardDoc& doc);

// The Image Timing form's request as the form sets it up before its first run: the defaults of
// the parameters that land in an image context.
void ApplyImageFormDefaults(CImageContext& context);

// A new document as one run of the command-line wizard makes it: the register rows filled, the
// parameters applied and everything computed once for them.
void RunNewDocument(const ParameterSet& parameters, CKXC2280RegisterWizardDoc& doc);
