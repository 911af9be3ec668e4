// Reading a standard INI file and splicing the computed sections into it.
#pragma once

#include "TextFile.h"
#include "WizardPrompt.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CKXC2280RegisterWizardDoc;

inline constexpr std::string_view kIniPllHeader = "[PLL_settings]";
inline constexpr std::string_view kIniTimingHeader = "[Timing_settings]";
inline constexpr std::string_view kIniKeepTag = "// DO NOT REMOVE";
inline constexpr std::string_view kIniLoadPllSetup = "LOAD= PLL Setup - 16MHz External";

inline constexpr std::string_view kMsgCannotOpenStandardIni =
    "Unable to open standard ini file!\nOnly output the existing data.";
inline constexpr std::string_view kMsgMissingSections =
    "Can not find the required sections. Wrong standard INI file!";
inline constexpr std::string_view kMsgMissingTimingSection =
    "Can not find the [Timing_settings] section. Wrong standard INI file!";
inline constexpr std::string_view kMsgMissingPllSection =
    "Can not find the [PLL_settings] section. Wrong standard INI file!";
inline constexpr std::string_view kMsgMissingPllTag =
    "Wrong standard INI file! \nMissing (// DO NOT REMOVE) tag in [PLL_settings]";
inline constexpr std::string_view kMsgMissingTimingTag =
    "Wrong standard INI file! \nMissing (// DO NOT REMOVE) tag in [Timing_settings]";

// A standard INI file opened for reading line by line. Open reads the whole file at once and
// lets go of it, so the settings file may later replace the very file it was spliced from.
// Lines end with LF or CR LF and are returned without it; a last line without a line end is a
// line too; a line may be of any length.
class CStandardIniFile {
public:
    // False when the file cannot be opened or read (missing, a folder, no permission).
    bool Open(const std::string& path);
    // The next line into line; false only at the end of the file.
    bool ReadString(std::string& line);
    void SeekToBegin() { m_next = 0; }
    void Close();

private:
    std::string m_text;
    std::size_t m_next = 0; // offset of the next line in m_text
};

// Reads the file from its current position to its end and checks that it carries both sections,
// each closed by its tag line. Shows the message of the first problem met and returns false then.
bool CheckStandardIni(CStandardIniFile& file, IWizardPrompt& prompt);

// Copies the standard file named by the document into writer, replacing both section bodies with
// the wizard's comments and register lines and redirecting the PLL LOAD line. False, with the
// message shown, when the file cannot be opened or fails the check; the writer then holds a
// partial file that the caller gives up.
bool MergeStandardIni(const CKXC2280RegisterWizardDoc& doc, CTextFileWrite& writer,
                      IWizardPrompt& prompt);
