// The settings file for the camera-control application: number texts, line forms and Serialize.
#pragma once

#include "TextFile.h"
#include "WizardPrompt.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CKXC2280RegisterWizardDoc;
class CRegister;

inline constexpr std::string_view kQuestionUseStandardIni =
    "Do you want to use the Standard INI file?";

// "0x" and the upper-case hex digits of value, zero-padded to min(width, 16) digits; a value
// with more digits than the width is printed in full.
std::string FormatHex(std::uint32_t value, int width);

// The lines of one register in the output form (registers or fields) and addressing given,
// exactly as the settings file writes them.
std::string RegisterLines(const CRegister& reg, bool outputAsRegisters, bool directAddressing);
// The register form's line that switches on direct addressing of driver variables; the settings
// file writes it once, before the first of them.
std::string DirectAddressingLine();

// One write on the camera's bus, as one line of the register form makes it.
struct BusWrite {
    std::uint32_t address;
    std::uint32_t value;
    int bits; // width of the register or variable written
};
BusWrite DirectAddressingWrite();
// The writes of reg's register-form lines, in their order: one, or the address and the data
// write of a variable reached indirectly. The table has no bit field, so a value is written whole.
std::vector<BusWrite> RegisterFormWrites(const CRegister& reg, bool directAddressing);

// Which rows of the document's register list a listing takes: every row when empty, otherwise
// the rows marked true.
using RegisterRowFilter = std::vector<bool>;

// The lines of the [PLL_settings] section, and of the [Timing_settings] section, for the
// document's registers, output form, addressing and PLL bypass; no section header. With rows,
// only the lines the section writes for those registers.
std::string BuildPllSectionLines(const CKXC2280RegisterWizardDoc& doc,
                                 const RegisterRowFilter& rows = {});
std::string BuildTimingSectionLines(const CKXC2280RegisterWizardDoc& doc,
                                    const RegisterRowFilter& rows = {});

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
