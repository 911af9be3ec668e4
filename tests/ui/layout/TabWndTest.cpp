// The tab window on real widgets: page switching, hooks, painted extents and mouse clicks.
#include "TabWnd.h"
#include "GuiTestHelpers.h"
#include "LayoutTestFrame.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

namespace {

// Records the hooks and can refuse page changes.
class CRecordingTabWnd : public TTabWnd {
public:
    using TTabWnd::TTabWnd;

    bool CanChangeTab(QWidget* oldPage, QWidget* newPage) override {
        m_asked.emplace_back(oldPage, newPage);
        return m_allowChange;
    }
    void OnTabChanged(QWidget* oldPage, QWidget* newPage) override {
        m_changed.emplace_back(oldPage, newPage);
    }

    bool m_allowChange = true;
    std::vector<std::pair<QWidget*, QWidget*>> m_asked;
    std::vector<std::pair<QWidget*, QWidget*>> m_changed;
};

class TabWndTest : public testing::Test {
protected:
    void SetUp() override {
        m_frame.resize(600, 400);
        m_tabs = new CRecordingTabWnd(&m_frame);
        m_frame.setCentralWidget(m_tabs);
        for (const char* title : {"Image Timing", "PLL", "Registers"})
            ASSERT_NE(m_tabs->AddViewTab(title, m_view, nullptr), nullptr);
        QObject::connect(m_tabs, &TTabWnd::TabClicked,
                         [this](int index) { m_clicked.push_back(index); });
        m_frame.show();
        Paint();
    }

    void Paint() { m_tabs->grab(); }

    // Clicks at x in the middle row of the strip.
    void ClickStrip(int x) {
        QTest::mouseClick(m_tabs, Qt::LeftButton, Qt::NoModifier, QPoint(x, m_tabs->height() - 16));
        PumpEvents();
    }

    // The tab indexes the strip reported clicked, for the frame to pass on to the tree.
    std::vector<int> SelectMessages() const { return m_clicked; }

    TWindowClass m_view = MakeViewClass("page");
    CTestFrame m_frame;
    CRecordingTabWnd* m_tabs = nullptr;
    std::vector<int> m_clicked;
};

TEST_F(TabWndTest, FirstPageIsShownAndTheOthersHidden) {
    EXPECT_EQ(m_tabs->GetActiveTab(), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m_tabs->GetTabWnd(i)->isVisible(), i == 0) << i;
        EXPECT_EQ(m_tabs->GetTabWnd(i)->isEnabled(), i == 0) << i;
        EXPECT_EQ(GetDlgCtrlID(m_tabs->GetTabWnd(i)), 13576 + i);
    }
}

TEST_F(TabWndTest, PagesFillTheWindowAboveTheStrip) {
    const QRect page = m_tabs->GetTabWnd(0)->geometry();
    EXPECT_EQ(page, QRect(1, 0, m_tabs->width(), m_tabs->height() - 30));
}

struct ActiveTabCase {
    int index;
    bool result;
    int shown;

    friend std::ostream& operator<<(std::ostream& out, const ActiveTabCase& c) {
        return out << "index" << c.index;
    }
};

class TabWndSetActiveTest : public TabWndTest, public testing::WithParamInterface<ActiveTabCase> {};

