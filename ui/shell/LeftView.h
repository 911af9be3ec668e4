// Navigation tree: the wizard's pages, kept in step with the tab window through the main frame.
#pragma once

#include "WizardMessage.h"

#include <QPointer>
#include <QTreeWidget>

// Item states, as the tree keeps them: bold, drop-highlighted and selected together, or none.
inline constexpr unsigned TVIS_MARKED = 0x1A;
inline constexpr unsigned TVIS_PLAIN = 0;

class CLeftView : public CWndT<QTreeWidget> {
    Q_OBJECT

public:
    explicit CLeftView(QWidget* parent = nullptr);

    // Rebuilds the page items, one per page of the page table.
    void OnUpdate();
    // Rebuilds the items and marks the first one; the caret item is left unset.
    void OnInitialUpdate();
    bool OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

    // The item state last written to item (TVIS_MARKED or TVIS_PLAIN).
    static unsigned GetItemState(const QTreeWidgetItem* item);
    // Where page messages go; the window this tree sits in when none is set.
    void SetMainWnd(QWidget* mainWnd) { m_mainWnd = mainWnd; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void SetItemState(QTreeWidgetItem* item, unsigned state);
    // Marks the caret item and clears every other one; with no caret nothing changes.
    void Remark();
    void OnSelChanged(QTreeWidgetItem* current);
    QWidget* MainWnd() const;

    QPointer<QWidget> m_mainWnd;
};
