// Register output view: columns, cells, refills and the output-form check box.
#include "RegOutView.h"
#include "ViewHost.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

using Cells = std::vector<QString>;

Cells RowCells(const QTableWidget& list, int row) {
    Cells cells;
    for (int column = 0; column < list.columnCount(); ++column) {
        const QTableWidgetItem* item = list.item(row, column);
        cells.push_back(item ? item->text() : QString());
    }
    return cells;
}

Cells HeaderTitles(const QTableWidget& list) {
    Cells titles;
    for (int column = 0; column < list.columnCount(); ++column)
        titles.push_back(list.horizontalHeaderItem(column)->text());
    return titles;
}

class RegOutViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The register table's own values, as before any calculation.
        host.doc.m_Registers.clear();
        for (const RegisterTableRow& row : kRegisterTable)
            host.doc.m_Registers.push_back(MakeRegister(row));
        host.doc.m_bOutputAsRegisters = 0;
        host.doc.m_bDirectAddressing = 0;
        ASSERT_TRUE(host.Start());
    }
    QTableWidget& Ifp() { return *host.view->Item<QTableWidget>(IDC_IFP_REGISTER_LIST); }
    QTableWidget& Driver() { return *host.view->Item<QTableWidget>(IDC_DRIVER_REGISTER_LIST); }
    int RowOf(const QTableWidget& list, const QString& name) {
        for (int row = 0; row < list.rowCount(); ++row) {
            if (list.item(row, 0)->text() == name)
                return row;
        }
        return -1;
    }

    CPromptRecorder prompts;
    CViewHost<CRegOutView> host;
};

TEST_F(RegOutViewTest, ColumnsWidthsAndGridLines) {
    EXPECT_EQ(HeaderTitles(Ifp()), (Cells{"Reg Name", "Address", "Value (hex)", "Value (dec)"}));
    EXPECT_EQ(HeaderTitles(Driver()),
              (Cells{"Reg Name", "ID", "Offset", "Value (hex)", "Value (dec)"}));
    const int ifpWidths[] = {260, 80, 80, 80};
    const int driverWidths[] = {250, 30, 80, 80, 80};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Ifp().columnWidth(i), ifpWidths[i]);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Driver().columnWidth(i), driverWidths[i]);
    EXPECT_TRUE(Ifp().showGrid());
    EXPECT_TRUE(Driver().showGrid());
    EXPECT_EQ(Ifp().item(0, 1)->textAlignment(), int(Qt::AlignCenter));
}

TEST_F(RegOutViewTest, CellsOfTheDefaultTable) {
    ASSERT_EQ(Ifp().rowCount(), 2);
    ASSERT_EQ(Driver().rowCount(), 13);
    EXPECT_EQ(RowCells(Ifp(), 0), (Cells{"pll_dividers", "0x10", "0x0366", "870"}));
    EXPECT_EQ(RowCells(Ifp(), 1), (Cells{"pll_p_dividers", "0x12", "0x0F5", "245"}));
    EXPECT_EQ(RowCells(Driver(), RowOf(Driver(), "frame_length_lines")),
              (Cells{"frame_length_lines", "0", "0x300A", "0x01F9", "505"}));
    EXPECT_EQ(RowCells(Driver(), RowOf(Driver(), "stat_fd_zone_height")),
              (Cells{"stat_fd_zone_height", "6", "0x3", "0x04", "4"}));
    EXPECT_EQ(RowCells(Driver(), RowOf(Driver(), "cam_fd_config_fdperiod_50hz")),
              (Cells{"cam_fd_config_fdperiod_50hz", "8", "0x6E", "0x0097", "151"}));
    EXPECT_EQ(Driver().item(0, 0)->text(), QStringLiteral("frame_length_lines"));
}

TEST_F(RegOutViewTest, InitialUpdateSetsTheOutputForm) {
    EXPECT_EQ(host.doc.m_bOutputAsRegisters, 1);
    EXPECT_EQ(host.doc.m_bDirectAddressing, 1);
    EXPECT_TRUE(host.view->IsDlgButtonChecked(IDC_OUTPUT_AS_REGISTERS));
    EXPECT_EQ(host.view->GetDlgItemText(IDC_OUTPUT_AS_REGISTERS),
              QStringLiteral("Output as direct addressing register instead of variable name"));
    EXPECT_FALSE(host.view->GetDlgItem(IDC_DIRECT_ADDRESSING)->isVisible());
    EXPECT_FALSE(host.view->GetDlgItem(IDC_INDIRECT_ADDRESSING)->isVisible());
    EXPECT_TRUE(host.view->IsDlgButtonChecked(IDC_DIRECT_ADDRESSING));
    EXPECT_EQ(host.view->GetDlgItemText(IDC_IFP_REGISTERS_LABEL), QStringLiteral("IFP Registers"));
    EXPECT_EQ(host.view->GetDlgItemText(IDC_DRIVER_REGISTERS_LABEL),
              QStringLiteral("Driver Registers"));
}

TEST_F(RegOutViewTest, RefillingNeverDuplicates) {
    host.view->FillRegisterLists();
    host.view->FillRegisterLists();
    EXPECT_EQ(Ifp().rowCount(), 2);
    EXPECT_EQ(Driver().rowCount(), 13);
}

