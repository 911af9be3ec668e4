// The wizard document: every parameter, result, report text and register value of one run.
#pragma once

#include "ImageContext.h"
#include "Register.h"

#include <optional>

#include <array>
#include <string>
#include <vector>

// Saving lives in the output layer, which provides Serialize(CKXC2280RegisterWizardDoc&, ...) and
// fills the m_strIni... buffers; the core knows nothing about files. The fields that carry request
// parameters get their construction values from the parameter table (Parameters.h).
class CKXC2280RegisterWizardDoc {
public:
    // Every request parameter at its default, except the settings lines, which are in field form
    // until the register view ticks its box; computes nothing.
    CKXC2280RegisterWizardDoc();

    std::vector<CRegister> m_Registers; // the register table's rows, in table order
    std::string m_strIniHeader;         // comment block of the settings file
    std::string m_strIniPllSection;     // lines of the [PLL_settings] section
    std::string m_strIniTimingSection;  // lines of the [Timing_settings] section
    std::string m_strStandardIniPath;
    int m_bUseStandardIni; // flag: splice into the standard INI file when saving
    std::array<CImageContext, 1> m_Contexts;
    double m_dTargetSystemFreq; // MHz; the system clock the timing runs on
    // MHz; the target as entered, which "Use Min. Freq." replaces by the clock it finds and falls
    // back to when no clock gives the frame rate. Taken from m_dTargetSystemFreq at each
    // recalculation of the clock settings.
    double m_dEnteredSystemFreq;
    double m_dTargetVcoFreq; // MHz; exactly -1.0 means unspecified
    double m_dInputFreq;     // MHz; reference clock
    int m_nHwRev;            // 1 = "Rev1", 2 = "Rev2"
    int m_bUseMinFreq;       // flag: "Use Min. Freq."
    int m_bBypassPll;        // flag: "Bypass PLL"
    int m_nPllM;             // fixed multiplier 16 to 70, or -1 for free choice
    int m_nPllN;             // fixed N register value 0 to 63, or -1 for free choice
    std::string m_strClockReport;
    std::string m_strClockSummary;
    int m_bOutputAsRegisters; // flag: register form (1) or field form (0) of settings lines
    int m_bDirectAddressing;  // flag: direct or indirect addressing of driver variables
    int m_nActiveColumns = 0;
    int m_nActiveRows = 0;
    int m_nHBlankUsed = 0;           // pixels
    int m_nVBlankUsed = 0;           // rows
    double m_dActualFrameRate = 0.0; // frames per second without extra delay

    // Rebuilds the register list from the table and recalculates the clock; parameters are kept.
    bool OnNewDocument();

    // PLL search for the clock parameters: registers 0 and 1, clock summary and report, clock
    // warning bits; with "Use Min. Freq." the target becomes the lowest clock that gives the
    // requested frame rate.
    void CalculatePLL();

    // Frame timing, integration and flicker settings for context 0: registers 2 to 14 and both
    // timing texts. A quiet run sets no warning bit and adds no "cannot match" lines.
    void ComputeTiming(bool bQuiet);
};

// What the user changed, which decides where a recalculation starts.
enum class UserChange {
    ClockSettings, // a clock parameter: everything is computed again
    ImageRequest,  // the image request: the timing, and the clock when it is the minimum for it
};

// What a recalculation computed again, for the views to show.
struct Changes {
    bool clock = false;  // registers 0 and 1, the clock summary and report
    bool timing = false; // registers 2 to 14, the timing summary and report, the warning bits
    // The system clock "Use Min. Freq." found for the image request, when it searched.
    std::optional<double> foundMinimumMHz;

    bool Registers() const { return clock || timing; }
};

// The one recalculation of the document after a change: the clock side (when it depends on the
// change), then the frame timing, the flicker rows and the reports, each once.
Changes Recalculate(CKXC2280RegisterWizardDoc& doc, UserChange change);
