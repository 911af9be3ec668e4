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
    DDX_Parameter(pDX, IDC_INPUT_FREQ, m_dInputFreq, Parameter("inputFreqMHz"));
    // While "Use Min. Freq." is checked the edit shows the clock found; the member keeps the
    // target entered, which the search falls back to when no clock gives the frame rate.
    if (!(pDX->SaveAndValidate() && IsDlgButtonChecked(IDC_USE_MIN_FREQ)))
        DDX_Parameter(pDX, IDC_TARGET_SYSTEM_FREQ, m_dTargetSystemFreq, Parameter("systemFreqMHz"));
    DDX_Parameter(pDX, IDC_TARGET_VCO_FREQ, m_dTargetVcoFreq, Parameter("vcoFreqMHz"));
    DDX_Parameter(pDX, IDC_PLL_M, m_nPllM, Parameter("pllM"));
    DDX_Parameter(pDX, IDC_PLL_N, m_nPllN, Parameter("pllN"));
    DDX_Check(pDX, IDC_BYPASS_PLL, m_bBypassPll);
}

void CPLLCalcs::OnInitialUpdate() {
    CWizardFormView::OnInitialUpdate();
    m_crWarning = QColor(255, 0, 0);
    CheckDlgButton(IDC_USE_MIN_FREQ, ParameterDefault<int>("useMinFreq") != 0);
    Item<QComboBox>(IDC_HW_REV)->setCurrentIndex(ParameterDefault<int>("hwRev") - 1);
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
    CopyIntoDocument();
    RunClockSide();
}

void CPLLCalcs::CopyIntoDocument() {
    CKXC2280RegisterWizardDoc& doc = GetDocument();
    doc.m_dInputFreq = m_dInputFreq;
    doc.m_dTargetSystemFreq = m_dTargetSystemFreq;
    doc.m_bBypassPll = IsDlgButtonChecked(IDC_BYPASS_PLL) ? 1 : 0;
    doc.m_bUseMinFreq = IsDlgButtonChecked(IDC_USE_MIN_FREQ) ? 1 : 0;
    doc.m_dTargetVcoFreq = IsDlgButtonChecked(IDC_USE_VCO) ? m_dTargetVcoFreq : -1.0;
    doc.m_nPllM = IsDlgButtonChecked(IDC_USE_PLL_M) ? m_nPllM : -1;
    doc.m_nPllN = IsDlgButtonChecked(IDC_USE_PLL_N) ? m_nPllN : -1;
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
        ShowTarget(m_dTargetSystemFreq);
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
    m_nPllM = row->m;
    m_nPllN = row->n;
    m_dTargetSystemFreq = TargetReadBackNotAbove(row->systemFreqMHz);
    CheckDlgButton(IDC_USE_PLL_M, true);
    CheckDlgButton(IDC_USE_PLL_N, true);
    // A minimum clock would replace the target and with it the row.
    CheckDlgButton(IDC_USE_MIN_FREQ, false);
    UpdateData(false);
    UpdateControlStates();
    Recalculate();
}

void CPLLCalcs::RestoreParameters(const ParameterSet& given) {
    const CKXC2280RegisterWizardDoc& doc = GetDocument();
    if (given.Given(ParameterIndex("inputFreqMHz")))
        m_dInputFreq = doc.m_dInputFreq;
    if (given.Given(ParameterIndex("systemFreqMHz")))
        m_dTargetSystemFreq = doc.m_dTargetSystemFreq;
    if (given.Given(ParameterIndex("bypassPll")))
        m_bBypassPll = doc.m_bBypassPll != 0 ? 1 : 0;
    if (given.Given(ParameterIndex("useMinFreq")))
        CheckDlgButton(IDC_USE_MIN_FREQ, doc.m_bUseMinFreq != 0);
    // An unspecified value clears its box and leaves the edit with the value last entered.
    if (given.Given(ParameterIndex("vcoFreqMHz"))) {
        CheckDlgButton(IDC_USE_VCO, doc.m_dTargetVcoFreq != -1.0);
        if (doc.m_dTargetVcoFreq != -1.0)
            m_dTargetVcoFreq = doc.m_dTargetVcoFreq;
    }
    if (given.Given(ParameterIndex("pllM"))) {
        CheckDlgButton(IDC_USE_PLL_M, doc.m_nPllM != -1);
        if (doc.m_nPllM != -1)
            m_nPllM = doc.m_nPllM;
    }
    if (given.Given(ParameterIndex("pllN"))) {
        CheckDlgButton(IDC_USE_PLL_N, doc.m_nPllN != -1);
        if (doc.m_nPllN != -1)
            m_nPllN = doc.m_nPllN;
    }
    auto* hwRev = Item<QComboBox>(IDC_HW_REV);
    if (given.Given(ParameterIndex("hwRev")) && doc.m_nHwRev >= 1 && doc.m_nHwRev <= hwRev->count())
        hwRev->setCurrentIndex(doc.m_nHwRev - 1);
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
        if (id == IDC_HW_REV) {
            GetDocument().m_nHwRev = Item<QComboBox>(IDC_HW_REV)->currentIndex() + 1;
            Recalculate();
        }
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
    case WM_WIZ_SET_DEFAULTS:
        m_dInputFreq = ParameterDefault<double>("inputFreqMHz");
        m_dTargetVcoFreq = ParameterPreset<double>("vcoFreqMHz");
        m_dTargetSystemFreq = ParameterDefault<double>("systemFreqMHz");
        // The box is bound to the member: clearing only the box would be undone by the refresh.
        m_bBypassPll = ParameterDefault<int>("bypassPll");
        CheckDlgButton(IDC_BYPASS_PLL, m_bBypassPll != 0);
        CheckDlgButton(IDC_USE_VCO, false);
        UpdateData(false);
        UpdateControlStates();
        Recalculate();
        return true;
    default:
        return CWizardFormView::OnWndMsg(message, wParam, lParam);
    }
}
