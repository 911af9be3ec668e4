// Tab window: pages switched by the strip of self-drawn tabs along the bottom edge.
#include "TabWnd.h"

#include "SplitterWnd.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kLabelId = 0xFFFF; // control id of every tab label

// Fills a one-pixel frame just inside rect.
void FrameRect(QPainter& painter, const QRect& rect, const QColor& color) {
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), color);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), color);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), color);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), color);
}

// The view that activating page makes the frame's active view, by the splitter and tab rules.
QWidget* ViewToActivate(QWidget* page) {
    if (page == nullptr || IsViewWindow(page))
        return page;
    if (auto* tabs = qobject_cast<TTabWnd*>(page))
        return ViewToActivate(tabs->GetTabWnd(tabs->GetActiveTab()));
    auto* splitter = qobject_cast<CSplitterWnd*>(page);
    if (splitter == nullptr)
        return nullptr;
    if (QWidget* active = splitter->GetActivePane())
        return active;
    for (int row = 0; row < splitter->GetRowCount(); ++row) {
        for (int column = 0; column < splitter->GetColumnCount(); ++column) {
            QWidget* pane = splitter->GetPane(row, column);
            if (pane == nullptr || !pane->isEnabled())
                continue;
            if (QWidget* view = ViewToActivate(pane))
                return view;
        }
    }
    return splitter->GetPane(0, 0);
}

} // namespace

QWidget* PageFocusTarget(QWidget* page) {
    if (page == nullptr)
        return nullptr;
    for (QWidget* w = page->nextInFocusChain(); w != nullptr && w != page;
         w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && w->isVisible() && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) != 0)
            return w;
    }
    return page;
}

TTabItem::TTabItem(QWidget* parent, QWidget* page, const QString& title)
    : m_pWnd(page), m_pLabel(new QLabel(title, parent)) {
    m_pLabel->setAlignment(Qt::AlignCenter);
    m_pLabel->setGeometry(QRect());
    SetDlgCtrlID(m_pLabel, kLabelId);
    m_pLabel->show();
}

TTabItem::~TTabItem() {
    delete m_pLabel.data();
}

QString TTabItem::GetText() const {
    return m_pLabel ? m_pLabel->text() : QString();
}

TTabWnd::TTabWnd(QWidget* parent) : QWidget(parent) {
    // The colours are the system's at construction time; the strip keeps them afterwards.
    const QPalette& colors = palette();
    m_crFace = colors.color(QPalette::Button);
    m_crLight = colors.color(QPalette::Light);
    m_crShadow = colors.color(QPalette::Dark);
    m_cr3dLight = colors.color(QPalette::Midlight);
    m_tabFont = QApplication::font("QStatusBar");
    ResizeTabs(-1, -1);
}

TTabWnd::~TTabWnd() = default;

const TWindowClass& TTabWnd::Class() {
    static const TWindowClass record{
        QStringLiteral("TTabWnd"),
        [](QWidget* parent, CCreateContext*) -> QWidget* { return new TTabWnd(parent); }, false};
    return record;
}

void TTabWnd::ResizeTabs(int cx, int cy) {
    // A tab window in a splitter pane is sized by that splitter, which lays its panes out itself.
    // Asking it to lay out again from here ran in the middle of its own bar move and put the
    // panes back to their sizes before the drag.
    QRect page = tabstrip::PageRect(cx, cy);
    if (cx == -1 && cy == -1) {
        if (parentWidget() == nullptr)
            return;
        const QSize client = parentWidget()->size();
        page = QRect(1, 0, client.width() - 2, client.height() - tabstrip::kStripHeight);
    }
    for (const auto& tab : m_Tabs) {
        if (tab->m_pWnd)
            tab->m_pWnd->setGeometry(page);
    }
}

TTabItem* TTabWnd::AddSplitterTab(const QString& title, int rows, int columns,
                                  CSplitterWnd* splitter, int id) {
    if (splitter == nullptr || !splitter->CreateStatic(this, rows, columns, id))
        return nullptr;
    return AppendTab(splitter, title);
}

TTabItem* TTabWnd::AddViewTab(const QString& title, const TWindowClass& windowClass,
                              CCreateContext* context) {
    QWidget* page = windowClass.CreateWnd(this, context);
    if (page == nullptr)
        return nullptr;
    // Pages get a sunken border unless the tab window itself sits in a splitter pane.
    if (auto* frame = qobject_cast<QFrame*>(page);
        frame != nullptr && qobject_cast<CSplitterWnd*>(parentWidget()) == nullptr)
        frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    page->setGeometry(QRect(0, tabstrip::kNewPageTop, width(), height() - tabstrip::kNewPageTop));
    SetDlgCtrlID(page, tabstrip::kFirstPageId + GetTabCount());
    page->show();
    return AppendTab(page, title);
}

TTabItem* TTabWnd::AppendTab(QWidget* page, const QString& title) {
    m_Tabs.push_back(std::make_unique<TTabItem>(this, page, title));
    if (m_Tabs.size() > 1) {
        page->setEnabled(false);
        page->hide();
    }
    LayoutStrip();
    return m_Tabs.back().get();
}

int TTabWnd::HitTest(QPoint point) const {
    return HitTest(point.x(), point.y());
}

int TTabWnd::HitTest(int x, int y) const {
    std::vector<tabstrip::TabExtent> extents;
    extents.reserve(m_Tabs.size());
    for (const auto& tab : m_Tabs)
        extents.push_back({tab->m_nLeft, tab->m_nRight, 0});
    return tabstrip::HitTest(extents, x, y, height());
}

