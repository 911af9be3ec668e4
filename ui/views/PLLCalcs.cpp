// Clock Settings form: data exchange, enable rules, notifications, warning colours and messages.
#include "PLLCalcs.h"

#include "PllCalc.h"
#include "WizardMessages.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QTextEdit>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr ControlTemplate kControls[] = {
    {IDC_BYPASS_PLL, CtlKind::CheckBox, "", {7, 7, 11, 8}, CtlNone},
    {IDC_BYPASS_PLL_LABEL, CtlKind::Static, Parameter("bypassPll").label, {23, 7, 43, 10}, CtlNone},
    {IDC_INPUT_FREQ, CtlKind::Edit, "", {7, 17, 58, 12}, CtlNone},
    {IDC_INPUT_FREQ_LABEL,
     CtlKind::Static,
     Parameter("inputFreqMHz").label,
     {7, 29, 72, 9},
     CtlNone},
    {IDC_INPUT_RANGE, CtlKind::Static, "", {7, 38, 86, 12}, CtlNone},
    {IDC_USE_MIN_FREQ, CtlKind::CheckBox, Parameter("useMinFreq").label, {7, 49, 59, 12}, CtlNone},
    {IDC_TARGET_SYSTEM_FREQ, CtlKind::Edit, "", {7, 63, 58, 12}, CtlNone},
    {IDC_TARGET_SYSTEM_LABEL,
     CtlKind::Static,
     Parameter("systemFreqMHz").label,
     {7, 76, 66, 16},
     CtlNone},
    {IDC_USE_VCO, CtlKind::CheckBox, "", {7, 97, 10, 12}, CtlNone},
    {IDC_TARGET_VCO_FREQ, CtlKind::Edit, "", {20, 97, 46, 12}, CtlDisabled},
    {IDC_TARGET_VCO_LABEL,
     CtlKind::Static,
     Parameter("vcoFreqMHz").label,
     {7, 110, 66, 20},
     CtlNone},
    {IDC_USE_PLL_M, CtlKind::CheckBox, "", {7, 131, 10, 12}, CtlNone},
    {IDC_PLL_M, CtlKind::Edit, "", {20, 131, 46, 12}, CtlDisabled},
    {IDC_PLL_M_LABEL, CtlKind::Static, "", {7, 144, 66, 18}, CtlNone},
    {IDC_USE_PLL_N, CtlKind::CheckBox, "", {7, 163, 10, 12}, CtlNone},
    {IDC_PLL_N, CtlKind::Edit, "", {20, 163, 46, 12}, CtlDisabled},
    {IDC_PLL_N_LABEL, CtlKind::Static, "", {7, 175, 66, 21}, CtlNone},
    {IDC_CLOCK_REPORT, CtlKind::RichEdit, "", {95, 7, 242, 157}, CtlReadOnly | CtlVScroll},
    {IDC_HW_REV, CtlKind::ComboBox, "", {96, 167, 39, 50}, CtlNone},
    {IDC_HW_REV_LABEL, CtlKind::Static, Parameter("hwRev").label, {97, 181, 30, 8}, CtlNone},
};
constexpr DialogTemplate kDialog{IDD_CLOCK_SETTINGS, 344, 358, kControls};

struct StatusText {
    int id;
    const char* text;
};
constexpr StatusText kStatusTexts[] = {
    {IDC_INPUT_FREQ, "Input Frequency: Enter frequency of input clock"},
    {IDC_TARGET_SYSTEM_FREQ, "Output Frequency: Enter desired PLL output frequency"},
    {IDC_TARGET_VCO_FREQ, "VCO Output Frequency: Enter desired PLL VCO output frequency"},
    {IDC_PLL_M, "PLL M: Enter specific 'M' value"},
    {IDC_PLL_N, "PLL M: Enter specific 'N' value"},
    {IDC_USE_MIN_FREQ, "Use Min Frequency: Check to have Wizard calculate minimum PLL frequency "
                       "to achieve desired frame rates"},
    {IDC_BYPASS_PLL, "Bypass PLL: Check to run the system clock directly from the input clock"},
};

QString StatusTextOf(int id) {
    for (const StatusText& entry : kStatusTexts) {
        if (entry.id == id)
            return QString::fromLatin1(entry.text);
    }
    return {};
}

