// Base of the wizard's views: a form view that knows its document and its main frame.
#pragma once

#include "FormView.h"
#include "Parameters.h"
#include "ViewContext.h"

// Member <-> edit of a request parameter; when reading, the value is checked against the range
// the parameter table gives it, with the prompts of DDV_MinMaxDouble and DDV_MinMaxInt.
void DDX_Parameter(CDataExchange* pDX, int id, double& value, const ParameterInfo& parameter);
void DDX_Parameter(CDataExchange* pDX, int id, int& value, const ParameterInfo& parameter);

class CWizardFormView : public CFormView {
public:
    CWizardFormView(const DialogTemplate& dialog, const CViewContext& context, QWidget* parent);

    CKXC2280RegisterWizardDoc& GetDocument() const { return *m_pDoc; }
    QObject* MainFrame() const { return m_mainFrame.data(); }
    void SetMainFrame(QObject* mainFrame) { m_mainFrame = mainFrame; }
    // WM_WIZ_GET_FOCUS_HINT: the help text of the control that has the focus.
    bool OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

protected:
    // Sends WM_WIZ_STATUS_TEXT with the address of a help text to the main frame.
    void SendStatusText(const QString& text);
    void PostToMainFrame(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
    // While a typed text is refused the status bar shows the prompt; once it is taken again, the
    // help text it replaced.
    void OnEditTextProblem(int id, const QString& prompt) override;

private:
    void SendToStatusBar(const QString& text);

    CKXC2280RegisterWizardDoc* m_pDoc;
    QPointer<QObject> m_mainFrame;
    QString m_strLastHint;           // the help text last sent
    QPointer<QWidget> m_hintControl; // the control that had the focus when it was sent
};
