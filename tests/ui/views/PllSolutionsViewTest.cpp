// The PLL Solutions page beside a stub frame: rows, the chosen row, filter, sorting, bypass, and
// the message "Use this solution" posts; the Clock Settings form's side of that message and of
// "Use Min. Freq.".
#include "PllSolutionsView.h"
#include "PLLCalcs.h"
#include "Parameters.h"
#include "PllSolutionModel.h"
#include "ViewHost.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <iterator>

namespace {

class PllSolutionsViewTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Start()); }

    CPllSolutionsView& Page() { return *host.view; }
    QTableView& Table() { return *Page().Table(); }
    QString Cell(int row, int column) {
        return Table().model()->index(row, column).data().toString();
    }
    // N, M and D of the selected row, as the table shows them.
    QStringList SelectedSetting() {
        const QModelIndexList rows = Table().selectionModel()->selectedRows();
        if (rows.size() != 1)
            return {};
        const int row = rows.front().row();
        return {Cell(row, CPllSolutionModel::kColumnN), Cell(row, CPllSolutionModel::kColumnM),
                Cell(row, CPllSolutionModel::kColumnD)};
    }
    // The row showing N, M and D, or -1.
    int RowOf(int n, int m, int d) {
        for (int row = 0; row < Table().model()->rowCount(); ++row) {
            if (Cell(row, 0).toInt() == n && Cell(row, 1).toInt() == m && Cell(row, 2).toInt() == d)
                return row;
        }
        return -1;
    }
    void Relist() {
        PostWizardMessage(&Page(), WM_WIZ_CLOCKS_RECALCULATED);
        PumpEvents();
    }

    CViewHost<CPllSolutionsView> host;
};

