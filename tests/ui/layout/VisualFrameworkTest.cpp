// The layout framework on real widgets: registration, creation order, shown tabs, tear-down.
#include "VisualFramework.h"
#include "LayoutTestFrame.h"
#include "SplitterWnd.h"
#include "TabWnd.h"

#include <gtest/gtest.h>

namespace {

// The wizard's own arrangement: tree and tab window side by side; the first tab a splitter with
// two forms, then two views.
class VisualFrameworkTest : public testing::Test {
protected:
    void Register() {
        auto root = std::make_unique<TVisualObject>(10, "Main Splitter", 1, 2, nullptr);
        TVisualObject* main = root.get();
        ASSERT_TRUE(m_framework.AddRoot(std::move(root)));
        ASSERT_TRUE(m_framework.AddChild(
            main, std::make_unique<TVisualObject>(11, 0, 0, nullptr, &m_tree, QSize(150, 0))));
        auto tabsObject =
            std::make_unique<TVisualObject>(9, 0, 1, nullptr, &TTabWnd::Class(), QSize(900, 500));
        TVisualObject* tabs = tabsObject.get();
        ASSERT_TRUE(m_framework.AddChild(main, std::move(tabsObject)));
        auto timingObject = std::make_unique<TVisualObject>(12, "Image Timing", 2, 1, nullptr);
        TVisualObject* timing = timingObject.get();
        ASSERT_TRUE(m_framework.AddChild(tabs, std::move(timingObject)));
        ASSERT_TRUE(m_framework.AddChild(
            tabs, std::make_unique<TVisualObject>(3, "PLL", nullptr, m_pllClass)));
        ASSERT_TRUE(m_framework.AddChild(
            tabs, std::make_unique<TVisualObject>(1, "Registers", nullptr, &m_registers)));
        ASSERT_TRUE(m_framework.AddChild(
            timing, std::make_unique<TVisualObject>(2, 0, 0, nullptr, &m_form, QSize(0, 760))));
        ASSERT_TRUE(m_framework.AddChild(
            timing, std::make_unique<TVisualObject>(15, 1, 0, nullptr, &m_form, QSize(0, 3))));
    }

    void CreateAll() {
        Register();
        m_frame.resize(840, 860);
        EXPECT_TRUE(m_framework.Create(&m_frame));
        m_frame.show();
    }

    TTabWnd* Tabs() const { return qobject_cast<TTabWnd*>(m_framework.GetWnd(9)); }

    TWindowClass m_tree = MakeViewClass("tree");
    TWindowClass m_pll = MakeViewClass("pll");
    TWindowClass m_registers = MakeViewClass("registers");
    TWindowClass m_form = MakeViewClass("form");
    const TWindowClass* m_pllClass = &m_pll;
    CTestFrame m_frame;
    TVisualFramework m_framework;
};

TEST_F(VisualFrameworkTest, DuplicateIdsAreRefusedAndChangeNothing) {
    Register();
    TVisualObject* original = m_framework.Find(3);
    ASSERT_NE(original, nullptr);
    TVisualObject* tabs = m_framework.Find(9);
    const std::size_t children = tabs->GetChildren().size();

    EXPECT_FALSE(m_framework.AddRoot(std::make_unique<TVisualObject>(3, "Again", 1, 1, nullptr)));
    EXPECT_FALSE(
        m_framework.AddChild(tabs, std::make_unique<TVisualObject>(3, "Again", nullptr, &m_pll)));

    EXPECT_EQ(m_framework.GetObjectCount(), 8);
    EXPECT_EQ(m_framework.GetRoots().size(), 1u);
    EXPECT_EQ(tabs->GetChildren().size(), children);
    EXPECT_EQ(m_framework.Find(3), original);
    EXPECT_EQ(original->GetTitle(), "PLL");
}

TEST_F(VisualFrameworkTest, ChildOfAnUnregisteredParentIsRefused) {
    TVisualObject stranger(40, "Stranger", 1, 1, nullptr);
    EXPECT_FALSE(
        m_framework.AddChild(&stranger, std::make_unique<TVisualObject>(41, "x", nullptr, &m_pll)));
    EXPECT_EQ(m_framework.Find(41), nullptr);
}

TEST_F(VisualFrameworkTest, RegistrationLinksParentsAndFramework) {
    Register();
    TVisualObject* form = m_framework.Find(2);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->GetParent(), m_framework.Find(12));
    EXPECT_EQ(form->GetFramework(), &m_framework);
    EXPECT_EQ(m_framework.Find(10)->GetParent(), nullptr);
    EXPECT_EQ(m_framework.Find(99), nullptr);
    EXPECT_EQ(m_framework.GetWnd(99), nullptr);
}