TEST_P(TabWndSetActiveTest, ShowsValidIndexesOnly) {
    EXPECT_EQ(m_tabs->SetActiveTab(GetParam().index, false), GetParam().result);
    EXPECT_EQ(m_tabs->GetActiveTab(), GetParam().shown);
    EXPECT_TRUE(m_tabs->GetTabWnd(GetParam().shown)->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Indexes, TabWndSetActiveTest,
                         testing::Values(ActiveTabCase{1, true, 1}, ActiveTabCase{2, true, 2},
                                         ActiveTabCase{0, true, 0}, ActiveTabCase{3, false, 0},
                                         ActiveTabCase{-1, false, 0}, ActiveTabCase{-7, false, 0}));

TEST_F(TabWndTest, HooksSeeOldAndNewPage) {
    QWidget* first = m_tabs->GetTabWnd(0);
    QWidget* second = m_tabs->GetTabWnd(1);
    ASSERT_TRUE(m_tabs->SetActiveTab(1, false));
    ASSERT_EQ(m_tabs->m_changed.size(), 1u);
    EXPECT_EQ(m_tabs->m_changed[0], std::make_pair(first, second));
    // The shown tab again: nothing is asked, nothing changes.
    EXPECT_TRUE(m_tabs->SetActiveTab(1, false));
    EXPECT_EQ(m_tabs->m_asked.size(), 1u);
}

TEST_F(TabWndTest, RefusedChangeKeepsThePage) {
    m_tabs->m_allowChange = false;
    EXPECT_FALSE(m_tabs->SetActiveTab(2, true));
    EXPECT_EQ(m_tabs->GetActiveTab(), 0);
    EXPECT_TRUE(m_tabs->m_changed.empty());
    EXPECT_FALSE(m_tabs->GetTabWnd(2)->isVisible());
}

TEST_F(TabWndTest, ActivatingAViewPageMakesItTheFramesActiveView) {
    ASSERT_TRUE(m_tabs->SetActiveTab(2, true));
    EXPECT_EQ(m_frame.GetActiveView(), m_tabs->GetTabWnd(2));
    ASSERT_TRUE(m_tabs->SetActiveTab(1, false));
    EXPECT_EQ(m_frame.GetActiveView(), m_tabs->GetTabWnd(2));
}

TEST_F(TabWndTest, PaintingWritesTabExtentsFromTheTitles) {
    const QFontMetrics metrics(m_tabs->font());
    int x = 0;
    for (int i = 0; i < 3; ++i) {
        const TTabItem* tab = m_tabs->GetTab(i);
        const int width = std::min(metrics.horizontalAdvance(tab->GetText()) + 4, 200) + 6;
        EXPECT_EQ(tab->m_nLeft, x) << i;
        EXPECT_EQ(tab->m_nRight, x + width) << i;
        EXPECT_EQ(tab->GetLabel()->font(), m_tabs->GetTabFont());
        x += width;
    }
}

TEST_F(TabWndTest, ExtentsAreKnownBeforeAnyPaint) {
    CTestFrame frame;
    auto* tabs = new TTabWnd(&frame);
    frame.setCentralWidget(tabs);
    for (const char* title : {"Image Timing", "PLL"})
        ASSERT_NE(tabs->AddViewTab(title, m_view, nullptr), nullptr);
    // Never shown, never painted: the strip was laid out when the tabs were added.
    const QFontMetrics metrics(tabs->font());
    const int first = std::min(metrics.horizontalAdvance(QStringLiteral("Image Timing")) + 4, 200);
    EXPECT_EQ(tabs->GetTab(0)->m_nLeft, 0);
    EXPECT_EQ(tabs->GetTab(0)->m_nRight, first + 6);
    EXPECT_EQ(tabs->GetTab(1)->m_nLeft, first + 6);
    EXPECT_GT(tabs->GetTab(1)->m_nRight, tabs->GetTab(1)->m_nLeft);
}

TEST_F(TabWndTest, ShownPageGivesTheFocusToItsFirstTabStop) {
    // A page holding a caption and two entries, as a form does.
    const TWindowClass form{QStringLiteral("form"),
                            [](QWidget* parent, CCreateContext*) -> QWidget* {
                                auto* page = new QWidget(parent);
                                new QLabel(QStringLiteral("Caption"), page);
                                auto* first = new QLineEdit(page);
                                first->setObjectName(QStringLiteral("first"));
                                new QLineEdit(page);
                                return page;
                            },
                            true};
    ASSERT_NE(m_tabs->AddViewTab(QStringLiteral("Form"), form, nullptr), nullptr);
    QApplication::setActiveWindow(&m_frame);
    ASSERT_TRUE(m_tabs->SetActiveTab(3, false));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("first"));
    // A page without tab stops takes the focus itself.
    ASSERT_TRUE(m_tabs->SetActiveTab(1, false));
    EXPECT_EQ(QApplication::focusWidget(), m_tabs->GetTabWnd(1));
}

TEST_F(TabWndTest, LongTitleGivesA206PixelTabWithA200PixelLabel) {
    const QFontMetrics metrics(m_tabs->font());
    QString title = QStringLiteral("Image Timing");
    while (metrics.horizontalAdvance(title) <= 196)
        title += QStringLiteral(" and more");
    ASSERT_NE(m_tabs->AddViewTab(title, m_view, nullptr), nullptr);
    Paint();
    const TTabItem* tab = m_tabs->GetTab(3);
    EXPECT_EQ(tab->m_nRight - tab->m_nLeft, 206);
    EXPECT_EQ(tab->GetLabel()->width(), 200);
}

