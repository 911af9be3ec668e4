// The "Timing Diagram" page: the frame of context 0 as the last timing calculation left it.
#pragma once

#include "TimingDiagram.h"
#include "ViewContext.h"
#include "WizardMessage.h"

#include <QWidget>
#include <optional>

class CTimingDiagramView : public CWndT<QWidget> {
public:
    explicit CTimingDiagramView(const CViewContext& context, QWidget* parent = nullptr);

    // Takes the figures of the document's last timing run.
    void OnInitialUpdate();
    // WM_WIZ_TIMING_CHANGED, which the main frame forwards after either form's timing run, takes
    // the figures again and repaints.
    bool OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

    // The figures shown, and the picture laid out for the page's present size and font.
    const TimingFigures& Figures() const { return m_figures; }
    const TimingDiagram& Diagram();

    QSize sizeHint() const override { return {640, 600}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Refresh();

    CKXC2280RegisterWizardDoc* m_pDoc;
    TimingFigures m_figures;
    CImageContext m_request;                // the request the figures were computed for
    std::optional<TimingDiagram> m_diagram; // laid out on demand; a new size or font drops it
};
