// Static splitter: panes sized from their ideal sizes, the last one taking what remains.
#include "SplitterWnd.h"

#include <QResizeEvent>
#include <algorithm>

CSplitterWnd::CSplitterWnd() : QSplitter(nullptr) {
    setChildrenCollapsible(true);
    connect(this, &QSplitter::splitterMoved, this, &CSplitterWnd::RememberDraggedSizes);
}

bool CSplitterWnd::CreateStatic(QWidget* parent, int rows, int columns, int id) {
    if (m_rows != 0 || rows < 1 || columns < 1 || (rows > 1 && columns > 1))
        return false;
    m_rows = rows;
    m_columns = columns;
    setOrientation(rows > 1 ? Qt::Vertical : Qt::Horizontal);
    const int panes = rows * columns;
    m_idealSizes.assign(panes, 0);
    // Every cell holds a placeholder until its view is created, so cells fill in any order.
    for (int i = 0; i < panes; ++i) {
        addWidget(new QWidget);
        setStretchFactor(i, i == StretchIndex() ? 1 : 0);
    }
    SetDlgCtrlID(this, id);
    setParent(parent);
    show();
    return true;
}

bool CSplitterWnd::CreateView(int row, int column, const TWindowClass& windowClass, QSize idealSize,
                              CCreateContext* context) {
    const int index = CellIndex(row, column);
    if (index < 0)
        return false;
    QWidget* view = windowClass.CreateWnd(this, context);
    if (view == nullptr)
        return false;
    SetDlgCtrlID(view, AFX_IDW_PANE_FIRST + row * 16 + column);
    // A new child is appended by the splitter itself; move it into its cell and drop the
    // placeholder that held the cell.
    QWidget* placeholder = widget(index);
    insertWidget(index, view);
    if (placeholder != view)
        delete placeholder;
    setStretchFactor(index, index == StretchIndex() ? 1 : 0);
    view->show();
    m_idealSizes[index] = orientation() == Qt::Horizontal ? idealSize.width() : idealSize.height();
    RecalcLayout();
    return true;
}

QWidget* CSplitterWnd::GetPane(int row, int column) const {
    const int index = CellIndex(row, column);
    return index < 0 ? nullptr : widget(index);
}

QWidget* CSplitterWnd::GetActivePane() const {
    const TFrameWnd* frame = GetParentFrame(this);
    QWidget* view = frame != nullptr ? frame->GetActiveView() : nullptr;
    return view != nullptr && indexOf(view) >= 0 ? view : nullptr;
}

void CSplitterWnd::RecalcLayout() {
    const int panes = count();
    if (m_inLayout || panes == 0)
        return;
    m_inLayout = true;
    int remaining =
        (orientation() == Qt::Horizontal ? width() : height()) - handleWidth() * (panes - 1);
    remaining = std::max(remaining, 0);
    const int stretch = StretchIndex();
    QList<int> sizes(panes, 0);
    for (int i = 0; i < panes; ++i) {
        if (i == stretch)
            continue;
        sizes[i] = std::clamp(m_idealSizes[i], 0, remaining);
        // A pane given less than its smallest useful size is hidden, as the platform's splitter
        // does, rather than shown that small with scroll bars and nothing to scroll.
        const QSize least = widget(i)->minimumSizeHint();
        if (sizes[i] < (orientation() == Qt::Horizontal ? least.width() : least.height()))
            sizes[i] = 0;
        remaining -= sizes[i];
    }
    sizes[stretch] = remaining;
    setSizes(sizes);
    m_inLayout = false;
}

void CSplitterWnd::resizeEvent(QResizeEvent* event) {
    QSplitter::resizeEvent(event);
    RecalcLayout();
}

void CSplitterWnd::SetStretchPane(int row, int column) {
    const int index = CellIndex(row, column);
    if (index < 0)
        return;
    m_stretchPane = index;
    for (int i = 0; i < count(); ++i)
        setStretchFactor(i, i == index ? 1 : 0);
    RecalcLayout();
}

int CSplitterWnd::StretchIndex() const {
    const int panes = static_cast<int>(m_idealSizes.size());
    return m_stretchPane >= 0 && m_stretchPane < panes ? m_stretchPane : panes - 1;
}

int CSplitterWnd::CellIndex(int row, int column) const {
    if (row < 0 || column < 0 || row >= m_rows || column >= m_columns)
        return -1;
    return row * m_columns + column;
}

void CSplitterWnd::RememberDraggedSizes() {
    // A dragged bar becomes the panes' new ideal size, as with the platform splitter.
    const QList<int> current = sizes();
    for (int i = 0; i < static_cast<int>(m_idealSizes.size()) && i < current.size(); ++i)
        m_idealSizes[i] = current[i];
}