TEST_F(TabWndTest, ClickOnATabShowsItAndTellsTheTree) {
    ClickStrip(m_tabs->GetTab(1)->m_nLeft + 5);
    EXPECT_EQ(m_tabs->GetActiveTab(), 1);
    EXPECT_EQ(SelectMessages(), (std::vector<int>{1}));
    EXPECT_EQ(m_frame.GetActiveView(), m_tabs->GetTabWnd(1));
}

TEST_F(TabWndTest, ClickOnTheShownTabChangesNothingButStillTellsTheTree) {
    ClickStrip(m_tabs->GetTab(0)->m_nLeft + 5);
    EXPECT_EQ(m_tabs->GetActiveTab(), 0);
    EXPECT_TRUE(m_tabs->m_asked.empty());
    EXPECT_EQ(SelectMessages(), (std::vector<int>{0}));
}

TEST_F(TabWndTest, ClickOnABoundarySelectsTheLeftTab) {
    const int boundary = m_tabs->GetTab(1)->m_nRight;
    ASSERT_EQ(boundary, m_tabs->GetTab(2)->m_nLeft);
    ClickStrip(boundary);
    EXPECT_EQ(m_tabs->GetActiveTab(), 1);
    EXPECT_EQ(SelectMessages(), (std::vector<int>{1}));
}

TEST_F(TabWndTest, ClickRightOfTheLastTabKeepsThePageAndPostsMinusOne) {
    ClickStrip(m_tabs->GetTab(2)->m_nRight + 10);
    EXPECT_EQ(m_tabs->GetActiveTab(), 0);
    EXPECT_EQ(SelectMessages(), (std::vector<int>{-1}));
}

TEST_F(TabWndTest, ClickAboveTheStripPostsMinusOne) {
    QTest::mouseClick(m_tabs, Qt::LeftButton, Qt::NoModifier,
                      QPoint(m_tabs->GetTab(1)->m_nLeft + 5, m_tabs->height() - 27));
    PumpEvents();
    EXPECT_EQ(m_tabs->GetActiveTab(), 0);
    EXPECT_EQ(SelectMessages(), (std::vector<int>{-1}));
}

TEST_F(TabWndTest, ClickAPageLeavesUnhandledChangesNothing) {
    QTest::mouseClick(m_tabs, Qt::LeftButton, Qt::NoModifier,
                      QPoint(m_tabs->GetTab(1)->m_nLeft + 5, m_tabs->height() - 31));
    PumpEvents();
    EXPECT_EQ(m_tabs->GetActiveTab(), 0);
    EXPECT_TRUE(SelectMessages().empty());
}

TEST_F(TabWndTest, RightClickIsIgnored) {
    QTest::mouseClick(m_tabs, Qt::RightButton, Qt::NoModifier,
                      QPoint(m_tabs->GetTab(1)->m_nLeft + 5, m_tabs->height() - 16));
    PumpEvents();
    EXPECT_EQ(m_tabs->GetActiveTab(), 0);
    EXPECT_TRUE(SelectMessages().empty());
}

TEST_F(TabWndTest, DestroyedPageIsNoLongerReturned) {
    delete m_tabs->GetTabWnd(2);
    EXPECT_EQ(m_tabs->GetTabWnd(2), nullptr);
    EXPECT_FALSE(m_tabs->SetActiveTab(5, false));
    EXPECT_TRUE(m_tabs->SetActiveTab(2, false));
}

TEST_F(TabWndTest, ScreenshotOfTheStrip) {
    m_tabs->SetActiveTab(1, false);
    EXPECT_FALSE(SaveScreenshot(*m_tabs, QStringLiteral("layout-tab-window")).isEmpty());
    // The titles are drawn whole; the page lies one pixel right of the window's edge, as pages
    // are placed at x = 1 with the window's full width.
    EXPECT_EQ(DrawingFaults(*m_tabs), std::vector<std::string>{"QTextEdit \"\" is cut off"});
}

} // namespace