TEST_F(PllSolutionsViewTest, ListsEveryCandidateWithTheChosenOneMarkedAndSelected) {
    ASSERT_EQ(Table().model()->rowCount(), 215);
    ASSERT_EQ(Table().model()->columnCount(), 11);
    QStringList headers;
    for (int column = 0; column < 11; ++column)
        headers << Table().model()->headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(headers.join(QLatin1Char('|')).replace(QLatin1Char('\n'), QLatin1Char(' ')),
              "N|M|D|P3|Fpdf (MHz)|Fvco (MHz)|System (MHz)|Output (MHz)|Error (ppm)|"
              "VCO error (MHz)|Exact");
    EXPECT_EQ(SelectedSetting(), (QStringList{"0", "24", "6"}));
    const int chosen = RowOf(0, 24, 6);
    QStringList texts;
    for (int column = 3; column < 11; ++column)
        texts << Cell(chosen, column);
    EXPECT_EQ(texts,
              (QStringList{"5", "11.0000", "528.0000", "44.0000", "22.0000", "0.0", "n/a", "yes"}));
    const QModelIndex fvco = Table().model()->index(chosen, CPllSolutionModel::kColumnFvco);
    EXPECT_EQ(fvco.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_TRUE(fvco.data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(
        Table().model()->index(RowOf(0, 16, 4), 0).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_TRUE(Page().UseButton()->isEnabled());
    EXPECT_TRUE(Page().Summary()->text().startsWith("215 divider settings"));
}

TEST_F(PllSolutionsViewTest, ExactMatchesOnlyKeepsTheFourExactRows) {
    QTest::mouseClick(Page().ExactOnlyBox(), Qt::LeftButton);
    ASSERT_EQ(Table().model()->rowCount(), 4);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(Cell(row, CPllSolutionModel::kColumnExact), "yes");
    EXPECT_EQ(SelectedSetting(), (QStringList{"0", "24", "6"}));
    QTest::mouseClick(Page().ExactOnlyBox(), Qt::LeftButton);
    EXPECT_EQ(Table().model()->rowCount(), 215);
}

// Sorted by the numbers, not the texts, and errors by their size; the picked row stays in view.
TEST_F(PllSolutionsViewTest, HeaderClickSortsByTheNumbersNotTheTexts) {
    host.doc.m_dTargetSystemFreq = 10.0;
    Relist();
    QHeaderView* header = Table().horizontalHeader();
    for (const int column :
         {CPllSolutionModel::kColumnSystemClock, CPllSolutionModel::kColumnErrorPpm}) {
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, Qt::NoModifier,
            QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        ASSERT_EQ(header->sortIndicatorSection(), column);
        const double sign = header->sortIndicatorOrder() == Qt::AscendingOrder ? 1.0 : -1.0;
        const auto sortValue = [&](int row) {
            const double value = Cell(row, column).toDouble();
            return sign * (column == CPllSolutionModel::kColumnErrorPpm ? std::fabs(value) : value);
        };
        for (int row = 1; row < Table().model()->rowCount(); ++row)
            EXPECT_LE(sortValue(row - 1), sortValue(row)) << "column " << column << " row " << row;
        const QModelIndex picked = Table().selectionModel()->selectedRows().value(0);
        ASSERT_TRUE(picked.isValid());
        EXPECT_TRUE(Table().viewport()->rect().contains(Table().visualRect(picked)))
            << "column " << column << " row " << picked.row();
    }
}

TEST_F(PllSolutionsViewTest, UseThisSolutionPostsTheSelectedSetting) {
    Table().selectRow(RowOf(1, 32, 4));
    QTest::mouseClick(Page().UseButton(), Qt::LeftButton);
    const int row = RowOf(0, 16, 4);
    const QRect cell = Table().visualRect(Table().model()->index(row, 1));
    // A double click is a click followed by a second press that the view sees as doubled.
    QTest::mouseClick(Table().viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(Table().viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    PumpEvents();
    std::vector<WizardMessage> uses;
    std::copy_if(host.frame.messages.begin(), host.frame.messages.end(), std::back_inserter(uses),
                 [](const WizardMessage& m) { return m.message == WM_WIZ_USE_PLL_SOLUTION; });
    EXPECT_EQ(uses,
              (std::vector<WizardMessage>{{WM_WIZ_USE_PLL_SOLUTION, PackPllSetting(1, 32, 4), 0},
                                          {WM_WIZ_USE_PLL_SOLUTION, PackPllSetting(0, 16, 4), 0}}));
    // The row clicked says in the status bar what using it does.
    ASSERT_FALSE(host.frame.statusTexts.empty());
    EXPECT_EQ(host.frame.statusTexts.back(),
              "Fixes M = 16 and N = 0 on the Clock Settings page and sets the target system clock "
              "to 44 MHz, so the wizard takes this row (D = 4).");
}

TEST_F(PllSolutionsViewTest, BypassAndImpossibleFixedValuesShowNoRows) {
    host.doc.m_bBypassPll = 1;
    Relist();
    EXPECT_EQ(Table().model()->rowCount(), 0);
    EXPECT_TRUE(Page().Summary()->text().startsWith("The PLL is bypassed"));
    EXPECT_FALSE(Page().UseButton()->isEnabled());
    EXPECT_FALSE(Page().ExactOnlyBox()->isEnabled());

    host.doc.m_bBypassPll = 0;
    host.doc.m_nPllM = 49;
    host.doc.m_nPllN = 2;
    Relist();
    EXPECT_EQ(Table().model()->rowCount(), 0);
    EXPECT_TRUE(Page().Summary()->text().startsWith("No divider setting"));

    host.doc.m_nPllM = -1;
    host.doc.m_nPllN = 1;
    Relist();
    EXPECT_EQ(SelectedSetting(), (QStringList{"1", "48", "6"}));
}

TEST_F(PllSolutionsViewTest, Screenshot) {
    host.window.resize(900, 520);
    PumpEvents();
    EXPECT_FALSE(SaveScreenshot(host.window, QStringLiteral("pll_solutions")).isEmpty());
    EXPECT_EQ(DrawingFaults(host.window), std::vector<std::string>{});
}

class ClockFormSolutionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ApplyImageFormDefaults(host.doc.m_Contexts[0]);
        ASSERT_TRUE(host.Start());
        SendWizardMessage(&Form(), WM_WIZ_RECALC_CLOCKS);
    }
    CPLLCalcs& Form() { return *host.view; }
    QString Target() { return Form().GetDlgItemText(IDC_TARGET_SYSTEM_FREQ); }
    // What the Image Timing form does after its request changed.
    bool ImageRequestChanged() {
        const Changes changes = Recalculate(host.doc, UserChange::ImageRequest);
        if (changes.clock)
            SendWizardMessage(&Form(), WM_WIZ_CLOCKS_RECALCULATED);
        return changes.clock;
    }
    std::uint32_t Reg(std::size_t row) { return host.doc.m_Registers.at(row).m_nValue; }

    CPromptRecorder prompts;
    CViewHost<CPLLCalcs> host;
};

TEST_F(ClockFormSolutionTest, UseMinFreqShowsTheClockFoundAndFollowsTheImageRequest) {
    host.doc.m_Contexts[0].m_dFrameRate = 15.0;
    QTest::mouseClick(Form().GetDlgItem(IDC_USE_MIN_FREQ), Qt::LeftButton);
    EXPECT_EQ(Target(), "22");
    EXPECT_EQ(host.doc.m_dTargetSystemFreq, 22.0);
    EXPECT_EQ(Reg(kRowPllDividers), 0x0010u);
    EXPECT_EQ(Reg(kRowPllPDividers), 0x0700u);

    host.doc.m_Contexts[0].m_dFrameRate = 5.0;
    EXPECT_TRUE(ImageRequestChanged());
    EXPECT_EQ(Target(), "8.9375");
    // No clock gives a timing for 0 columns: the target entered comes back.
    host.doc.m_Contexts[0].m_nOutputColumns = 0;
    EXPECT_TRUE(ImageRequestChanged());
    EXPECT_EQ(Target(), "44");
    EXPECT_EQ(host.doc.m_dTargetSystemFreq, 44.0);

    // Unchecked, the edit shows the target entered and the image request no longer matters.
    host.doc.m_Contexts[0].m_nOutputColumns = 640;
    QTest::mouseClick(Form().GetDlgItem(IDC_USE_MIN_FREQ), Qt::LeftButton);
    EXPECT_EQ(Target(), "44");
    EXPECT_FALSE(ImageRequestChanged());
    EXPECT_EQ(host.doc.m_dTargetSystemFreq, 44.0);
    EXPECT_TRUE(prompts.Texts().empty());
}

// Every row of two input clocks, applied through the message: the wizard's own search then takes
// exactly that row, also where the system clock has more digits than the edit shows.
TEST_F(ClockFormSolutionTest, UsingASolutionMakesTheSearchTakeThatRow) {
    for (const double inputMHz : {11.0, 27.0}) {
        host.doc.m_dInputFreq = inputMHz;
        Form().UpdateData(false);
        Form().Recalculate();
        PllRequest request;
        request.inputMHz = inputMHz;
        for (const PllCandidate& c : ListPllCandidates(request)) {
            SendWizardMessage(&Form(), WM_WIZ_USE_PLL_SOLUTION,
                              PackPllSetting(c.n, c.m, c.divider));
            ASSERT_EQ(Reg(kRowPllDividers), static_cast<std::uint32_t>((c.n << 8) | c.m))
                << inputMHz << " MHz: N " << c.n << " M " << c.m << " D " << c.divider;
            ASSERT_EQ(Reg(kRowPllPDividers), static_cast<std::uint32_t>(c.p3 << 8));
        }
    }
    EXPECT_TRUE(Form().IsDlgButtonChecked(IDC_USE_PLL_M));
    EXPECT_TRUE(Form().IsDlgButtonChecked(IDC_USE_PLL_N));
    EXPECT_TRUE(Form().GetDlgItem(IDC_PLL_M)->isEnabled());
    EXPECT_TRUE(prompts.Texts().empty());
}

TEST_F(ClockFormSolutionTest, UsingASolutionLeavesMinFreqAndTicksTheBoxes) {
    QTest::mouseClick(Form().GetDlgItem(IDC_USE_MIN_FREQ), Qt::LeftButton);
    SendWizardMessage(&Form(), WM_WIZ_USE_PLL_SOLUTION, PackPllSetting(1, 32, 4));
    EXPECT_FALSE(Form().IsDlgButtonChecked(IDC_USE_MIN_FREQ));
    EXPECT_TRUE(Form().GetDlgItem(IDC_TARGET_SYSTEM_FREQ)->isEnabled());
    EXPECT_EQ(Form().GetDlgItemText(IDC_PLL_M), "32");
    EXPECT_EQ(Form().GetDlgItemText(IDC_PLL_N), "1");
    EXPECT_EQ(Target(), "44");
    EXPECT_EQ(Reg(kRowPllDividers), 0x0120u);
    EXPECT_EQ(Reg(kRowPllPDividers), 0x0300u);
    // A setting the input clock does not allow changes nothing.
    SendWizardMessage(&Form(), WM_WIZ_USE_PLL_SOLUTION, PackPllSetting(9, 70, 1));
    EXPECT_EQ(Reg(kRowPllDividers), 0x0120u);
}

} // namespace
