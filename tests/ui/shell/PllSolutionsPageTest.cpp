// "Use Min. Freq." following the Image Timing form, and "Use this solution" on the PLL Solutions
// page, through the real windows and the messages they post to the main frame.
#include "WizardFixture.h"

#include "Parameters.h"
#include "SettingsFiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <ostream>
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
    EXPECT_FALSE(page.FreeButton()->isEnabled());
    table.selectRow(row);
    EXPECT_EQ(page.UseButton()->toolTip(),
              "Fixes M = 32 and N = 1 on the Clock Settings page and sets the target system clock "
              "to 44 MHz, so the wizard takes this row (D = 4).");
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

    // One click brings every setting for the target back.
    ClickTreeItem(kPllSolutionsPage);
    ASSERT_TRUE(page.FreeButton()->isEnabled());
    QTest::mouseClick(page.FreeButton(), Qt::LeftButton);
    PumpEvents();
    EXPECT_FALSE(Pll().IsDlgButtonChecked(IDC_USE_PLL_M));
    EXPECT_FALSE(Pll().IsDlgButtonChecked(IDC_USE_PLL_N));
    EXPECT_FALSE(page.FreeButton()->isEnabled());
    QTest::mouseClick(page.ExactOnlyBox(), Qt::LeftButton);
    EXPECT_EQ(table.model()->rowCount(), 215);
    EXPECT_TRUE(m_prompts.Prompts().empty());
}

// The page lists what --list-pll prints for the same parameters, row for row in the same order,
// the wizard's choice (bold on the page) marked * there; a bypassed PLL says why it lists none.
struct ListingCase {
    const char* what;
    QStringList arguments;

    friend std::ostream& operator<<(std::ostream& out, const ListingCase& c) {
        return out << c.what;
    }
};

class PllListingTest : public WizardTest, public testing::WithParamInterface<ListingCase> {};

TEST_P(PllListingTest, PageRowsAreTheCommandLinesRows) {
    const QStringList& arguments = GetParam().arguments;
    ParameterSet parameters;
    for (qsizetype k = 0; k < arguments.size(); ++k) {
        const auto row =
            std::find_if(kParameters.begin(), kParameters.end(), [&](const ParameterInfo& p) {
                return p.option != nullptr && arguments[k] == p.option;
            });
        ASSERT_NE(row, kParameters.end()) << arguments[k].toStdString();
        const auto index = static_cast<std::size_t>(row - kParameters.begin());
        parameters.SetNumber(index,
                             row->kind == ParameterKind::Flag ? 1.0 : arguments[++k].toDouble());
    }
    emit Frame().OpenModeRequested(parameters);
    PumpEvents();
    ClickTreeItem(kPllSolutionsPage);
    auto& page = *dynamic_cast<CPllSolutionsView*>(Wnd(ID_LAYOUT_PLL_SOLUTIONS));
    const QAbstractItemModel& rows = *page.Table()->model();
    const QStringList lines = QString::fromLatin1(CliOutput(QStringList{"--list-pll"} + arguments))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_FALSE(lines.isEmpty());
    if (rows.rowCount() == 0) {
        EXPECT_EQ(page.Summary()->text(), lines.front());
        return;
    }
    ASSERT_EQ(rows.rowCount(), lines.size() - 1);
    for (int row = 0; row < rows.rowCount(); ++row) {
        QStringList shown;
        if (rows.index(row, 0).data(Qt::FontRole).value<QFont>().bold())
            shown << QStringLiteral("*");
        for (int column = 0; column < rows.columnCount(); ++column) {
            const QString text = rows.index(row, column).data().toString();
            shown << (text == QStringLiteral("n/a") ? QStringLiteral("-") : text);
        }
        ASSERT_EQ(shown, lines[row + 1].simplified().split(QLatin1Char(' '))) << "row " << row;
    }
}

INSTANTIATE_TEST_SUITE_P(
    ParameterSets, PllListingTest,
    testing::Values(ListingCase{"Defaults", {}},
                    ListingCase{"Input44MHzFree", {"--input-freq", "44"}},
                    ListingCase{"FixedN", {"--pll-n", "1"}},
                    ListingCase{"FixedM", {"--pll-m", "32"}},
                    ListingCase{"Bypass", {"--bypass-pll"}},
                    ListingCase{"UseMinFreq", {"--use-min-freq", "--fps", "15"}}),
    [](const testing::TestParamInfo<ListingCase>& info) { return std::string(info.param.what); });

} // namespace
