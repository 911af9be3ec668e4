// Reading a settings file of the wizard back into the parameters its comment block and sections
// echo, and restoring them into a document.
#pragma once

#include "Parameters.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

enum class SettingsFileStatus {
    Read,       // the parameters and notes hold what the file says
    CannotOpen, // the file could not be opened or read; nothing was looked at
    Refused,    // not a settings file of this wizard, or a damaged one; nothing is returned
};

struct SettingsFileReadResult {
    SettingsFileStatus status = SettingsFileStatus::Refused;
    ParameterSet parameters;        // what the file holds; nothing given unless read
    std::vector<std::string> notes; // what the file does not hold, and that it is kept
    std::string message;            // unless read: why, naming the line that failed
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

// The parameters the file holds go into a document with ApplyGivenParameters; every other
// member keeps its value, and recalculating is the caller's business.