// Each warning-coloured edit and the clock warning bit that paints it red.
struct WarningEdit {
    int id;
    std::uint32_t bit;
};
constexpr WarningEdit kWarningEdits[] = {
    {IDC_TARGET_VCO_FREQ, kWarnVcoFreq},
    {IDC_TARGET_SYSTEM_FREQ, kWarnSystemFreq},
    {IDC_INPUT_FREQ, kWarnInputFreq},
};

// Fixed-value check boxes and the edit each one enables.
struct FixedValueBox {
    int box;
    int edit;
};
constexpr FixedValueBox kFixedValueBoxes[] = {
    {IDC_USE_VCO, IDC_TARGET_VCO_FREQ},
    {IDC_USE_PLL_M, IDC_PLL_M},
    {IDC_USE_PLL_N, IDC_PLL_N},
};

// Boxes and the list first: they cannot refuse, so a refused text never keeps them from the
// document.
constexpr BoundControl kBoundControls[] = {
    {IDC_BYPASS_PLL, ParameterIndex("bypassPll")},
    {IDC_USE_MIN_FREQ, ParameterIndex("useMinFreq")},
    {IDC_HW_REV, ParameterIndex("hwRev")},
    {IDC_INPUT_FREQ, ParameterIndex("inputFreqMHz")},
    // While "Use Min. Freq." is checked the edit shows the clock found, and the search starts
    // from the target entered; a bypassed PLL's target is its input clock.
    {IDC_TARGET_SYSTEM_FREQ, ParameterIndex("systemFreqMHz"), 0, IDC_USE_MIN_FREQ,
     &CKXC2280RegisterWizardDoc::m_dEnteredSystemFreq},
    {IDC_TARGET_VCO_FREQ, ParameterIndex("vcoFreqMHz"), IDC_USE_VCO},
    {IDC_PLL_M, ParameterIndex("pllM"), IDC_USE_PLL_M},
    {IDC_PLL_N, ParameterIndex("pllN"), IDC_USE_PLL_N},
};

constexpr std::size_t kVcoBinding = 5;
static_assert(kBoundControls[kVcoBinding].id == IDC_TARGET_VCO_FREQ);

bool IsDecimalEdit(int id) {
    return id == IDC_INPUT_FREQ || id == IDC_TARGET_SYSTEM_FREQ || id == IDC_TARGET_VCO_FREQ;
}

// What the target edit reads back when it shows mhz: the text with up to 15 significant digits,
// one step lower in its last digit when the rounded text would read back above mhz. The search
// then finds mhz at or above its target, never just below it.
double TargetReadBackNotAbove(double mhz) {
    double shown = mhz;
    ParseDdxDouble(FormatDdxDouble(mhz), shown);
    if (shown > mhz) {
        const double lastDigit = std::pow(10.0, std::floor(std::log10(shown)) - 14);
        ParseDdxDouble(FormatDdxDouble(shown - lastDigit), shown);
    }
    return shown;
}

} // namespace

CPLLCalcs::CPLLCalcs(const CViewContext& context, QWidget* parent)
    : CWizardFormView(kDialog, context, parent) {
    Item<QComboBox>(IDC_HW_REV)->addItems({QStringLiteral("Rev1"), QStringLiteral("Rev2")});
}

void CPLLCalcs::DoDataExchange(CDataExchange* pDX) {
    ExchangeParameters(pDX, kBoundControls, GetDocument().m_Contexts[0]);
}

void CPLLCalcs::OnInitialUpdate() {
    CWizardFormView::OnInitialUpdate();
    m_crWarning = QColor(255, 0, 0);
    ShowPresets(kBoundControls);
    SetDlgItemText(IDC_INPUT_RANGE, QStringLiteral("(%1MHz -- %2MHz)")
                                        .arg(QString::number(PllLimits::kInputMin, 'f', 1),
                                             QString::number(PllLimits::kInputMax, 'f', 1)));
    EnableDlgItem(IDC_PLL_M, IsDlgButtonChecked(IDC_USE_PLL_M));
    EnableDlgItem(IDC_PLL_N, IsDlgButtonChecked(IDC_USE_PLL_N));
    // The captions show the values the PLL can take, not the wider range the edits accept.
    const QString range = QStringLiteral("\n(%1 -- %2)");
    SetDlgItemText(IDC_PLL_M_LABEL, QString::fromLatin1(Parameter("pllM").label) +
                                        range.arg(PllLimits::kMMin).arg(PllLimits::kMMax));
    SetDlgItemText(IDC_PLL_N_LABEL, QString::fromLatin1(Parameter("pllN").label) +
                                        range.arg(PllLimits::kNMin).arg(PllLimits::kNMax));
    UpdateData(false);
    UpdateControlStates();
}

