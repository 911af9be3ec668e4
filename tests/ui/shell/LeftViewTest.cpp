// The navigation tree in the running program: items, marked look, page and selection messages.
#include "WizardFixture.h"

#include <ostream>

namespace {

using LeftViewTest = WizardTest;

TEST_F(LeftViewTest, HoldsThePagesInTabOrder) {
    ASSERT_EQ(Tree().topLevelItemCount(), 6);
    EXPECT_EQ(Tree().topLevelItem(kImageTimingPage)->text(0), "Image Timing");
    EXPECT_EQ(Tree().topLevelItem(kTimingDiagramPage)->text(0), "Timing Diagram");
    EXPECT_EQ(Tree().topLevelItem(kClockSettingsPage)->text(0), "Clock Settings");
    EXPECT_EQ(Tree().topLevelItem(kPllSolutionsPage)->text(0), "PLL Solutions");
    EXPECT_EQ(Tree().topLevelItem(kRegisterOutputPage)->text(0), "Register Output");
    EXPECT_EQ(Tree().topLevelItem(kModesPage)->text(0), "Camera Modes");
    EXPECT_FALSE(Tree().rootIsDecorated());
    EXPECT_EQ(Tree().editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(LeftViewTest, WithoutACaretPaintingKeepsTheFirstItemMarked) {
    EXPECT_EQ(Tree().currentItem(), nullptr);
    Tree().grab();
    EXPECT_EQ(CLeftView::GetItemState(Tree().topLevelItem(0)), TVIS_MARKED);
    EXPECT_EQ(CLeftView::GetItemState(Tree().topLevelItem(1)), TVIS_PLAIN);
    EXPECT_EQ(CLeftView::GetItemState(Tree().topLevelItem(2)), TVIS_PLAIN);
    EXPECT_EQ(CLeftView::GetItemState(Tree().topLevelItem(3)), TVIS_PLAIN);
    EXPECT_TRUE(Tree().topLevelItem(0)->font(0).bold());
}

TEST_F(LeftViewTest, PaintingMarksTheCaretItemOnly) {
    ClickTreeItem(2);
    Tree().grab();
    EXPECT_EQ(CLeftView::GetItemState(Tree().topLevelItem(0)), TVIS_PLAIN);
    EXPECT_EQ(CLeftView::GetItemState(Tree().topLevelItem(2)), TVIS_MARKED);
    EXPECT_FALSE(Tree().topLevelItem(0)->font(0).bold());
}

struct SelectCase {
    std::intptr_t index;
    const char* text;
    std::uintptr_t pageId;

    friend std::ostream& operator<<(std::ostream& out, const SelectCase& c) {
        return out << "index" << c.index;
    }
};

class SelectByIndexTest : public WizardTest, public testing::WithParamInterface<SelectCase> {};

TEST_P(SelectByIndexTest, SelectsTheItemAndAsksForItsPage) {
    CMessageSpy spy;
    spy.Watch(&Frame(), 0);
    PostWizardMessage(&Tree(), WM_WIZ_SELECT_TREE_ITEM,
                      static_cast<std::uintptr_t>(GetParam().index), 0);
    PumpEvents();
    EXPECT_EQ(CurrentTreeText(), GetParam().text);
    EXPECT_EQ(spy.Of(WM_WIZ_SHOW_PAGE),
              (std::vector<CMessageSpy::Seen>{
                  {0, WM_WIZ_SHOW_PAGE, static_cast<std::intptr_t>(GetParam().pageId)}}));
}

INSTANTIATE_TEST_SUITE_P(
    Indexes, SelectByIndexTest,
    testing::Values(SelectCase{-1, "Image Timing", 130}, SelectCase{0, "Image Timing", 130},
                    SelectCase{1, "Timing Diagram", 134}, SelectCase{2, "Clock Settings", 132},
                    SelectCase{3, "PLL Solutions", 140}, SelectCase{4, "Register Output", 129}));

TEST_F(LeftViewTest, IndexPastTheLastItemSelectsNothing) {
    PostWizardMessage(&Tree(), WM_WIZ_SELECT_TREE_ITEM, 7, 0);
    PumpEvents();
    EXPECT_EQ(Tree().currentItem(), nullptr);
    EXPECT_EQ(Tabs().GetActiveTab(), 0);
}

TEST_F(LeftViewTest, SelectingTheCaretAgainPostsNoPageMessage) {
    ClickTreeItem(1);
    CMessageSpy spy;
    spy.Watch(&Frame(), 0);
    PostWizardMessage(&Tree(), WM_WIZ_SELECT_TREE_ITEM, 1, 0);
    PumpEvents();
    ClickTreeItem(1);
    EXPECT_TRUE(spy.Of(WM_WIZ_SHOW_PAGE).empty());
}

TEST_F(LeftViewTest, ClickingAnotherItemPostsExactlyOnePageMessage) {
    ClickTreeItem(0);
    CMessageSpy spy;
    spy.Watch(&Frame(), 0);
    ClickTreeItem(kRegisterOutputPage);
    EXPECT_EQ(spy.Of(WM_WIZ_SHOW_PAGE),
              (std::vector<CMessageSpy::Seen>{{0, WM_WIZ_SHOW_PAGE, 129}}));
    EXPECT_EQ(Tabs().GetActiveTab(), kRegisterOutputPage);
}

TEST_F(LeftViewTest, KeyboardMovesThroughThePages) {
    QApplication::setActiveWindow(&Frame());
    Tree().setFocus();
    ClickTreeItem(0);
    QTest::keyClick(&Tree(), Qt::Key_Down);
    PumpEvents();
    EXPECT_EQ(Tabs().GetActiveTab(), 1);
    QTest::keyClick(&Tree(), Qt::Key_Down);
    PumpEvents();
    EXPECT_EQ(Tabs().GetActiveTab(), 2);
}

} // namespace
