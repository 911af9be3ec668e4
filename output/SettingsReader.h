// Reading a settings file of the wizard back into the parameters its comment block and sections
// echo, and restoring them into a document.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CKXC2280RegisterWizardDoc;

// Far larger than any settings file the wizard writes, even one spliced into a standard INI file.
inline constexpr std::size_t kSettingsFileMaxBytes = 1024 * 1024;

// Told with every file read: the variable frame rate is an input the file does not echo.
inline constexpr std::string_view kNoteVariableFrameRate =
    "Variable frame rate and its minimum frame rate are not in the file: they keep their current "
    "values.";
inline constexpr std::string_view kNoteTargetWithMinFreq =
    "The target system frequency is not in the file (\"Use Min. Freq.\" was checked): it keeps "
    "its current value.";
inline constexpr std::string_view kNoteBypassedPll =
    "The PLL was bypassed: the input frequency is taken from the system output clock (half of "
    "it), and \"Use Min. Freq.\", the target system and VCO frequencies, M and N are not in the "
    "file: they keep their current values.";
inline constexpr std::string_view kNoteFieldForm =
    "The addressing of driver variables is not in a file of the field form: it keeps its current "
    "value.";

// The parameters a settings file holds, named after the document members they restore; those of
// the image request belong to context 0. An empty one is not in the file.
struct SettingsFileParameters {
    // Clock Settings form
    std::optional<int> m_bBypassPll;
    std::optional<double> m_dInputFreq; // MHz; with a bypassed PLL twice the system output clock
    std::optional<int> m_bUseMinFreq;
    std::optional<double> m_dTargetSystemFreq; // MHz; not with "Use Min. Freq." or a bypass
    std::optional<double> m_dTargetVcoFreq;    // MHz; -1.0 when the file says "Unspecified"
    std::optional<int> m_nPllM;                // -1 when the file says "Unspecified"
    std::optional<int> m_nPllN;                // -1 when the file says "Unspecified"
    std::optional<int> m_nHwRev;
    // Image Timing form, context 0
    std::optional<double> m_dFrameRate;
    std::optional<int> m_nOutputColumns;
    std::optional<int> m_nOutputRows;
    std::optional<int> m_bAllowSkipping;
    std::optional<int> m_bLowPower;
    std::optional<int> m_nBlankingMode;
    std::optional<int> m_nHBlank; // only with "HB = %d then VB"
    std::optional<int> m_nVBlank; // only with "VB = %d then HB"
    // Register view
    std::optional<int> m_bOutputAsRegisters;
    std::optional<int> m_bDirectAddressing; // only in the register form

    friend bool operator==(const SettingsFileParameters&, const SettingsFileParameters&) = default;
};

enum class SettingsFileStatus {
    Read,       // the parameters and notes hold what the file says
    CannotOpen, // the file could not be opened or read; nothing was looked at
    Refused,    // not a settings file of this wizard, or a damaged one; nothing is returned
};

struct SettingsFileReadResult {
    SettingsFileStatus status = SettingsFileStatus::Refused;
    SettingsFileParameters parameters; // all empty unless read
    std::vector<std::string> notes;    // what the file does not hold, and that it is kept
    std::string message;               // unless read: why, naming the line that failed
    int line = 0; // refused: that line, counted from 1; 0 when the reading itself failed (memory)

    explicit operator bool() const { return status == SettingsFileStatus::Read; }
};

// Reads the bytes of a settings file the wizard wrote, plain or spliced into a standard INI file,
// in either output form and addressing. Lines end with CR LF or LF. A file over
// kSettingsFileMaxBytes, of another program, cut short or with an echo line that does not parse
// exactly is refused as a whole. Never throws.
SettingsFileReadResult ReadSettingsFile(std::string_view bytes) noexcept;

// Reads the regular file at path, at most one byte over kSettingsFileMaxBytes of it, as above.
SettingsFileReadResult LoadSettingsFile(const std::string& path) noexcept;

// Sets the document members the file holds; every other member keeps its value. Recalculating is
// the caller's business.
void ApplySettingsFileParameters(const SettingsFileParameters& parameters,
                                 CKXC2280RegisterWizardDoc& doc);