TEST_F(VisualFrameworkTest, CreateBuildsEveryWindowWhereItBelongs) {
    CreateAll();
    auto* main = qobject_cast<CSplitterWnd*>(m_framework.GetWnd(10));
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(m_frame.centralWidget(), main);
    EXPECT_EQ(main->orientation(), Qt::Horizontal);
    EXPECT_EQ(main->GetPane(0, 0), m_framework.GetWnd(11));
    EXPECT_EQ(main->GetPane(0, 1), m_framework.GetWnd(9));
    EXPECT_EQ(m_framework.GetWnd(11)->objectName(), "tree");

    TTabWnd* tabs = Tabs();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->GetTabCount(), 3);
    EXPECT_EQ(tabs->GetTab(0)->GetText(), "Image Timing");
    EXPECT_EQ(tabs->GetTab(1)->GetText(), "PLL");
    EXPECT_EQ(tabs->GetTab(2)->GetText(), "Registers");
    EXPECT_EQ(tabs->GetTabWnd(0), m_framework.GetWnd(12));
    EXPECT_EQ(tabs->GetTabWnd(1), m_framework.GetWnd(3));
    EXPECT_EQ(tabs->GetTabWnd(2), m_framework.GetWnd(1));
    EXPECT_EQ(GetDlgCtrlID(tabs->GetTabWnd(1)), 13577);
    EXPECT_EQ(GetDlgCtrlID(tabs->GetTabWnd(2)), 13578);

    auto* timing = qobject_cast<CSplitterWnd*>(m_framework.GetWnd(12));
    ASSERT_NE(timing, nullptr);
    EXPECT_EQ(timing->orientation(), Qt::Vertical);
    EXPECT_EQ(timing->GetPane(0, 0), m_framework.GetWnd(2));
    EXPECT_EQ(timing->GetPane(1, 0), m_framework.GetWnd(15));
    EXPECT_EQ(m_framework.Find(2)->GetParentWnd(), timing);
}

TEST_F(VisualFrameworkTest, CreateShowsTheViewWithTheLowestId) {
    CreateAll();
    // Object 1 is the first object, by id, that is neither a splitter nor a tab window.
    EXPECT_EQ(Tabs()->GetActiveTab(), 2);
    EXPECT_EQ(m_frame.GetActiveView(), m_framework.GetWnd(1));
    EXPECT_TRUE(m_framework.GetWnd(1)->isVisible());
    EXPECT_FALSE(m_framework.GetWnd(12)->isVisible());
}

TEST_F(VisualFrameworkTest, SetActiveTabShowsThePageWithoutActivatingAView) {
    CreateAll();
    EXPECT_TRUE(m_framework.SetActiveTab(m_framework.Find(12)));
    EXPECT_EQ(Tabs()->GetActiveTab(), 0);
    EXPECT_EQ(m_frame.GetActiveView(), m_framework.GetWnd(1));
    // Exactly one page is enabled and visible.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Tabs()->GetTabWnd(i)->isVisible(), i == 0) << i;
        EXPECT_EQ(Tabs()->GetTabWnd(i)->isEnabled(), i == 0) << i;
    }
    // Objects outside a tab window have no tab to show.
    EXPECT_FALSE(m_framework.SetActiveTab(m_framework.Find(2)));
    EXPECT_FALSE(m_framework.SetActiveTab(nullptr));
}

TEST_F(VisualFrameworkTest, ShowObjectActivatesTheViewAndRefusesContainers) {
    CreateAll();
    EXPECT_TRUE(m_framework.ShowObject(m_framework.Find(15)));
    EXPECT_EQ(Tabs()->GetActiveTab(), 0);
    EXPECT_EQ(m_frame.GetActiveView(), m_framework.GetWnd(15));
    EXPECT_FALSE(m_framework.ShowObject(m_framework.Find(12)));
    EXPECT_FALSE(m_framework.ShowObject(m_framework.Find(9)));
    EXPECT_EQ(m_frame.GetActiveView(), m_framework.GetWnd(15));
}

TEST_F(VisualFrameworkTest, SplitterPanesStartAtTheirIdealSizes) {
    CreateAll();
    auto* main = qobject_cast<CSplitterWnd*>(m_framework.GetWnd(10));
    EXPECT_EQ(main->sizes().at(0), 150);
    EXPECT_EQ(main->sizes().at(0) + main->sizes().at(1) + main->handleWidth(), main->width());
}

TEST_F(VisualFrameworkTest, AWindowThatCannotBeMadeLeavesItsObjectEmpty) {
    const TWindowClass broken = MakeFailingClass();
    m_pllClass = &broken;
    CreateAll();
    EXPECT_EQ(m_framework.GetWnd(3), nullptr);
    EXPECT_EQ(Tabs()->GetTabCount(), 2);
    EXPECT_NE(m_framework.GetWnd(1), nullptr);
    EXPECT_FALSE(m_framework.SetActiveTab(m_framework.Find(3)));
    EXPECT_FALSE(m_framework.ShowObject(m_framework.Find(3)));
}

TEST_F(VisualFrameworkTest, DestroyRemovesTheWindowsAndEveryObject) {
    CreateAll();
    QPointer<QWidget> main = m_framework.GetWnd(10);
    QPointer<QWidget> view = m_framework.GetWnd(3);
    m_framework.Destroy();
    EXPECT_TRUE(main.isNull());
    EXPECT_TRUE(view.isNull());
    EXPECT_EQ(m_framework.GetObjectCount(), 0);
    EXPECT_TRUE(m_framework.GetRoots().empty());
    EXPECT_EQ(m_framework.Find(10), nullptr);
    // A second tear-down finds nothing to do.
    m_framework.Destroy();
}

TEST(VisualFrameworkLifetime, DestroyingTheFrameworkTearsTheLayoutDown) {
    CTestFrame frame;
    QPointer<QWidget> splitter;
    {
        TVisualFramework framework;
        ASSERT_TRUE(framework.AddRoot(std::make_unique<TVisualObject>(10, "Main", 1, 2, nullptr)));
        framework.Create(&frame);
        splitter = framework.GetWnd(10);
        ASSERT_FALSE(splitter.isNull());
    }
    EXPECT_TRUE(splitter.isNull());
}

} // namespace
