// Document access and main-frame messages shared by the wizard's views.
#include "WizardFormView.h"

#include "WizardMessages.h"

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
    SendToStatusBar(text);
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
