// Image Timing form: data exchange, blanking radio group, notifications, colours and messages.
#include "ImageParms.h"

#include "TimingCalc.h"
#include "WizardMessages.h"

#include <QComboBox>
#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr ControlTemplate kControls[] = {
    {IDC_IMAGE_GROUP, CtlKind::GroupBox, "Desired Output Image", {7, 7, 150, 120}, CtlNone},
    {IDC_FRAME_RATE_LABEL, CtlKind::Static, Parameter("frameRate").label, {15, 22, 62, 8}, CtlNone},
    {IDC_FRAME_RATE, CtlKind::ComboBox, "", {80, 20, 60, 120}, CtlEditable},
    {IDC_OUTPUT_COLUMNS_LABEL,
     CtlKind::Static,
     Parameter("outputColumns").label,
     {15, 38, 62, 8},
     CtlNone},
    {IDC_OUTPUT_COLUMNS, CtlKind::Edit, "", {80, 36, 60, 12}, CtlNone},
    {IDC_OUTPUT_ROWS_LABEL,
     CtlKind::Static,
     Parameter("outputRows").label,
     {15, 54, 62, 8},
     CtlNone},
    {IDC_OUTPUT_ROWS, CtlKind::Edit, "", {80, 52, 60, 12}, CtlNone},
    {IDC_SKIPPING, CtlKind::CheckBox, "", {15, 70, 10, 10}, CtlManual},
    {IDC_SKIPPING_LABEL,
     CtlKind::Static,
     Parameter("allowSkipping").label,
     {28, 71, 45, 8},
     CtlNone},
    {IDC_BINNING, CtlKind::CheckBox, "", {80, 70, 10, 10}, CtlNone},
    {IDC_BINNING_LABEL, CtlKind::Static, "Use Binning", {93, 71, 50, 8}, CtlNone},
    {IDC_X_ONLY, CtlKind::CheckBox, "", {80, 82, 10, 10}, CtlNone},
    {IDC_X_ONLY_LABEL, CtlKind::Static, "X-only", {93, 83, 40, 8}, CtlNone},
    {IDC_VARIABLE_FRAME_RATE,
     CtlKind::CheckBox,
     Parameter("variableFrameRate").label,
     {15, 86, 100, 10},
     CtlNone},
    {IDC_MIN_FRAME_RATE, CtlKind::Edit, "", {15, 100, 50, 12}, CtlDisabled},
    {IDC_MIN_FRAME_RATE_LABEL,
     CtlKind::Static,
     Parameter("minFrameRate").label,
     {70, 102, 70, 8},
     CtlNone},
    {IDC_LOW_POWER, CtlKind::CheckBox, "", {15, 114, 10, 10}, CtlHidden},
    {IDC_LOW_POWER_LABEL,
     CtlKind::Static,
     Parameter("lowPower").label,
     {28, 115, 70, 8},
     CtlHidden},
    {IDC_HORZ_MIRROR, CtlKind::CheckBox, "Horizontal Mirror", {80, 70, 70, 10}, CtlNone},
    {IDC_VERT_FLIP, CtlKind::CheckBox, "Vertical Flip", {80, 82, 70, 10}, CtlNone},
    {IDC_FLICKER_60HZ, CtlKind::CheckBox, "Flicker 60 Hz", {100, 114, 50, 10}, CtlHidden},
    {IDC_JPEG, CtlKind::CheckBox, "JPEG", {100, 114, 45, 10}, CtlNone},
    {IDC_HBLANK_GROUP, CtlKind::GroupBox, Parameter("hBlank").label, {7, 134, 150, 46}, CtlNone},
    {IDC_HBLANK_MIN, CtlKind::RadioButton, "Min", {15, 148, 40, 10}, CtlManual},
    {IDC_HBLANK_MAX, CtlKind::RadioButton, "Max", {70, 148, 40, 10}, CtlManual},
    {IDC_HBLANK_FIXED, CtlKind::RadioButton, "", {15, 163, 10, 10}, CtlManual},
    {IDC_HBLANK, CtlKind::Edit, "", {28, 161, 60, 12}, CtlNone},
    {IDC_VBLANK_GROUP, CtlKind::GroupBox, Parameter("vBlank").label, {7, 186, 150, 46}, CtlNone},
    {IDC_VBLANK_MIN, CtlKind::RadioButton, "Min", {15, 200, 40, 10}, CtlManual},
    {IDC_VBLANK_MAX, CtlKind::RadioButton, "Max", {70, 200, 40, 10}, CtlManual},
    {IDC_VBLANK_FIXED, CtlKind::RadioButton, "", {15, 215, 10, 10}, CtlManual},
    {IDC_VBLANK, CtlKind::Edit, "", {28, 213, 60, 12}, CtlNone},
    {IDC_TIMING_REPORT, CtlKind::RichEdit, "", {165, 7, 228, 456}, CtlReadOnly | CtlVScroll},
};
constexpr DialogTemplate kDialog{IDD_IMAGE_TIMING, 400, 470, kControls};

