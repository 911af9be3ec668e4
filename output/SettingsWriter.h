// The settings file for the camera-control application: number texts, line forms and Serialize.
#pragma once

#include "TextFile.h"
#include "WizardPrompt.h"

#include <cstdint>
#include <string>
#include <string_view>

class CKXC2280RegisterWizardDoc;

inline constexpr std::string_view kQuestionUseStandardIni =
    "Do you want to use the Standard INI file?";

// "0x" and the upper-case hex digits of value, zero-padded to min(width, 16) digits; a value
// with more digits than the width is printed in full.
std::string FormatHex(std::uint32_t value, int width);

// Turns text into comment lines: scanning from its second character, "; " goes in right after
// every line feed, the last one included.
std::string MarkAsComments(std::string text);

// The lines of the [PLL_settings] section, and of the [Timing_settings] section, for the
// document's registers, output form, addressing and PLL bypass; no section header.
std::string BuildPllSectionLines(const CKXC2280RegisterWizardDoc& doc);
std::string BuildTimingSectionLines(const CKXC2280RegisterWizardDoc& doc);

// Rebuilds m_strIniHeader, m_strIniPllSection and m_strIniTimingSection from the document.
void BuildSettingsBuffers(CKXC2280RegisterWizardDoc& doc);

// The framework's archive as the document sees it: a direction, the open file and the prompt.
class CArchive {
public:
    enum Mode { store, load };

    CArchive(Mode mode, COutputFile& file, IWizardPrompt& prompt)
        : m_mode(mode), m_file(file), m_prompt(prompt) {}

    bool IsStoring() const { return m_mode == store; }
    COutputFile& GetFile() const { return m_file; }
    IWizardPrompt& GetPrompt() const { return m_prompt; }

private:
    Mode m_mode;
    COutputFile& m_file;
    IWizardPrompt& m_prompt;
};

enum class SerializeResult {
    Loaded,               // loading direction: buffers emptied, nothing read
    PlainFile,            // the settings file alone
    SplicedFile,          // the standard INI file with the settings spliced in
    PlainFileAfterFailure // the splice failed (its message shown); the plain file was written
};

// Storing writes the settings file to the archive's file, splicing into the standard INI file
// when the document asks for it and the user agrees; loading only empties the three buffers.
// Failures of the file itself leave as CFileException.
SerializeResult Serialize(CKXC2280RegisterWizardDoc& doc, CArchive& ar);
