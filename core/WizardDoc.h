// The wizard document: every parameter, result, report text and register value of one run.
#pragma once

#include "ImageContext.h"
#include "Register.h"
#include "WizardMessages.h"

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
    double m_dTargetVcoFreq;    // MHz; exactly -1.0 means unspecified
    double m_dInputFreq;        // MHz; reference clock
    int m_nHwRev;               // 1 = "Rev1", 2 = "Rev2"
    int m_bUseMinFreq;          // flag: "Use Min. Freq."
    int m_bBypassPll;           // flag: "Bypass PLL"
    int m_nPllM;                // fixed multiplier 16 to 70, or -1 for free choice
    int m_nPllN;                // fixed N register value 0 to 63, or -1 for free choice
    std::string m_strClockReport;
    std::string m_strClockSummary;
    int m_bOutputAsRegisters; // flag: register form (1) or field form (0) of settings lines
    int m_bDirectAddressing;  // flag: direct or indirect addressing of driver variables
    int m_nActiveColumns = 0;
    int m_nActiveRows = 0;
    int m_nHBlankUsed = 0;           // pixels
    int m_nVBlankUsed = 0;           // rows
    double m_dActualFrameRate = 0.0; // frames per second without extra delay

    // Where CalculatePLL posts WM_WIZ_RECALC_TIMING; with none set nothing is posted.
    IMainFramePoster* m_pMainFrame = nullptr;

    // The system frequency last announced to the image timing side, in MHz. Process-wide, starts
    // at 0.0 and survives new documents.
    static double s_dLastSystemFreq;

    // Rebuilds the register list from the table and recalculates the clock; parameters are kept.
    bool OnNewDocument();

    // PLL search for the clock parameters: registers 0 and 1, clock summary and report, clock
    // warning bits, and the WM_WIZ_RECALC_TIMING announcement.
    void CalculatePLL();

    // Frame timing, integration and flicker settings for context 0: registers 2 to 14 and both
    // timing texts. A quiet run sets no warning bit and adds no "cannot match" lines.
    void ComputeTiming(bool bQuiet);
};

// The Clock Settings form's recalculation, shared with the callers without windows: clears the
// clock warning bits, runs CalculatePLL, then ComputeTiming(false).
void RecalculateClocks(CKXC2280RegisterWizardDoc& doc);

// The Image Timing form's recalculation once its request is in context 0: clears the timing warning
// bits and runs ComputeTiming(false).
void RecalculateTiming(CKXC2280RegisterWizardDoc& doc);
