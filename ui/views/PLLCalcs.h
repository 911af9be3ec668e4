// The Clock Settings page: input and target clocks, fixed M/N, bypass, HW revision, clock report.
#pragma once

#include "WizardFormView.h"

#include <QColor>

inline constexpr int IDD_CLOCK_SETTINGS = 101;
inline constexpr int IDC_BYPASS_PLL = 1127;
inline constexpr int IDC_BYPASS_PLL_LABEL = 1160;
inline constexpr int IDC_INPUT_FREQ = 1035;
inline constexpr int IDC_INPUT_RANGE = 1132;
inline constexpr int IDC_USE_MIN_FREQ = 1120;
inline constexpr int IDC_TARGET_SYSTEM_FREQ = 1036;
inline constexpr int IDC_TARGET_SYSTEM_LABEL = 1152;
inline constexpr int IDC_USE_VCO = 1119;
inline constexpr int IDC_TARGET_VCO_FREQ = 1039;
inline constexpr int IDC_TARGET_VCO_LABEL = 1153;
inline constexpr int IDC_USE_PLL_M = 1121;
inline constexpr int IDC_PLL_M = 1040;
inline constexpr int IDC_PLL_M_LABEL = 1130;
inline constexpr int IDC_USE_PLL_N = 1122;
inline constexpr int IDC_PLL_N = 1041;
inline constexpr int IDC_PLL_N_LABEL = 1131;
inline constexpr int IDC_CLOCK_REPORT = 1037;
inline constexpr int IDC_HW_REV = 1128;
inline constexpr int IDC_HW_REV_LABEL = 1145;
inline constexpr int IDC_INPUT_FREQ_LABEL = -1; // a static without an id of its own

class CPLLCalcs : public CWizardFormView {
public:
    explicit CPLLCalcs(const CViewContext& context, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    bool OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

    // Copies the form into the document, runs the clock and timing calculations, shows the report
    // and posts WM_WIZ_TIMING_CHANGED to the main frame.
    void Recalculate();
    // Enables the entries from the Bypass PLL, Use Min. Freq. and fixed-value boxes.
    void UpdateControlStates();

    QColor m_crWarning{255, 0, 0}; // background of an edit whose value cannot be matched

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnNotify(int id, Notify code) override;
    bool OnCtlColor(int id, QColor& text, QColor& background) override;

private:
    void OnFixedValueBox(int boxId, int editId);
    void OnUseMinFreqBox();
    // The recalculation of the document for its clock settings; then the clock side shown,
    // WM_WIZ_TIMING_CHANGED and WM_WIZ_CLOCKS_RECALCULATED.
    void RunClockSide();
    // The document's clock shown: the colours, the report, the target found in "Use Min. Freq."
    // mode.
    void ShowClockSide();
    // "Use Min. Freq." checked and the PLL not bypassed: the target edit shows the clock found.
    bool ShowsFoundTarget() const;
    // Puts mhz into the target edit as a shown value, which starts no recalculation.
    void ShowTarget(double mhz);
    // Fixes M and N of the packed setting and targets its system clock, so the search takes it.
    void UsePllSolution(std::uintptr_t packed);
    // Shows the clock parameters the document took from a settings file (the boxes of those
    // given), and recalculates.
    void RestoreParameters(const ParameterSet& given);
};