void CPLLCalcs::Recalculate() {
    UpdateData(true);
    RunClockSide();
}

void CPLLCalcs::RunClockSide() {
    ::Recalculate(GetDocument(), UserChange::ClockSettings);
    ShowClockSide();
    PostToMainFrame(WM_WIZ_TIMING_CHANGED, 0, 0);
    PostToMainFrame(WM_WIZ_CLOCKS_RECALCULATED);
}

void CPLLCalcs::ShowClockSide() {
    const CKXC2280RegisterWizardDoc& doc = GetDocument();
    for (const WarningEdit& edit : kWarningEdits)
        RedrawControl(edit.id);
    SetDlgItemText(IDC_CLOCK_REPORT, DocumentText(doc.m_strClockReport));
    if (ShowsFoundTarget())
        ShowTarget(doc.m_dTargetSystemFreq);
}

bool CPLLCalcs::ShowsFoundTarget() const {
    return IsDlgButtonChecked(IDC_USE_MIN_FREQ) && !IsDlgButtonChecked(IDC_BYPASS_PLL);
}

void CPLLCalcs::ShowTarget(double mhz) {
    const QSignalBlocker shownNotTyped(GetDlgItem(IDC_TARGET_SYSTEM_FREQ));
    SetDlgItemText(IDC_TARGET_SYSTEM_FREQ, FormatDdxDouble(mhz));
}

void CPLLCalcs::OnUseMinFreqBox() {
    const bool useMinFreq = IsDlgButtonChecked(IDC_USE_MIN_FREQ);
    // Unchecked, the edit shows the target entered again and is read from then on.
    if (!useMinFreq)
        ShowTarget(GetDocument().m_dEnteredSystemFreq);
    EnableDlgItem(IDC_TARGET_SYSTEM_FREQ, !useMinFreq);
    Recalculate();
    SendStatusText(StatusTextOf(IDC_USE_MIN_FREQ));
}

void CPLLCalcs::UsePllSolution(std::uintptr_t packed) {
    if (IsDlgButtonChecked(IDC_BYPASS_PLL))
        return;
    // The row's system clock, among the settings of its M and N for the current input clock.
    PllRequest request = PllRequestOf(GetDocument());
    request.fixedM = PackedPllM(packed);
    request.fixedN = PackedPllN(packed);
    const std::vector<PllCandidate> settings = ListPllCandidates(request);
    const auto row =
        std::find_if(settings.begin(), settings.end(),
                     [packed](const PllCandidate& c) { return c.divider == PackedPllD(packed); });
    if (row == settings.end())
        return;
    CKXC2280RegisterWizardDoc& doc = GetDocument();
    doc.m_nPllM = row->m;
    doc.m_nPllN = row->n;
    doc.m_dEnteredSystemFreq = TargetReadBackNotAbove(row->systemFreqMHz);
    // A minimum clock would replace the target and with it the row.
    doc.m_bUseMinFreq = 0;
    CheckDlgButton(IDC_USE_PLL_M, true);
    CheckDlgButton(IDC_USE_PLL_N, true);
    UpdateData(false);
    UpdateControlStates();
    Recalculate();
}

void CPLLCalcs::RestoreParameters(const ParameterSet& given) {
    // An unspecified value clears its box and leaves the edit with the value last entered.
    for (const BoundControl& bound : kBoundControls)
        if (bound.fixBox != 0 && given.Given(bound.parameter))
            CheckDlgButton(bound.fixBox, given.Number(bound.parameter) != -1.0);
    UpdateData(false);
    UpdateControlStates();
    Recalculate();
}

