// Static splitter window on QSplitter: a fixed grid of one row or one column of panes.
#pragma once

#include "WindowClass.h"

#include <QSplitter>
#include <vector>

inline constexpr int AFX_IDW_PANE_FIRST = 0xE900; // control id of the splitter's first pane

class CSplitterWnd : public QSplitter {
    Q_OBJECT

public:
    CSplitterWnd();

    // Makes the splitter a child of parent with rows by columns empty panes. A grid that is
    // neither one row nor one column, or an empty one, is refused.
    bool CreateStatic(QWidget* parent, int rows, int columns, int id = AFX_IDW_PANE_FIRST);

    // Creates a window of windowClass in cell (row, column). idealSize is the pane's preferred
    // width by height in pixels; the last pane takes whatever space remains.
    bool CreateView(int row, int column, const TWindowClass& windowClass, QSize idealSize,
                    CCreateContext* context);

    int GetRowCount() const { return m_rows; }
    int GetColumnCount() const { return m_columns; }
    // The window in cell (row, column), or none.
    QWidget* GetPane(int row, int column) const;
    // The frame's active view when it is one of this splitter's panes, else none.
    QWidget* GetActivePane() const;
    // Lays the panes out from their ideal sizes.
    void RecalcLayout();
    // The pane that takes whatever space the others leave: the last one unless set here. A pane
    // that shows nothing of its own is better not that one, or a large window shows it empty.
    void SetStretchPane(int row, int column);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int CellIndex(int row, int column) const;
    int StretchIndex() const;
    void RememberDraggedSizes();

    int m_rows = 0;
    int m_columns = 0;
    std::vector<int> m_idealSizes; // pixels along the splitter's orientation, one per pane
    int m_stretchPane = -1;        // index of the pane that takes the rest; -1 for the last
    bool m_inLayout = false;
};
