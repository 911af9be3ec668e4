// Document access and main-frame messages shared by the wizard's views.
#include "WizardFormView.h"

#include "WizardMessages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>
#include <stdexcept>
#include <variant>

void DDX_Parameter(CDataExchange* pDX, int id, double& value, const ParameterInfo& parameter) {
    DDX_Text(pDX, id, value);
    DDV_MinMaxDouble(pDX, value, parameter.min, parameter.max);
}

void DDX_Parameter(CDataExchange* pDX, int id, int& value, const ParameterInfo& parameter) {
    DDX_Text(pDX, id, value);
    DDV_MinMaxInt(pDX, value, static_cast<int>(parameter.min), static_cast<int>(parameter.max));
}

namespace {

// The field a parameter lands in, within the document or the image context.
struct FieldRef {
    CKXC2280RegisterWizardDoc& doc;
    CImageContext& context;

    std::variant<std::monostate, double*, int*> operator()(std::monostate) const { return {}; }
    template <class Owner, class Field>
    std::variant<std::monostate, double*, int*> operator()(Field Owner::*field) const {
        if constexpr (std::is_same_v<Field, std::string>)
            return {};
        else if constexpr (std::is_same_v<Owner, CImageContext>)
            return &(context.*field);
        else
            return &(doc.*field);
    }
};

void DDX_ParameterList(CDataExchange* pDX, int id, int& value, const ParameterInfo& parameter) {
    if (!pDX->BeginField(id) || pDX->Checking())
        return;
    auto* list = pDX->Form().Item<QComboBox>(id);
    const int first = static_cast<int>(parameter.min);
    if (pDX->SaveAndValidate()) {
        if (list->currentIndex() >= 0)
            value = first + list->currentIndex();
    } else if (value >= first && value - first < list->count()) {
        list->setCurrentIndex(value - first);
    }
}

template <class Number>
void ExchangeField(CDataExchange* pDX, int id, Number& value, const ParameterInfo& parameter) {
    QWidget* control = pDX->Form().GetDlgItem(id);
    if constexpr (std::is_same_v<Number, int>) {
        if (qobject_cast<QCheckBox*>(control) != nullptr)
            return DDX_Check(pDX, id, value);
        if (qobject_cast<QComboBox*>(control) != nullptr)
            return DDX_ParameterList(pDX, id, value, parameter);
    }
    DDX_Parameter(pDX, id, value, parameter);
}

} // namespace

void CWizardFormView::ExchangeParameters(CDataExchange* pDX, std::span<const BoundControl> controls,
                                         CImageContext& context) {
    for (const BoundControl& bound : controls) {
        const ParameterInfo& parameter = kParameters[bound.parameter];
        if (bound.entered != nullptr) {
            ExchangeEntered(pDX, bound, parameter);
            continue;
        }
        const bool free = bound.fixBox != 0 && !IsDlgButtonChecked(bound.fixBox);
        if (free && !pDX->SaveAndValidate())
            continue;
        std::visit(
            [&](auto field) {
                if constexpr (std::is_pointer_v<decltype(field)>) {
                    // A free value's edit is read all the same: a refused text stops the save.
                    auto scratch = *field;
                    ExchangeField(pDX, bound.id, free ? scratch : *field, parameter);
                    if (free && pDX->SaveAndValidate())
                        *field = -1;
                }
            },
            std::visit(FieldRef{GetDocument(), context}, parameter.field));
    }
}

void CWizardFormView::ExchangeEntered(CDataExchange* pDX, const BoundControl& bound,
                                      const ParameterInfo& parameter) {
    CKXC2280RegisterWizardDoc& doc = GetDocument();
    double& field =
        *std::get<double*>(std::visit(FieldRef{doc, doc.m_Contexts[0]}, parameter.field));
    if (!pDX->SaveAndValidate()) {
        DDX_Parameter(pDX, bound.id, doc.*bound.entered, parameter);
    } else if (!IsDlgButtonChecked(bound.showsResultBox)) {
        DDX_Parameter(pDX, bound.id, field, parameter);
    } else if (!pDX->Checking()) {
        field = doc.*bound.entered;
    }
}

void CWizardFormView::ShowPresets(std::span<const BoundControl> controls) {
    for (const BoundControl& bound : controls) {
        const ParameterInfo& parameter = kParameters[bound.parameter];
        if (bound.fixBox != 0 && !IsDlgButtonChecked(bound.fixBox)) {
            // A value shown, not typed: it starts no recalculation.
            const QSignalBlocker shownNotTyped(GetDlgItem(bound.id));
            SetDlgItemText(bound.id, FormatDdxDouble(parameter.formPreset));
        }
    }
}

CWizardFormView::CWizardFormView(const DialogTemplate& dialog, const CViewContext& context,
                                 QWidget* parent)
    : CFormView(dialog, parent), m_pDoc(context.m_pDoc), m_mainFrame(context.m_pMainFrame) {
    if (m_pDoc == nullptr)
        throw std::invalid_argument("a wizard view needs its document");
}

void CWizardFormView::SendStatusText(const QString& text) {
    m_strLastHint = text;
    m_hintControl = QApplication::focusWidget();
    SendToStatusBar(text);
}

bool CWizardFormView::OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (message != WM_WIZ_GET_FOCUS_HINT)
        return CFormView::OnWndMsg(message, wParam, lParam);
    // The hint last sent belongs to the focused control only while that control keeps the focus.
    auto* hint = reinterpret_cast<QString*>(wParam);
    const QWidget* focus = QApplication::focusWidget();
    if (hint != nullptr && focus != nullptr && focus == m_hintControl && isAncestorOf(focus))
        *hint = m_strLastHint;
    return true;
}

void CWizardFormView::OnEditTextProblem(int, const QString& prompt) {
    SendToStatusBar(prompt.isEmpty() ? m_strLastHint : prompt);
}

void CWizardFormView::SendToStatusBar(const QString& text) {
    SendWizardMessage(m_mainFrame.data(), WM_WIZ_STATUS_TEXT,
                      reinterpret_cast<std::uintptr_t>(&text), 0);
}

void CWizardFormView::PostToMainFrame(unsigned message, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
    PostWizardMessage(m_mainFrame.data(), message, wParam, lParam);
}
