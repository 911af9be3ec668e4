// Timing diagram page: takes the document's figures on each timing run; painting only draws them.
#include "TimingDiagramView.h"

#include "TimingDiagramPainter.h"
#include "WizardMessages.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <stdexcept>

CTimingDiagramView::CTimingDiagramView(const CViewContext& context, QWidget* parent)
    : CWndT<QWidget>(parent), m_pDoc(context.m_pDoc) {
    if (m_pDoc == nullptr)
        throw std::invalid_argument("the timing diagram needs its document");
    setAccessibleName(QStringLiteral("Timing Diagram"));
    // Every pixel is painted, so Qt need not clear the page first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CTimingDiagramView::OnInitialUpdate() {
    Refresh();
}

bool CTimingDiagramView::OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (message == WM_WIZ_TIMING_CHANGED) {
        Refresh();
        return true;
    }
    return CWndT<QWidget>::OnWndMsg(message, wParam, lParam);
}

void CTimingDiagramView::Refresh() {
    m_figures = LastTimingFigures(*m_pDoc);
    m_request = m_pDoc->m_Contexts[0];
    m_diagram.reset();
    // Readers of the screen get the report that explains the same figures in words.
    setAccessibleDescription(DocumentText(m_request.m_strTimingReport));
    update();
}

const TimingDiagram& CTimingDiagramView::Diagram() {
    if (!m_diagram)
        m_diagram = LayOutTimingDiagram(
            m_figures, m_request, {static_cast<double>(width()), static_cast<double>(height())},
            DiagramFontFor(font(), this));
    return *m_diagram;
}

void CTimingDiagramView::paintEvent(QPaintEvent* event) {
    const DiagramColours colours = DiagramColoursFor(palette());
    QPainter painter(this);
    painter.fillRect(event->rect(), colours.background);
    PaintTimingDiagram(painter, Diagram(), colours);
}

void CTimingDiagramView::resizeEvent(QResizeEvent* event) {
    m_diagram.reset();
    QWidget::resizeEvent(event);
}

void CTimingDiagramView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::StyleChange)
        m_diagram.reset();
    QWidget::changeEvent(event);
}
