// What every wizard view is created with: the document it edits and the main frame it talks to.
#pragma once

#include "WizardDoc.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <string>

// Creation contract of CRegOutView, CPLLCalcs and CImageParms:
// - m_pDoc is the one document; it must outlive the view. The views read and write its fields
//   and call Recalculate on it after a change.
// - m_pMainFrame receives the views' wizard messages: WM_WIZ_STATUS_TEXT is sent with wParam =
//   address of a const QString valid only during the call (lParam 0); WM_WIZ_RECALC_CONTEXT,
//   WM_WIZ_TIMING_CHANGED and WM_WIZ_CLOCKS_RECALCULATED are posted. It may be null (nothing is
//   sent) and may be set later with SetMainFrame, e.g. when the frame exists only after its views.
// - The framework calls OnInitialUpdate once the document's OnNewDocument has run, and sends
//   WM_WIZ_SET_DEFAULTS, WM_WIZ_RESTORE_PARAMETERS, WM_WIZ_TIMING_CHANGED, WM_WIZ_RECALC_CONTEXT,
//   WM_WIZ_RECALC_CLOCKS directly to the view that acts on them.
struct CViewContext {
    CKXC2280RegisterWizardDoc* m_pDoc = nullptr;
    QObject* m_pMainFrame = nullptr;
};

// Document texts are plain 8-bit with CR LF line ends; the panes show them with plain line feeds.
QString DocumentText(const std::string& text);
