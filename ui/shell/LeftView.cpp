// Navigation tree: page items, the marked look of the chosen page, page and selection messages.
#include "LeftView.h"

#include "ShellIds.h"

#include <QFont>

namespace {

constexpr int kLayoutRole = Qt::UserRole;    // the layout object id of the item's page
constexpr int kStateRole = Qt::UserRole + 1; // the item state last written
constexpr int kLabelLimit = 99;              // label texts are read into a 100-character buffer

QString PageLabel(int id) {
    return LoadShellString(id).left(kLabelLimit);
}

} // namespace

CLeftView::CLeftView(QWidget* parent) : CWndT<QTreeWidget>(parent) {
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { OnSelChanged(current); });
}

void CLeftView::OnUpdate() {
    clear();
    for (const WizardPage& page : kWizardPages) {
        auto* item = new QTreeWidgetItem(QStringList{PageLabel(page.pageId)});
        item->setData(0, kLayoutRole, page.layoutId);
        addTopLevelItem(item);
    }
}

void CLeftView::OnInitialUpdate() {
    OnUpdate();
    if (QTreeWidgetItem* first = topLevelItem(0))
        SetItemState(first, TVIS_MARKED);
}

bool CLeftView::OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t) {
    if (message == WM_WIZ_SELECT_TREE_ITEM) {
        // The index travels as a signed 32-bit number; -1 selects the first item.
        int n = static_cast<std::int32_t>(wParam);
        QTreeWidgetItem* item = topLevelItem(0);
        while (item != nullptr && n > 0) {
            item = itemBelow(item);
            --n;
        }
        if (item != nullptr)
            setCurrentItem(item);
    }
    return false;
}

unsigned CLeftView::GetItemState(const QTreeWidgetItem* item) {
    return item != nullptr ? item->data(0, kStateRole).toUInt() : TVIS_PLAIN;
}

void CLeftView::SetItemState(QTreeWidgetItem* item, unsigned state) {
    if (item->data(0, kStateRole).isValid() && GetItemState(item) == state)
        return;
    item->setData(0, kStateRole, state);
    const bool marked = state == TVIS_MARKED;
    QFont font = item->font(0);
    font.setBold(marked);
    item->setFont(0, font);
    // The marked item looks chosen even while the tree does not have the focus.
    item->setBackground(0,
                        marked ? palette().brush(QPalette::Active, QPalette::Highlight) : QBrush());
    item->setForeground(0, marked ? palette().brush(QPalette::Active, QPalette::HighlightedText)
                                  : QBrush());
}

void CLeftView::Remark() {
    QTreeWidgetItem* caret = currentItem();
    if (caret == nullptr)
        return;
    for (QTreeWidgetItem* item = topLevelItem(0); item != nullptr; item = itemBelow(item))
        SetItemState(item, item == caret ? TVIS_MARKED : TVIS_PLAIN);
}

void CLeftView::paintEvent(QPaintEvent* event) {
    // Every paint re-marks first; the states only change when the caret moved, so this settles.
    Remark();
    QTreeWidget::paintEvent(event);
}

void CLeftView::OnSelChanged(QTreeWidgetItem* current) {
    if (current == nullptr)
        return;
    // The item knows its page by the layout object it shows, not by its label.
    if (const WizardPage* page = FindPageByLayout(current->data(0, kLayoutRole).toInt()))
        PostWizardMessage(MainWnd(), WM_WIZ_SHOW_PAGE, static_cast<std::uintptr_t>(page->pageId),
                          0);
}

QWidget* CLeftView::MainWnd() const {
    return m_mainWnd ? m_mainWnd.data() : window();
}