TEST_F(RegOutViewTest, EmptyRegisterListLeavesEmptyListsWithColumns) {
    host.doc.m_Registers.clear();
    host.view->FillRegisterLists();
    EXPECT_EQ(Ifp().rowCount(), 0);
    EXPECT_EQ(Driver().rowCount(), 0);
    EXPECT_EQ(Ifp().columnCount(), 4);
    EXPECT_EQ(Driver().columnCount(), 5);
}

TEST_F(RegOutViewTest, WideValueShownInFull) {
    host.doc.m_Registers[kRowStatFdZoneHeight].m_nValue = 0x12345;
    host.doc.m_Registers[kRowPllDividers].m_nValue = 0xFFFFFFFFu;
    host.view->FillRegisterLists();
    EXPECT_EQ(RowCells(Driver(), RowOf(Driver(), "stat_fd_zone_height")),
              (Cells{"stat_fd_zone_height", "6", "0x3", "0x12345", "74565"}));
    EXPECT_EQ(RowCells(Ifp(), 0), (Cells{"pll_dividers", "0x10", "0xFFFFFFFF", "4294967295"}));
}

TEST_F(RegOutViewTest, ClearingTheCheckBoxChangesOnlyTheOutputChoice) {
    host.view->ShowDlgItem(IDC_DIRECT_ADDRESSING, true);
    host.view->ShowDlgItem(IDC_INDIRECT_ADDRESSING, true);
    host.doc.m_Registers[kRowFrameLengthLines].m_nValue = 1000;
    QTest::mouseClick(host.view->GetDlgItem(IDC_OUTPUT_AS_REGISTERS), Qt::LeftButton);
    EXPECT_EQ(host.doc.m_bOutputAsRegisters, 0);
    EXPECT_FALSE(host.view->GetDlgItem(IDC_DIRECT_ADDRESSING)->isEnabled());
    EXPECT_FALSE(host.view->GetDlgItem(IDC_INDIRECT_ADDRESSING)->isEnabled());
    EXPECT_EQ(Driver().item(RowOf(Driver(), "frame_length_lines"), 4)->text(),
              QStringLiteral("505"));
    QTest::mouseClick(host.view->GetDlgItem(IDC_OUTPUT_AS_REGISTERS), Qt::LeftButton);
    EXPECT_EQ(host.doc.m_bOutputAsRegisters, 1);
    EXPECT_TRUE(host.view->GetDlgItem(IDC_INDIRECT_ADDRESSING)->isEnabled());
}

TEST_F(RegOutViewTest, RadioButtonsChooseTheAddressing) {
    host.view->ShowDlgItem(IDC_DIRECT_ADDRESSING, true);
    host.view->ShowDlgItem(IDC_INDIRECT_ADDRESSING, true);
    QTest::mouseClick(host.view->GetDlgItem(IDC_INDIRECT_ADDRESSING), Qt::LeftButton);
    EXPECT_EQ(host.doc.m_bDirectAddressing, 0);
    EXPECT_FALSE(host.view->IsDlgButtonChecked(IDC_DIRECT_ADDRESSING));
    QTest::mouseClick(host.view->GetDlgItem(IDC_DIRECT_ADDRESSING), Qt::LeftButton);
    EXPECT_EQ(host.doc.m_bDirectAddressing, 1);
    EXPECT_FALSE(host.view->IsDlgButtonChecked(IDC_INDIRECT_ADDRESSING));
}

TEST_F(RegOutViewTest, SetDefaultsRefillsButKeepsTheChoices) {
    QTest::mouseClick(host.view->GetDlgItem(IDC_OUTPUT_AS_REGISTERS), Qt::LeftButton);
    host.doc.m_Registers[kRowPllDividers].m_nValue = 0x0123;
    EXPECT_TRUE(SendWizardMessage(host.view, WM_WIZ_SET_DEFAULTS));
    EXPECT_EQ(RowCells(Ifp(), 0), (Cells{"pll_dividers", "0x10", "0x0123", "291"}));
    EXPECT_EQ(Ifp().rowCount(), 2);
    EXPECT_FALSE(host.view->IsDlgButtonChecked(IDC_OUTPUT_AS_REGISTERS));
    EXPECT_EQ(host.doc.m_bOutputAsRegisters, 0);
    EXPECT_EQ(host.doc.m_bDirectAddressing, 1);
    EXPECT_FALSE(host.view->GetDlgItem(IDC_DIRECT_ADDRESSING)->isVisible());
}

TEST_F(RegOutViewTest, ShowingThePageRefills) {
    host.view->hide();
    host.doc.m_Registers[kRowPllPDividers].m_nValue = 0x300;
    EXPECT_EQ(Ifp().item(1, 3)->text(), QStringLiteral("245"));
    host.view->show();
    EXPECT_EQ(RowCells(Ifp(), 1), (Cells{"pll_p_dividers", "0x12", "0x300", "768"}));
    EXPECT_EQ(Ifp().rowCount(), 2);
}

TEST_F(RegOutViewTest, Screenshot) {
    EXPECT_FALSE(SaveScreenshot(host.window, QStringLiteral("register_output")).isEmpty());
    EXPECT_EQ(DrawingFaults(host.window), std::vector<std::string>{});
}

} // namespace
