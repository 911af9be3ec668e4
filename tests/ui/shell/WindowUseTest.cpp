// The window used as a user would: splitter bars dragged, small windows, reopened files, the status
// bar, the report fonts and the pictures of every page.
#include "WizardFixture.h"

#include <QFontInfo>
#include <QScrollBar>
#include <QSplitterHandle>
#include <QTextEdit>

#include <ostream>

namespace {

// A splitter bar to drag: the splitter's layout object, the panes on either side of the bar and
// the distance to drag it (pixels along the splitter, positive to the right or downwards).
struct DragCase {
    const char* name;
    int splitterId;
    int firstPaneId;
    int lastPaneId;
    int distance;

    friend std::ostream& operator<<(std::ostream& out, const DragCase& c) { return out << c.name; }
};

class SplitterDragTest : public WizardTest, public testing::WithParamInterface<DragCase> {
protected:
    CSplitterWnd& Splitter() const {
        return *qobject_cast<CSplitterWnd*>(Wnd(GetParam().splitterId));
    }
    bool Horizontal() const { return Splitter().orientation() == Qt::Horizontal; }
    // Extent of a pane along the splitter: where it starts and how long it is.
    int Start(int id) const { return Horizontal() ? Wnd(id)->x() : Wnd(id)->y(); }
    int Length(int id) const { return Horizontal() ? Wnd(id)->width() : Wnd(id)->height(); }

    // Drags the bar between the two panes with the mouse, as a user does. The bar moves under
    // the mouse, so each point is given where it lies on the screen.
    void DragBar(int distance) {
        QSplitterHandle* bar = Splitter().handle(1);
        ASSERT_NE(bar, nullptr);
        const QPoint grip = bar->mapToGlobal(bar->rect().center());
        const QPoint end = grip + (Horizontal() ? QPoint(distance, 0) : QPoint(0, distance));
        QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, bar->mapFromGlobal(grip));
        QTest::mouseMove(bar, bar->mapFromGlobal((grip + end) / 2));
        QTest::mouseMove(bar, bar->mapFromGlobal(end));
        QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, bar->mapFromGlobal(end));
        PumpEvents();
    }

    // The panes sit side by side: the second starts after the first and the bar between them.
    void ExpectSideBySide(const char* when) {
        const int first = GetParam().firstPaneId;
        const int last = GetParam().lastPaneId;
        EXPECT_EQ(Start(last), Start(first) + Length(first) + Splitter().handleWidth()) << when;
        const int total = Horizontal() ? Splitter().width() : Splitter().height();
        EXPECT_EQ(Start(last) + Length(last), total) << when;
    }
};

TEST_P(SplitterDragTest, PanesFollowTheBarAndKeepTheirSizesThroughAResize) {
    ASSERT_TRUE(m_started);
    ClickTreeItem(0); // the timing bar lives on the Image Timing page
    const int first = GetParam().firstPaneId;
    const int before = Length(first);

    DragBar(GetParam().distance);
    EXPECT_EQ(Length(first), before + GetParam().distance);
    ExpectSideBySide("after the drag");

    const int dragged = Length(first);
    Frame().resize(Frame().size() + QSize(120, 90));
    PumpEvents();
    EXPECT_EQ(Length(first), dragged) << "the dragged size holds through a window resize";
    ExpectSideBySide("after the window resize");

    DragBar(-GetParam().distance / 2);
    EXPECT_EQ(Length(first), dragged - GetParam().distance / 2);
    ExpectSideBySide("after dragging back");
}

INSTANTIATE_TEST_SUITE_P(Bars, SplitterDragTest,
                         testing::Values(DragCase{"TreeBarRight", ID_LAYOUT_MAIN_SPLITTER,
                                                  ID_LAYOUT_NAV_TREE, ID_LAYOUT_TABS, 150},
                                         DragCase{"TreeBarLeft", ID_LAYOUT_MAIN_SPLITTER,
                                                  ID_LAYOUT_NAV_TREE, ID_LAYOUT_TABS, -80},
                                         DragCase{"TimingBarUp", ID_LAYOUT_TIMING_SPLITTER,
                                                  ID_LAYOUT_TIMING_TOP, ID_LAYOUT_TIMING_BOTTOM,
                                                  -300}));

} // namespace
