// "Use Min. Freq." following the Image Timing form, and "Use this solution" on the PLL Solutions
// page, through the real windows and the messages they post to the main frame.
#include "WizardFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <set>

namespace {

using PllSolutionsPageTest = WizardTest;

constexpr unsigned kChainMessages[] = {WM_WIZ_RECALC_CONTEXT, WM_WIZ_TIMING_CHANGED,
                                       WM_WIZ_CLOCKS_RECALCULATED};

std::size_t ChainMessagesSeen(const CMessageSpy& spy) {
    std::size_t seen = 0;
    for (const unsigned message : kChainMessages)
        seen += spy.Of(message).size();
    return seen;
}

TEST_F(PllSolutionsPageTest, MinFreqFollowsTheFrameRateAndTheMessagesSettle) {
    ClickTreeItem(kClockSettingsPage);
    QTest::mouseClick(Pll().GetDlgItem(IDC_USE_MIN_FREQ), Qt::LeftButton);
    PumpEvents();
    ASSERT_EQ(Pll().GetDlgItemText(IDC_TARGET_SYSTEM_FREQ), "44"); // 30 fps needs the top clock
    ClickTreeItem(kImageTimingPage);

    CMessageSpy spy;
    spy.Watch(&Frame(), 0);
    for (const int id : {ID_LAYOUT_PLL, ID_LAYOUT_TIMING_TOP, ID_LAYOUT_PLL_SOLUTIONS})
        spy.Watch(Wnd(id), id);
    QLineEdit* rate = TimingTop().Item<QComboBox>(IDC_FRAME_RATE)->lineEdit();
    rate->setFocus(Qt::TabFocusReason);
    rate->selectAll();
    QTest::keyClicks(rate, QStringLiteral("15"));
    PumpEvents();

    EXPECT_EQ(Pll().GetDlgItemText(IDC_TARGET_SYSTEM_FREQ), "22");
    EXPECT_EQ(Doc().m_dTargetSystemFreq, 22.0);
    EXPECT_EQ(Doc().m_Registers[kRowPllDividers].m_nValue, 0x0010u);
    EXPECT_EQ(Doc().m_Registers[kRowPllPDividers].m_nValue, 0x0700u);
    EXPECT_TRUE(TimingTop().GetDlgItemText(IDC_TIMING_REPORT).contains("(5.500 MHz)"));
    EXPECT_FALSE(TimingTop().GetDlgItemText(IDC_TIMING_REPORT).contains("cannot match"));

    // Each keystroke recalculates the clock with the timing once; the clock pages only show it.
    std::multiset<int> shownAt;
    for (const CMessageSpy::Seen& seen : spy.Of(WM_WIZ_CLOCKS_RECALCULATED))
        shownAt.insert(seen.objectId);
    EXPECT_EQ(shownAt, (std::multiset<int>{0, 0, ID_LAYOUT_PLL, ID_LAYOUT_PLL,
                                           ID_LAYOUT_PLL_SOLUTIONS, ID_LAYOUT_PLL_SOLUTIONS}));
    // Settled: nothing is left to travel between the forms.
    const std::size_t settled = ChainMessagesSeen(spy);
    PumpEvents();
    EXPECT_EQ(ChainMessagesSeen(spy), settled);
    EXPECT_TRUE(m_prompts.Prompts().empty());
}

TEST_F(PllSolutionsPageTest, UseThisSolutionOnAnExactRowTheWizardDidNotPick) {
    ClickTreeItem(kPllSolutionsPage);
    auto& page = *dynamic_cast<CPllSolutionsView*>(Wnd(ID_LAYOUT_PLL_SOLUTIONS));
    ASSERT_EQ(Tabs().GetActiveTab(), kPllSolutionsPage);
    QTest::mouseClick(page.ExactOnlyBox(), Qt::LeftButton);
    QTableView& table = *page.Table();
    ASSERT_EQ(table.model()->rowCount(), 4);
    const auto cell = [&table](int row, int column) {
        return table.model()->index(row, column).data().toString();
    };
    int row = 0;
    while (row < 4 && !(cell(row, 0) == "1" && cell(row, 1) == "32"))
        ++row;
    ASSERT_LT(row, 4);
    EXPECT_FALSE(table.selectionModel()->isRowSelected(row, {})); // (N 0, M 24, D 6) is chosen
    table.selectRow(row);
    QTest::mouseClick(page.UseButton(), Qt::LeftButton);
    PumpEvents();

    EXPECT_EQ(Doc().m_Registers[kRowPllDividers].m_nValue, 0x0120u);
    EXPECT_EQ(Doc().m_Registers[kRowPllPDividers].m_nValue, 0x0300u);
    EXPECT_TRUE(Pll().IsDlgButtonChecked(IDC_USE_PLL_M));
    EXPECT_TRUE(Pll().IsDlgButtonChecked(IDC_USE_PLL_N));
    EXPECT_EQ(Pll().GetDlgItemText(IDC_PLL_M), "32");
    EXPECT_EQ(Pll().GetDlgItemText(IDC_PLL_N), "1");
    // The page lists again and selects the row that is now the wizard's choice.
    const QModelIndexList selected = table.selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(cell(selected.front().row(), 1), "32");

    ClickTreeItem(kRegisterOutputPage);
    auto* list = Registers().Item<QTableWidget>(IDC_IFP_REGISTER_LIST);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->item(0, 2)->text(), "0x0120");
    EXPECT_EQ(list->item(1, 2)->text(), "0x300");
    EXPECT_TRUE(m_prompts.Prompts().empty());
}

} // namespace