void CPLLCalcs::UpdateControlStates() {
    const bool bypass = IsDlgButtonChecked(IDC_BYPASS_PLL);
    EnableDlgItem(IDC_TARGET_SYSTEM_FREQ, !bypass && !IsDlgButtonChecked(IDC_USE_MIN_FREQ));
    EnableDlgItem(IDC_USE_MIN_FREQ, !bypass);
    for (const FixedValueBox& fixed : kFixedValueBoxes) {
        EnableDlgItem(fixed.box, !bypass);
        EnableDlgItem(fixed.edit, !bypass && IsDlgButtonChecked(fixed.box));
    }
}

void CPLLCalcs::OnFixedValueBox(int boxId, int editId) {
    EnableDlgItem(editId, IsDlgButtonChecked(boxId));
    Recalculate();
}

void CPLLCalcs::OnNotify(int id, Notify code) {
    switch (code) {
    case Notify::Changed: {
        const QString text = GetDlgItemText(id);
        if (text.isEmpty() || (IsDecimalEdit(id) && text == QStringLiteral(".")))
            return;
        if (IsDecimalEdit(id) || id == IDC_PLL_M || id == IDC_PLL_N)
            Recalculate();
        return;
    }
    case Notify::SetFocus:
        if (IsDecimalEdit(id) || id == IDC_PLL_M || id == IDC_PLL_N) {
            SelectAllText(id);
            SendStatusText(StatusTextOf(id));
        } else if (id == IDC_USE_MIN_FREQ) {
            SendStatusText(StatusTextOf(id));
        }
        return;
    case Notify::Clicked:
        for (const FixedValueBox& fixed : kFixedValueBoxes) {
            if (fixed.box == id)
                OnFixedValueBox(fixed.box, fixed.edit);
        }
        if (id == IDC_USE_MIN_FREQ) {
            OnUseMinFreqBox();
        } else if (id == IDC_BYPASS_PLL) {
            UpdateControlStates();
            Recalculate();
            SendStatusText(StatusTextOf(IDC_BYPASS_PLL));
        }
        return;
    case Notify::SelChange:
        if (id == IDC_HW_REV)
            Recalculate();
        return;
    case Notify::EditChange:
        return;
    }
}

bool CPLLCalcs::OnCtlColor(int id, QColor& text, QColor& background) {
    const std::uint32_t warnings = GetDocument().m_Contexts[0].m_nWarnings;
    for (const WarningEdit& edit : kWarningEdits) {
        if (edit.id == id && (warnings & edit.bit) != 0) {
            text = palette().color(QPalette::Text);
            background = m_crWarning;
            return true;
        }
    }
    return false;
}

bool CPLLCalcs::OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    switch (message) {
    case WM_WIZ_RECALC_CLOCKS:
        Recalculate();
        return true;
    case WM_WIZ_CLOCKS_RECALCULATED:
        // The clock side ran for another page's change (the minimum clock follows the image
        // request); the form's own entries did not change, so they are not read again.
        ShowClockSide();
        return true;
    case WM_WIZ_USE_PLL_SOLUTION:
        UsePllSolution(wParam);
        return true;
    case WM_WIZ_FREE_PLL_DIVIDERS:
        // The values stay in their edits for the next time a box is ticked.
        CheckDlgButton(IDC_USE_PLL_M, false);
        CheckDlgButton(IDC_USE_PLL_N, false);
        UpdateControlStates();
        Recalculate();
        return true;
    case WM_WIZ_RESTORE_PARAMETERS:
        if (const auto* given = reinterpret_cast<const ParameterSet*>(wParam))
            RestoreParameters(*given);
        return true;
    case WM_WIZ_SET_DEFAULTS: {
        // Fixed M and N, "Use Min. Freq." and the HW revision stay as they are.
        CKXC2280RegisterWizardDoc& doc = GetDocument();
        doc.m_dInputFreq = ParameterDefault<double>("inputFreqMHz");
        doc.m_dEnteredSystemFreq = ParameterDefault<double>("systemFreqMHz");
        doc.m_dTargetVcoFreq = ParameterDefault<double>("vcoFreqMHz");
        doc.m_bBypassPll = ParameterDefault<int>("bypassPll");
        CheckDlgButton(IDC_USE_VCO, false);
        ShowPresets(std::span(kBoundControls).subspan(kVcoBinding, 1));
        UpdateData(false);
        UpdateControlStates();
        Recalculate();
        return true;
    }
    default:
        return CWizardFormView::OnWndMsg(message, wParam, lParam);
    }
}
