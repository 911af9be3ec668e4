// The tooltip filter of cut texts and the proportional narrowing of table columns.
#include "ColumnFit.h"

#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QTableView>
#include <QToolTip>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Answers the tooltip events of a view's viewport and of its horizontal header, if it has one.
class CCutTextTips : public QObject {
public:
    explicit CCutTextTips(QAbstractItemView& view) : QObject(&view), m_view(view) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip || m_view.model() == nullptr)
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        QString text;
        QRect rect;
        QWidget* area = qobject_cast<QWidget*>(watched);
        if (watched == m_view.viewport()) {
            const QModelIndex index = m_view.indexAt(help->pos());
            if (!index.isValid())
                return false;
            rect = m_view.visualRect(index);
            const QString own = index.data(Qt::ToolTipRole).toString();
            if (m_view.sizeHintForIndex(index).width() > rect.width())
                text = index.data().toString() + (own.isEmpty() ? QString() : u'\n' + own);
            else if (!own.isEmpty())
                return false; // the cell's own tooltip, as usual
        } else if (auto* header = Header(); header != nullptr && watched == header->viewport()) {
            const int section = header->logicalIndexAt(help->pos());
            if (section < 0)
                return false;
            rect = QRect(header->sectionViewportPosition(section), 0, header->sectionSize(section),
                         header->height());
            if (header->sectionSizeHint(section) > rect.width())
                text = m_view.model()->headerData(section, Qt::Horizontal).toString();
        } else {
            return false;
        }
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, area, rect);
        return true;
    }

private:
    QHeaderView* Header() const {
        auto* table = qobject_cast<QTableView*>(&m_view);
        return table != nullptr ? table->horizontalHeader() : nullptr;
    }

    QAbstractItemView& m_view;
};

// Fits the columns of a table after each show, resize or model change, once per turn of the event
// loop.
class CColumnFitter : public QObject {
public:
    explicit CColumnFitter(QTableView& view) : QObject(&view), m_view(view) {
        view.horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
        // The viewport narrows without the view when a vertical scroll bar comes.
        view.installEventFilter(this);
        view.viewport()->installEventFilter(this);
        if (QAbstractItemModel* model = view.model()) {
            connect(model, &QAbstractItemModel::modelReset, this, &CColumnFitter::Queue);
            connect(model, &QAbstractItemModel::layoutChanged, this, &CColumnFitter::Queue);
            connect(model, &QAbstractItemModel::rowsInserted, this, &CColumnFitter::Queue);
            connect(model, &QAbstractItemModel::rowsRemoved, this, &CColumnFitter::Queue);
            connect(model, &QAbstractItemModel::dataChanged, this, &CColumnFitter::Queue);
        }
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::Resize)
            Fit();
        return false;
    }

private:
    void Queue() {
        if (!std::exchange(m_queued, true))
            QMetaObject::invokeMethod(this, &CColumnFitter::Fit, Qt::QueuedConnection);
    }
    void Fit() {
        m_queued = false;
        if (!m_view.isVisible())
            return;
        m_view.resizeColumnsToContents();
        ShrinkColumnsToView(m_view);
    }

    QTableView& m_view;
    bool m_queued = false;
};

} // namespace

void ShowCutTextInTooltips(QAbstractItemView& view) {
    auto* tips = new CCutTextTips(view);
    view.viewport()->installEventFilter(tips);
    if (auto* table = qobject_cast<QTableView*>(&view))
        table->horizontalHeader()->viewport()->installEventFilter(tips);
}

void ShrinkColumnsToView(QTableView& view) {
    QHeaderView* header = view.horizontalHeader();
    const int least = header->minimumSectionSize();
    std::vector<int> shown;
    int total = 0;
    int spare = 0; // what the columns have above the least width
    for (int c = 0; c < header->count(); ++c) {
        if (header->isSectionHidden(c))
            continue;
        shown.push_back(c);
        total += header->sectionSize(c);
        spare += std::max(header->sectionSize(c) - least, 0);
    }
    const int excess = std::min(total - view.viewport()->width(), spare);
    if (excess <= 0)
        return;
    // Each column gives up room in proportion to what it has above the least width; the
    // rounding's remainder comes a pixel at a time from the first columns that can give it.
    std::vector<int> widths;
    int taken = 0;
    for (const int c : shown) {
        const int above = std::max(header->sectionSize(c) - least, 0);
        const int cut = static_cast<int>(static_cast<long long>(above) * excess / spare);
        widths.push_back(header->sectionSize(c) - cut);
        taken += cut;
    }
    for (std::size_t i = 0; taken < excess && i < widths.size(); ++i) {
        if (widths[i] > least) {
            --widths[i];
            ++taken;
        }
    }
    for (std::size_t i = 0; i < shown.size(); ++i)
        header->resizeSection(shown[i], widths[i]);
}

void FitColumnsToView(QTableView& view) {
    new CColumnFitter(view);
    ShowCutTextInTooltips(view);
}