// The six blanking radio buttons, in mode order 0 to 5.
constexpr std::array<int, 6> kBlankingRadios = {IDC_HBLANK_MIN, IDC_HBLANK_MAX,   IDC_VBLANK_MIN,
                                                IDC_VBLANK_MAX, IDC_HBLANK_FIXED, IDC_VBLANK_FIXED};
static_assert(kBlankingRadios[kBlankHFixedThenV] == IDC_HBLANK_FIXED);
static_assert(kBlankingRadios[kBlankVFixedThenH] == IDC_VBLANK_FIXED);

constexpr std::array<const char*, 21> kFrameRates = {
    "55",    "45",     "36.67",  "27.5",  "24.5",  "22",    "18.57",
    "15.8",  "14.645", "14.125", "13.81", "12.91", "12.25", "11.55",
    "10.45", "9.5",    "8.45",   "7.32",  "6.45",  "5.36",  "5.11"};

// Controls the reduced form hides.
constexpr int kReducedHidden[] = {IDC_IMAGE_GROUP,
                                  IDC_HORZ_MIRROR,
                                  IDC_VERT_FLIP,
                                  IDC_SKIPPING,
                                  IDC_TIMING_REPORT,
                                  IDC_FRAME_RATE,
                                  IDC_OUTPUT_COLUMNS,
                                  IDC_OUTPUT_ROWS,
                                  IDC_VARIABLE_FRAME_RATE,
                                  IDC_MIN_FRAME_RATE,
                                  IDC_HBLANK_MIN,
                                  IDC_HBLANK_MAX,
                                  IDC_VBLANK_MIN,
                                  IDC_VBLANK_MAX,
                                  IDC_HBLANK_FIXED,
                                  IDC_VBLANK_FIXED,
                                  IDC_VBLANK,
                                  IDC_HBLANK,
                                  IDC_MIN_FRAME_RATE_LABEL,
                                  IDC_SKIPPING_LABEL,
                                  IDC_FRAME_RATE_LABEL,
                                  IDC_OUTPUT_COLUMNS_LABEL,
                                  IDC_OUTPUT_ROWS_LABEL,
                                  IDC_HBLANK_GROUP,
                                  IDC_VBLANK_GROUP};

// Controls the initial update hides for good.
constexpr int kNeverShown[] = {IDC_BINNING, IDC_BINNING_LABEL, IDC_X_ONLY,     IDC_X_ONLY_LABEL,
                               IDC_JPEG,    IDC_VERT_FLIP,     IDC_HORZ_MIRROR};

// A text that names a sensor size has it as %1.
struct WizardString {
    int id;
    const char* text;
    int sensorSize = 0;
};
constexpr WizardString kStrings[] = {
    {IDS_TIP_FRAME_RATE, "Enter the desired Frames Per Second (FPS) for this context (be exact)"},
    {IDS_TIP_OUTPUT_COLUMNS, "Enter the desired # of columns in the final image (1 to %1)",
     SensorLimits::kColumns},
    {IDS_TIP_OUTPUT_ROWS, "Enter the desired # of rows in the final image (1 to %1)",
     SensorLimits::kRows},
};

struct ControlString {
    int control;
    int stringId;
};
constexpr ControlString kToolTips[] = {{IDC_FRAME_RATE, IDS_TIP_FRAME_RATE},
                                       {IDC_OUTPUT_COLUMNS, IDS_TIP_OUTPUT_COLUMNS},
                                       {IDC_OUTPUT_ROWS, IDS_TIP_OUTPUT_ROWS}};
// Tools the initial update enables; those without a string show an empty (no) tooltip.
constexpr int kToolControls[] = {IDC_FRAME_RATE,    IDC_OUTPUT_COLUMNS, IDC_OUTPUT_ROWS,
                                 IDC_TIMING_REPORT, IDC_HBLANK,         IDC_VBLANK};
constexpr int kToolTipMaxChars = 79;

