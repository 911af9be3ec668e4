// The Image Timing page: frame rate, output size, skipping, blanking policy and the timing report.
#pragma once

#include "WizardFormView.h"

#include <QColor>

inline constexpr int IDD_IMAGE_TIMING = 103;
inline constexpr int IDC_IMAGE_GROUP = 1021;
inline constexpr int IDC_FRAME_RATE_LABEL = 1178;
inline constexpr int IDC_FRAME_RATE = 1002;
inline constexpr int IDC_OUTPUT_COLUMNS_LABEL = 1179;
inline constexpr int IDC_OUTPUT_COLUMNS = 1003;
inline constexpr int IDC_OUTPUT_ROWS_LABEL = 1180;
inline constexpr int IDC_OUTPUT_ROWS = 1004;
inline constexpr int IDC_SKIPPING_LABEL = 1031;
inline constexpr int IDC_SKIPPING = 1030;
inline constexpr int IDC_BINNING = 1024;
inline constexpr int IDC_BINNING_LABEL = 1025;
inline constexpr int IDC_X_ONLY = 1033;
inline constexpr int IDC_X_ONLY_LABEL = 1034;
inline constexpr int IDC_VARIABLE_FRAME_RATE = 1157;
inline constexpr int IDC_MIN_FRAME_RATE = 1158;
inline constexpr int IDC_MIN_FRAME_RATE_LABEL = 1159;
inline constexpr int IDC_HBLANK_GROUP = 1181;
inline constexpr int IDC_HBLANK_MIN = 1026;
inline constexpr int IDC_HBLANK_FIXED = 1036;
inline constexpr int IDC_HBLANK = 1005;
inline constexpr int IDC_HBLANK_MAX = 1027;
inline constexpr int IDC_VBLANK_GROUP = 1182;
inline constexpr int IDC_VBLANK_MIN = 1028;
inline constexpr int IDC_VBLANK_FIXED = 1039;
inline constexpr int IDC_VBLANK = 1007;
inline constexpr int IDC_VBLANK_MAX = 1029;
inline constexpr int IDC_TIMING_REPORT = 1018;
inline constexpr int IDC_HORZ_MIRROR = 1139;
inline constexpr int IDC_VERT_FLIP = 1141;
inline constexpr int IDC_FLICKER_60HZ = 1161;
inline constexpr int IDC_JPEG = 1138;
inline constexpr int IDC_LOW_POWER = 1126;
inline constexpr int IDC_LOW_POWER_LABEL = 1032;

// String resources of the tooltips.
inline constexpr int IDS_TIP_FRAME_RATE = 135;
inline constexpr int IDS_TIP_OUTPUT_COLUMNS = 136;
inline constexpr int IDS_TIP_OUTPUT_ROWS = 137;

// The string resource id's text, or an empty string for an unknown id.
QString LoadWizardString(int id);

class CImageParms : public CWizardFormView {
public:
    explicit CImageParms(const CViewContext& context, QWidget* parent = nullptr);

    // 0: the full form; 1: the reduced form, every control hidden (it edits context 0 all the
    // same and, having nothing to show, does not recompute at its initial update).
    void SetContext(int nMode);
    void OnInitialUpdate() override;
    bool OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

    // Reads the form, copies it into the document's context, recalculates the document for the new
    // image request, shows the report and posts WM_WIZ_TIMING_CHANGED (and
    // WM_WIZ_CLOCKS_RECALCULATED when the minimum clock followed the request); with bNotify (a
    // change the user made) it also posts WM_WIZ_RECALC_CONTEXT to the main frame.
    void Recompute(bool bNotify);
    // The document's timing shown: the report and the warning colours. Computes nothing.
    void ShowTiming();

    // The tooltip text of a control: a string resource for the frame rate and the output size,
    // empty for every other control; at most 79 characters.
    static QString ToolTipText(int id);

    int m_bFollowOtherContext = 1;
    int m_nContext = 0; // index of the document context this form edits

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnNotify(int id, Notify code) override;
    bool OnCtlColor(int id, QColor& text, QColor& background) override;

private:
    void SelectBlankingRadio(int radioId);
    void OnTextChanged(int id);
    void EnableXOnly();
    int ContextIndex() const;
    // The image context this form edits.
    CImageContext& Context() const;
    // Shows the image request the document took from a settings file, and recomputes.
    void RestoreParameters(const ParameterSet& given);

    QColor m_crText{255, 255, 255};   // text of a red box
    QColor m_crBackground{255, 0, 0}; // background of a red box
    bool m_bReduced = false;
};
