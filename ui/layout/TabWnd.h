// Self-drawn tab window: pages above, a strip of tabs along the bottom edge.
#pragma once

#include "TabGeometry.h"
#include "WindowClass.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPen>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

class CSplitterWnd;

// One tab: its page window (not owned) and the label that shows its title (owned).
class TTabItem {
public:
    TTabItem(QWidget* parent, QWidget* page, const QString& title);
    virtual ~TTabItem();
    TTabItem(const TTabItem&) = delete;
    TTabItem& operator=(const TTabItem&) = delete;

    QString GetText() const;
    // The page window while it still exists, else none.
    QWidget* GetWnd() const { return m_pWnd; }
    QLabel* GetLabel() const { return m_pLabel; }

    QPointer<QWidget> m_pWnd;
    QPointer<QLabel> m_pLabel;
    int m_nLeft = 0;  // left end of the tab in the strip, written when the strip is laid out
    int m_nRight = 0; // right end of the tab, written when the strip is laid out
};

// The widget inside page that takes the keyboard focus when the page comes forward: the first
// visible, enabled tab stop in the focus chain, or page itself when it holds none.
QWidget* PageFocusTarget(QWidget* page);

class TTabWnd : public QWidget {
    Q_OBJECT

public:
    explicit TTabWnd(QWidget* parent = nullptr);
    ~TTabWnd() override;

    // The class record through which layouts create tab windows.
    static const TWindowClass& Class();

    virtual void ResizeTabs(int cx = -1, int cy = -1);
    // Creates splitter as rows by columns inside this window and adds it as the last tab.
    virtual TTabItem* AddSplitterTab(const QString& title, int rows, int columns,
                                     CSplitterWnd* splitter, int id);
    // Creates a view of windowClass and adds it as the last tab; none when it cannot be made.
    virtual TTabItem* AddViewTab(const QString& title, const TWindowClass& windowClass,
                                 CCreateContext* context);
    virtual int HitTest(QPoint point) const;
    virtual int HitTest(int x, int y) const;
    // Shows the page at index; with activateView a view in it becomes the frame's active view.
    virtual bool SetActiveTab(int index, bool activateView);
    // Asked before a page change; false keeps the current page.
    virtual bool CanChangeTab(QWidget* oldPage, QWidget* newPage);
    // Told after a page change.
    virtual void OnTabChanged(QWidget* oldPage, QWidget* newPage);

    int GetActiveTab() const { return m_nActiveTab; }
    int GetTabCount() const { return static_cast<int>(m_Tabs.size()); }
    TTabItem* GetTab(int index) const;
    QWidget* GetTabWnd(int index) const;
    // Index of the tab whose page is window, or -1.
    int FindTab(const QWidget* window) const;
    const QFont& GetTabFont() const { return m_tabFont; }

signals:
    // A left click on the strip: the index of the tab hit, or -1 when the click hit none. The
    // frame passes it on to the navigation tree, so tree and strip name the same page.
    void TabClicked(int index);
    // Another page is shown, its focus target has the focus: the index of its tab.
    void ActiveTabChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TTabItem* AppendTab(QWidget* page, const QString& title);
    // Measures the titles, places the tabs and their labels and prepares the drawing steps of
    // the strip; runs whenever the tabs, the size, the font or the shown tab change.
    void LayoutStrip();
    QPen PenFor(tabstrip::Ink ink) const;
    QColor ColorFor(tabstrip::Ink ink) const;

    QColor m_crFace;      // button face
    QColor m_crLight;     // button highlight
    QColor m_crShadow;    // button shadow
    QColor m_cr3dLight;   // inner 3-D light edge
    QFont m_tabFont;      // the status-bar font
    int m_nActiveTab = 0; // index of the shown page
    std::vector<std::unique_ptr<TTabItem>> m_Tabs;
    std::vector<tabstrip::Step> m_stripSteps; // what paintEvent draws, from LayoutStrip
};