bool TTabWnd::SetActiveTab(int index, bool activateView) {
    if (index < 0)
        return false;
    if (index == m_nActiveTab)
        return true;
    if (index >= GetTabCount())
        return false;
    QWidget* oldPage = GetTabWnd(m_nActiveTab);
    QWidget* newPage = GetTabWnd(index);
    if (!CanChangeTab(oldPage, newPage))
        return false;
    if (oldPage != nullptr) {
        oldPage->setEnabled(false);
        oldPage->hide();
    }
    if (newPage != nullptr) {
        newPage->setEnabled(true);
        newPage->show();
        PageFocusTarget(newPage)->setFocus();
    }
    m_nActiveTab = index;
    LayoutStrip();
    update(QRect(0, height() - tabstrip::kStripHeight, 32000, tabstrip::kStripHeight));
    OnTabChanged(oldPage, newPage);
    if (activateView) {
        if (TFrameWnd* frame = GetParentFrame(this)) {
            if (QWidget* view = ViewToActivate(newPage))
                frame->SetActiveView(view);
        }
    }
    emit ActiveTabChanged(index);
    return true;
}

bool TTabWnd::CanChangeTab(QWidget*, QWidget*) {
    return true;
}

void TTabWnd::OnTabChanged(QWidget*, QWidget*) {}

TTabItem* TTabWnd::GetTab(int index) const {
    return index >= 0 && index < GetTabCount() ? m_Tabs[index].get() : nullptr;
}

QWidget* TTabWnd::GetTabWnd(int index) const {
    const TTabItem* tab = GetTab(index);
    return tab != nullptr ? tab->GetWnd() : nullptr;
}

int TTabWnd::FindTab(const QWidget* window) const {
    if (window == nullptr)
        return -1;
    for (int i = 0; i < GetTabCount(); ++i) {
        if (m_Tabs[i]->GetWnd() == window)
            return i;
    }
    return -1;
}

void TTabWnd::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ResizeTabs(width(), height());
    LayoutStrip();
}

void TTabWnd::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Titles are measured in the window's own font.
    if (event->type() == QEvent::FontChange)
        LayoutStrip();
}

void TTabWnd::mouseReleaseEvent(QMouseEvent* event) {
    // A click that a page leaves unhandled comes up from it; only the strip's own clicks count, or
    // a click on a page's empty spot would show Image Timing.
    const bool onStrip = event->position().y() >= height() - tabstrip::kStripHeight;
    if (event->button() == Qt::LeftButton && onStrip) {
        const int hit = HitTest(event->position().toPoint());
        SetActiveTab(hit, true);
        emit TabClicked(hit);
    }
    QWidget::mouseReleaseEvent(event);
}

QColor TTabWnd::ColorFor(tabstrip::Ink ink) const {
    switch (ink) {
    case tabstrip::Ink::Black:
        return Qt::black;
    case tabstrip::Ink::Light2:
    case tabstrip::Ink::Highlight:
        return m_crLight;
    case tabstrip::Ink::Shadow1:
    case tabstrip::Ink::Shadow2:
        return m_crShadow;
    case tabstrip::Ink::Face:
        return m_crFace;
    case tabstrip::Ink::Light3d:
        return m_cr3dLight;
    }
    return Qt::black;
}

QPen TTabWnd::PenFor(tabstrip::Ink ink) const {
    const int width = ink == tabstrip::Ink::Light2 || ink == tabstrip::Ink::Shadow2 ? 2 : 1;
    // A flat cap leaves the end point out, as the strip's line steps expect.
    return QPen(ColorFor(ink), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

void TTabWnd::LayoutStrip() {
    const int w = width();
    const int h = height();
    // Titles are measured in the window's own font, as the strip's device context has it; the
    // labels show them in the tab font.
    const QFontMetrics metrics = fontMetrics();
    std::vector<int> textWidths;
    textWidths.reserve(m_Tabs.size());
    for (const auto& tab : m_Tabs)
        textWidths.push_back(metrics.horizontalAdvance(tab->GetText()));
    const std::vector<tabstrip::TabExtent> extents = tabstrip::LayoutTabs(textWidths);

    m_stripSteps = tabstrip::PageFrame(w, h);
    for (std::size_t i = 0; i < m_Tabs.size(); ++i) {
        TTabItem& tab = *m_Tabs[i];
        tab.m_nLeft = extents[i].left;
        tab.m_nRight = extents[i].right;
        const tabstrip::TabDrawing drawing =
            tabstrip::DrawTab(extents[i].left, extents[i].labelWidth, metrics.height(),
                              static_cast<int>(i) == m_nActiveTab, w, h);
        m_stripSteps.insert(m_stripSteps.end(), drawing.steps.begin(), drawing.steps.end());
        if (tab.m_pLabel) {
            if (tab.m_pLabel->font() != m_tabFont)
                tab.m_pLabel->setFont(m_tabFont);
            tab.m_pLabel->setGeometry(drawing.labelRect);
        }
    }
}

void TTabWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(tabstrip::EraseRect(width(), height()), m_crFace);
    for (const tabstrip::Step& step : m_stripSteps) {
        if (step.kind == tabstrip::Step::Kind::Stroke) {
            painter.setPen(PenFor(step.stroke.ink));
            painter.drawPolyline(step.stroke.points.data(),
                                 static_cast<int>(step.stroke.points.size()));
        } else if (step.fill.frameOnly) {
            FrameRect(painter, step.fill.rect, ColorFor(step.fill.ink));
        } else {
            painter.fillRect(step.fill.rect, ColorFor(step.fill.ink));
        }
    }
}