// A hint that names a sensor size has it as %1, and the sizes that skipping reads every second
// and every fourth column or row of as %2 and %3: the full size holds them 2 and 4 times.
struct FocusHint {
    int id;
    const char* text;
    int sensorSize = 0;
};
constexpr FocusHint kFocusHints[] = {
    {IDC_FRAME_RATE, "Frames Per Second: Enter desired # of frames per second for this mode"},
    {IDC_OUTPUT_COLUMNS,
     "Output Columns: Enter desired # of colums to output in final image for this mode (1 to "
     "%1; with skipping, %2 or fewer read every 2nd column, %3 or fewer every 4th)",
     SensorLimits::kColumns},
    {IDC_OUTPUT_ROWS,
     "Output Rows: Enter desired # of rows to output in final image for this mode (1 to %1; "
     "with skipping, %2 or fewer read every 2nd row, %3 or fewer every 4th)",
     SensorLimits::kRows},
    {IDC_HBLANK, "HBlank Pixels: Enter desired # of horizontal blanking pixels for each row (or "
                 "check 'Min' or 'Max')"},
    {IDC_VBLANK, "VBlank Rows: Enter desired # of vertical blanking rows for each frame (or check "
                 "'Min' or 'Max')"},
};

// Each warning-coloured control and the timing warning bit that paints it red.
struct WarningControl {
    int id;
    std::uint32_t bit;
};
constexpr WarningControl kWarningControls[] = {{IDC_FRAME_RATE, kWarnFrameRate},
                                               {IDC_HBLANK, kWarnHBlank},
                                               {IDC_VBLANK, kWarnVBlank},
                                               {IDC_OUTPUT_COLUMNS, kWarnOutputColumns},
                                               {IDC_OUTPUT_ROWS, kWarnOutputRows}};

// The boxes first: they cannot refuse, so a refused text never keeps them from the document.
constexpr BoundControl kBoundControls[] = {
    {IDC_SKIPPING, ParameterIndex("allowSkipping")},
    {IDC_LOW_POWER, ParameterIndex("lowPower")},
    {IDC_VARIABLE_FRAME_RATE, ParameterIndex("variableFrameRate")},
    {IDC_FRAME_RATE, ParameterIndex("frameRate")},
    {IDC_OUTPUT_COLUMNS, ParameterIndex("outputColumns")},
    {IDC_OUTPUT_ROWS, ParameterIndex("outputRows")},
    {IDC_HBLANK, ParameterIndex("hBlank")},
    {IDC_VBLANK, ParameterIndex("vBlank")},
    {IDC_MIN_FRAME_RATE, ParameterIndex("minFrameRate")},
};

// Hidden option boxes, no request parameters, and the context flag each one sets. The boxes hold
// the state: a run clears the binning flag, which the box keeps for the next run.
struct OptionBox {
    int id;
    int CImageContext::*flag;
};
constexpr OptionBox kOptionBoxes[] = {{IDC_BINNING, &CImageContext::m_bBinning},
                                      {IDC_X_ONLY, &CImageContext::m_bXOnly},
                                      {IDC_JPEG, &CImageContext::m_bJpeg},
                                      {IDC_HORZ_MIRROR, &CImageContext::m_bHorzMirror},
                                      {IDC_VERT_FLIP, &CImageContext::m_bVertFlip}};

// The blanking radio checked; the first when none is.
int CheckedBlankingMode(const CFormView& form) {
    for (std::size_t mode = 0; mode < kBlankingRadios.size(); ++mode)
        if (form.IsDlgButtonChecked(kBlankingRadios[mode]))
            return static_cast<int>(mode);
    return kBlankHMinThenV;
}

int BlankingModeOf(int radioId) {
    const auto it = std::find(kBlankingRadios.begin(), kBlankingRadios.end(), radioId);
    return it == kBlankingRadios.end() ? -1 : static_cast<int>(it - kBlankingRadios.begin());
}

} // namespace

QString LoadWizardString(int id) {
    for (const WizardString& entry : kStrings) {
        if (entry.id == id) {
            const QString text = QString::fromLatin1(entry.text);
            return entry.sensorSize == 0 ? text : text.arg(entry.sensorSize);
        }
    }
    return {};
}

QString CImageParms::ToolTipText(int id) {
    for (const ControlString& tip : kToolTips) {
        if (tip.control == id)
            return LoadWizardString(tip.stringId).left(kToolTipMaxChars);
    }
    return {};
}

CImageParms::CImageParms(const CViewContext& context, QWidget* parent)
    : CWizardFormView(kDialog, context, parent) {}

