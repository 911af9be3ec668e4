// Base of the wizard's views: a form view that knows its document and its main frame.
#pragma once

#include "FormView.h"
#include "Parameters.h"
#include "ViewContext.h"

#include <span>

// Member <-> edit of a request parameter; when reading, the value is checked against the range
// the parameter table gives it, with the prompts of DDV_MinMaxDouble and DDV_MinMaxInt.
void DDX_Parameter(CDataExchange* pDX, int id, double& value, const ParameterInfo& parameter);
void DDX_Parameter(CDataExchange* pDX, int id, int& value, const ParameterInfo& parameter);

// An edit, check box or list bound to the field of a request parameter, in the document or in
// the image context the form edits. An optional value has a box that fixes it: unchecked, the
// field is free (-1) and the edit keeps the value last entered. A field the calculation may
// replace with its result has the document keep the value entered apart: the edit shows that
// one, and while the shows-result box is checked the edit shows the result and is not read, and
// the field starts from the value entered.
struct BoundControl {
    int id;
    std::size_t parameter; // the row in kParameters
    int fixBox = 0;
    int showsResultBox = 0;
    double CKXC2280RegisterWizardDoc::*entered = nullptr;
};

class CWizardFormView : public CFormView {
public:
    CWizardFormView(const DialogTemplate& dialog, const CViewContext& context, QWidget* parent);

    CKXC2280RegisterWizardDoc& GetDocument() const { return *m_pDoc; }
    QObject* MainFrame() const { return m_mainFrame.data(); }
    void SetMainFrame(QObject* mainFrame) { m_mainFrame = mainFrame; }
    // WM_WIZ_GET_FOCUS_HINT: the help text of the control that has the focus.
    bool OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

protected:
    // Exchanges the bound controls with their fields, in table order; a list stands for the
    // parameter's values from its minimum up. A save that stops at a refused text leaves the
    // fields after it as they were, so controls that cannot refuse come first in a table.
    void ExchangeParameters(CDataExchange* pDX, std::span<const BoundControl> controls,
                            CImageContext& context);
    // A bound control with the value entered kept apart.
    void ExchangeEntered(CDataExchange* pDX, const BoundControl& bound,
                         const ParameterInfo& parameter);
    // The edits of free optional values show the values the form offers until one is fixed.
    void ShowPresets(std::span<const BoundControl> controls);

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
