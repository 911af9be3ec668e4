// Document access and main-frame messages shared by the wizard's views.
#include "WizardFormView.h"

#include "WizardMessages.h"

#include <QApplication>
#include <stdexcept>

void DDX_Parameter(CDataExchange* pDX, int id, double& value, const ParameterInfo& parameter) {
    DDX_Text(pDX, id, value);
    DDV_MinMaxDouble(pDX, value, parameter.min, parameter.max);
}

void DDX_Parameter(CDataExchange* pDX, int id, int& value, const ParameterInfo& parameter) {
    DDX_Text(pDX, id, value);
    DDV_MinMaxInt(pDX, value, static_cast<int>(parameter.min), static_cast<int>(parameter.max));
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