void CImageParms::DoDataExchange(CDataExchange* pDX) {
    CImageContext& ctx = Context();
    ExchangeParameters(pDX, kBoundControls, ctx);
    if (pDX->Checking())
        return;
    if (pDX->SaveAndValidate()) {
        ctx.m_nBlankingMode = CheckedBlankingMode(*this);
        for (const OptionBox& box : kOptionBoxes)
            ctx.*box.flag = IsDlgButtonChecked(box.id) ? 1 : 0;
    } else if (ctx.m_nBlankingMode >= 0 &&
               ctx.m_nBlankingMode < static_cast<int>(kBlankingRadios.size())) {
        SelectBlankingRadio(kBlankingRadios[static_cast<std::size_t>(ctx.m_nBlankingMode)]);
    }
}

void CImageParms::SetContext(int nMode) {
    if (nMode == 0) {
        SetDlgItemText(IDC_IMAGE_GROUP, QStringLiteral("Image Parameters"));
        m_bFollowOtherContext = 0;
        m_nContext = 0;
        for (const OptionBox& box : kOptionBoxes)
            CheckDlgButton(box.id, false);
        EnableXOnly();
    } else if (nMode == 1) {
        m_bReduced = true;
        for (int id : kReducedHidden)
            ShowDlgItem(id, false);
        // Nothing is left to scroll to.
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    UpdateData(false);
}

void CImageParms::OnInitialUpdate() {
    CWizardFormView::OnInitialUpdate();
    // Red boxes stay readable: white text on the red background.
    m_crText = QColor(255, 255, 255);
    m_crBackground = QColor(255, 0, 0);
    // The form sets up its request before its first run (the reduced one runs only when told).
    ApplyImageFormDefaults(Context());
    for (int id : kToolControls)
        GetDlgItem(id)->setToolTip(ToolTipText(id));
    auto* combo = Item<QComboBox>(IDC_FRAME_RATE);
    combo->clear();
    for (const char* rate : kFrameRates)
        combo->addItem(QString::fromLatin1(rate));
    for (int id : kNeverShown)
        ShowDlgItem(id, false);
    UpdateData(false);
    if (!m_bReduced)
        Recompute(true);
}

CImageContext& CImageParms::Context() const {
    return GetDocument().m_Contexts[static_cast<std::size_t>(ContextIndex())];
}

int CImageParms::ContextIndex() const {
    // The document holds a fixed number of contexts; never index past them.
    const int last = static_cast<int>(GetDocument().m_Contexts.size()) - 1;
    return std::clamp(m_nContext, 0, last);
}

void CImageParms::Recompute(bool bNotify) {
    UpdateData(true);
    m_nContext = ContextIndex();
    const Changes changes = Recalculate(GetDocument(), UserChange::ImageRequest);
    ShowTiming();
    PostToMainFrame(WM_WIZ_TIMING_CHANGED, static_cast<std::uintptr_t>(m_nContext), 0);
    if (changes.clock)
        PostToMainFrame(WM_WIZ_CLOCKS_RECALCULATED);
    if (bNotify)
        PostToMainFrame(WM_WIZ_RECALC_CONTEXT, static_cast<std::uintptr_t>(1 - m_nContext), 0);
}

void CImageParms::ShowTiming() {
    for (const WarningControl& control : kWarningControls)
        RedrawControl(control.id);
    SetDlgItemText(IDC_TIMING_REPORT, DocumentText(Context().m_strTimingReport));
}

void CImageParms::RestoreParameters(const ParameterSet&) {
    // The document holds what the file gave; the rest of the request stays as it was.
    UpdateData(false);
    Recompute(false);
}

void CImageParms::SelectBlankingRadio(int radioId) {
    for (int id : kBlankingRadios)
        CheckDlgButton(id, id == radioId);
}

void CImageParms::EnableXOnly() {
    EnableDlgItem(IDC_X_ONLY, IsDlgButtonChecked(IDC_BINNING));
    EnableDlgItem(IDC_X_ONLY_LABEL, IsDlgButtonChecked(IDC_BINNING));
}

void CImageParms::OnTextChanged(int id) {
    const QString text = GetDlgItemText(id);
    if (text.isEmpty())
        return;
    switch (id) {
    case IDC_FRAME_RATE:
    case IDC_MIN_FRAME_RATE:
        if (text == QStringLiteral("."))
            return;
        break;
    case IDC_HBLANK:
    case IDC_VBLANK: {
        SelectBlankingRadio(id == IDC_HBLANK ? IDC_HBLANK_FIXED : IDC_VBLANK_FIXED);
        break;
    }
    case IDC_OUTPUT_COLUMNS:
    case IDC_OUTPUT_ROWS:
        break;
    default:
        return;
    }
    Recompute(true);
}

void CImageParms::OnNotify(int id, Notify code) {
    switch (code) {
    case Notify::Changed:
    case Notify::EditChange:
        OnTextChanged(id);
        return;
    case Notify::SelChange:
        if (id == IDC_FRAME_RATE) {
            auto* combo = Item<QComboBox>(IDC_FRAME_RATE);
            SetDlgItemText(IDC_FRAME_RATE, combo->itemText(combo->currentIndex()));
            OnTextChanged(id);
        }
        return;
    case Notify::SetFocus:
        for (const FocusHint& hint : kFocusHints) {
            if (hint.id == id) {
                SelectAllText(id);
                const QString text = QString::fromLatin1(hint.text);
                SendStatusText(hint.sensorSize == 0 ? text
                                                    : text.arg(hint.sensorSize)
                                                          .arg(hint.sensorSize / 2)
                                                          .arg(hint.sensorSize / 4));
            }
        }
        return;
    case Notify::Clicked:
        break;
    }
    if (BlankingModeOf(id) >= 0) {
        SelectBlankingRadio(id);
    } else if (id == IDC_SKIPPING) {
        CheckDlgButton(IDC_SKIPPING, !IsDlgButtonChecked(IDC_SKIPPING));
    } else if (id == IDC_VARIABLE_FRAME_RATE) {
        const bool variable = IsDlgButtonChecked(IDC_VARIABLE_FRAME_RATE);
        EnableDlgItem(IDC_MIN_FRAME_RATE, variable);
        CImageContext& ctx = Context();
        ctx.m_bVariableFrameRate = variable ? 1 : 0;
        ctx.m_dMinFrameRate =
            MinFrameRateOnVariableFrameRate(ctx.m_dMinFrameRate, ctx.m_dFrameRate);
        UpdateData(false);
    } else if (id == IDC_BINNING) {
        EnableXOnly();
    } else if (id != IDC_LOW_POWER &&
               std::none_of(std::begin(kOptionBoxes), std::end(kOptionBoxes),
                            [id](const OptionBox& option) { return option.id == id; })) {
        return; // a control without a click handler, such as the Flicker 60 Hz box
    }
    Recompute(true);
}

bool CImageParms::OnCtlColor(int id, QColor& text, QColor& background) {
    const std::uint32_t warnings = Context().m_nWarnings;
    for (const WarningControl& control : kWarningControls) {
        if (control.id == id && (warnings & control.bit) != 0) {
            text = m_crText;
            background = m_crBackground;
            return true;
        }
    }
    return false;
}

bool CImageParms::OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    switch (message) {
    case WM_WIZ_RECALC_CONTEXT:
        if (wParam == static_cast<std::uintptr_t>(m_nContext) && m_bFollowOtherContext != 0)
            Recompute(false);
        return true;
    case WM_WIZ_TIMING_CHANGED:
        ShowTiming();
        return true;
    case WM_WIZ_RESTORE_PARAMETERS:
        if (const auto* given = reinterpret_cast<const ParameterSet*>(wParam))
            RestoreParameters(*given);
        return true;
    case WM_WIZ_SET_DEFAULTS: {
        // The variable frame rate and its minimum stay as they are.
        CImageContext& ctx = Context();
        ctx.m_dFrameRate = ParameterDefault<double>("frameRate");
        ctx.m_bAllowSkipping = ParameterDefault<int>("allowSkipping");
        ctx.m_nOutputColumns = ParameterDefault<int>("outputColumns");
        ctx.m_nOutputRows = ParameterDefault<int>("outputRows");
        ctx.m_nHBlank = ParameterDefault<int>("hBlank");
        ctx.m_nVBlank = ParameterDefault<int>("vBlank");
        ctx.m_nBlankingMode = ParameterDefault<int>("blankingMode");
        ctx.m_bLowPower = ParameterDefault<int>("lowPower");
        m_bFollowOtherContext = 0;
        CheckDlgButton(IDC_BINNING, true);
        CheckDlgButton(IDC_X_ONLY, false);
        EnableXOnly();
        UpdateData(false);
        Recompute(false);
        return true;
    }
    default:
        return CWizardFormView::OnWndMsg(message, wParam, lParam);
    }
}
