// Register lists filled from the document, and the check box and radio buttons of the output form.
#include "RegOutView.h"

#include "WizardMessages.h"

#include "ColumnFit.h"

#include "FormatDecimal.h"
#include "SettingsWriter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMimeData>
#include <QTableWidget>
#include <algorithm>
#include <span>
#include <vector>

namespace {

constexpr ControlTemplate kControls[] = {
    {IDC_IFP_REGISTERS_LABEL, CtlKind::Static, "IFP Registers", {7, 6, 44, 8}, CtlNone},
    {IDC_IFP_REGISTER_LIST, CtlKind::ListView, "", {7, 16, 382, 75}, CtlNone},
    {IDC_DRIVER_REGISTERS_LABEL, CtlKind::Static, "Driver Registers", {7, 104, 53, 10}, CtlNone},
    {IDC_OUTPUT_AS_REGISTERS,
     CtlKind::CheckBox,
     Parameter("outputAs").label,
     {84, 98, 230, 10},
     CtlNone},
    {IDC_DRIVER_REGISTER_LIST, CtlKind::ListView, "", {7, 115, 381, 293}, CtlNone},
    {IDC_INDIRECT_ADDRESSING,
     CtlKind::RadioButton,
     "Indirect Addressing",
     {317, 102, 78, 12},
     CtlAutoRadio | CtlNoTabStop},
    {IDC_DIRECT_ADDRESSING,
     CtlKind::RadioButton,
     "Direct Addressing",
     {317, 92, 72, 10},
     CtlAutoRadio | CtlNoTabStop},
};
constexpr DialogTemplate kDialog{IDD_REGISTER_OUTPUT, 407, 415, kControls};

struct Column {
    const char* title;
    int widthPx;
};
constexpr Column kIfpColumns[] = {
    {"Reg Name", 260}, {"Address", 80}, {"Value (hex)", 80}, {"Value (dec)", 80}};
constexpr Column kDriverColumns[] = {
    {"Reg Name", 250}, {"ID", 30}, {"Offset", 80}, {"Value (hex)", 80}, {"Value (dec)", 80}};

void SetUpColumns(QTableWidget& list, std::span<const Column> columns) {
    list.setShowGrid(true);
    list.setColumnCount(static_cast<int>(columns.size()));
    // The header's own minimum follows the widest glyph of its font (wider than the ID column
    // under some fonts): the narrowest column given is the least a column takes.
    list.horizontalHeader()->setMinimumSectionSize(
        std::ranges::min(columns, {}, &Column::widthPx).widthPx);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        auto* header = new QTableWidgetItem(QString::fromLatin1(columns[i].title));
        header->setTextAlignment(Qt::AlignCenter);
        list.setHorizontalHeaderItem(i, header);
        list.setColumnWidth(i, columns[i].widthPx);
    }
}

void AppendRows(QTableWidget& list, const RegisterListText& text) {
    for (const std::vector<std::string>& cells : text.rows) {
        const int row = list.rowCount();
        list.insertRow(row);
        for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
            auto* item = new QTableWidgetItem(QString::fromStdString(cells[column]));
            item->setTextAlignment(Qt::AlignCenter);
            list.setItem(row, column, item);
        }
    }
}

// The rows of list as the text spreadsheets paste: the headings, then one line per row taken,
// cells separated by tabs.
QByteArray TabSeparated(const QTableWidget& list, const std::vector<bool>& taken) {
    QStringList lines;
    QStringList cells;
    for (int column = 0; column < list.columnCount(); ++column)
        cells << list.horizontalHeaderItem(column)->text();
    lines << cells.join(QLatin1Char('\t'));
    for (int row = 0; row < list.rowCount(); ++row) {
        if (!taken[static_cast<std::size_t>(row)])
            continue;
        cells.clear();
        for (int column = 0; column < list.columnCount(); ++column)
            cells << list.item(row, column)->text();
        lines << cells.join(QLatin1Char('\t'));
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace

CRegOutView::CRegOutView(const CViewContext& context, QWidget* parent)
    : CWizardFormView(kDialog, context, parent) {}

void CRegOutView::OnInitialUpdate() {
    CWizardFormView::OnInitialUpdate();
    SetUpColumns(*Item<QTableWidget>(IDC_IFP_REGISTER_LIST), kIfpColumns);
    SetUpColumns(*Item<QTableWidget>(IDC_DRIVER_REGISTER_LIST), kDriverColumns);
    for (const int id : {IDC_IFP_REGISTER_LIST, IDC_DRIVER_REGISTER_LIST})
        ShowCutTextInTooltips(*Item<QTableWidget>(id));
    CKXC2280RegisterWizardDoc& doc = GetDocument();
    CheckDlgButton(IDC_OUTPUT_AS_REGISTERS, ParameterDefault<int>("outputAs") != 0);
    doc.m_bOutputAsRegisters = IsDlgButtonChecked(IDC_OUTPUT_AS_REGISTERS) ? 1 : 0;
    CheckDlgButton(ParameterDefault<int>("addressing") != 0 ? IDC_DIRECT_ADDRESSING
                                                            : IDC_INDIRECT_ADDRESSING,
                   true);
    doc.m_bDirectAddressing = IsDlgButtonChecked(IDC_DIRECT_ADDRESSING) ? 1 : 0;
    FillRegisterLists();
    ShowDlgItem(IDC_DIRECT_ADDRESSING, false);
    ShowDlgItem(IDC_INDIRECT_ADDRESSING, false);
    SetDlgItemText(IDC_OUTPUT_AS_REGISTERS,
                   QStringLiteral("Output as direct addressing register instead of variable name"));
}

RegisterListText RegisterListOf(const std::vector<CRegister>& registers, bool driver) {
    RegisterListText text;
    for (const Column& column :
         driver ? std::span<const Column>(kDriverColumns) : std::span<const Column>(kIfpColumns))
        text.columns.emplace_back(column.title);
    for (const CRegister& reg : registers) {
        if ((reg.m_bDriverGroup != 0) != driver)
            continue;
        const std::string hexValue = FormatHex(reg.m_nValue, reg.GetHexDigits());
        const std::string decValue = FormatDecimal(reg.m_nValue, 0);
        const auto address = static_cast<std::uint32_t>(reg.m_nAddress);
        if (driver)
            text.rows.push_back({reg.m_strName, FormatDecimal(reg.m_nDriverId, 0),
                                 FormatHex(address, 0), hexValue, decValue});
        else
            text.rows.push_back({reg.m_strName, FormatHex(address, 2), hexValue, decValue});
    }
    return text;
}

void CRegOutView::FillRegisterLists() {
    auto& ifp = *Item<QTableWidget>(IDC_IFP_REGISTER_LIST);
    auto& driver = *Item<QTableWidget>(IDC_DRIVER_REGISTER_LIST);
    ifp.setRowCount(0);
    driver.setRowCount(0);
    AppendRows(ifp, RegisterListOf(GetDocument().m_Registers, false));
    AppendRows(driver, RegisterListOf(GetDocument().m_Registers, true));
}

void CRegOutView::RestoreParameters(const ParameterSet& given) {
    const CKXC2280RegisterWizardDoc& doc = GetDocument();
    if (given.Given(ParameterIndex("outputAs"))) {
        CheckDlgButton(IDC_OUTPUT_AS_REGISTERS, doc.m_bOutputAsRegisters != 0);
        EnableAddressing();
    }
    if (given.Given(ParameterIndex("addressing")))
        CheckDlgButton(
            doc.m_bDirectAddressing != 0 ? IDC_DIRECT_ADDRESSING : IDC_INDIRECT_ADDRESSING, true);
    FillRegisterLists();
}

void CRegOutView::EnableAddressing() {
    const bool ticked = IsDlgButtonChecked(IDC_OUTPUT_AS_REGISTERS);
    EnableDlgItem(IDC_DIRECT_ADDRESSING, ticked);
    EnableDlgItem(IDC_INDIRECT_ADDRESSING, ticked);
}

bool CRegOutView::OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (message == WM_WIZ_SET_DEFAULTS) {
        FillRegisterLists();
        return true;
    }
    if (message == WM_WIZ_RESTORE_PARAMETERS) {
        if (const auto* given = reinterpret_cast<const ParameterSet*>(wParam))
            RestoreParameters(*given);
        return true;
    }
    return CWizardFormView::OnWndMsg(message, wParam, lParam);
}

void CRegOutView::OnNotify(int id, Notify code) {
    if (code != Notify::Clicked)
        return;
    CKXC2280RegisterWizardDoc& doc = GetDocument();
    switch (id) {
    case IDC_OUTPUT_AS_REGISTERS:
        doc.m_bOutputAsRegisters = IsDlgButtonChecked(IDC_OUTPUT_AS_REGISTERS) ? 1 : 0;
        EnableAddressing();
        break;
    case IDC_DIRECT_ADDRESSING:
        doc.m_bDirectAddressing = 1;
        break;
    case IDC_INDIRECT_ADDRESSING:
        doc.m_bDirectAddressing = 0;
        break;
    default:
        return;
    }
    PostToMainFrame(WM_WIZ_OUTPUT_FORM_CHANGED);
}

void CRegOutView::showEvent(QShowEvent* event) {
    CWizardFormView::showEvent(event);
    // The lists get their columns at the initial update; before it there is nothing to fill.
    if (Item<QTableWidget>(IDC_IFP_REGISTER_LIST)->columnCount() == 0)
        return;
    FillRegisterLists();
    // The columns keep their widths as drawn unless a larger font left a list too narrow.
    for (const int id : {IDC_IFP_REGISTER_LIST, IDC_DRIVER_REGISTER_LIST})
        ShrinkColumnsToView(*Item<QTableWidget>(id));
}

bool CRegOutView::CopiesFrom(const QWidget* control) const {
    return control != nullptr && (control == GetDlgItem(IDC_IFP_REGISTER_LIST) ||
                                  control == GetDlgItem(IDC_DRIVER_REGISTER_LIST));
}

void CRegOutView::CopyFrom(QWidget* control) {
    auto* list = qobject_cast<QTableWidget*>(control);
    if (list == nullptr || !CopiesFrom(control))
        return;
    const bool driverList = control == GetDlgItem(IDC_DRIVER_REGISTER_LIST);
    // The list's rows taken; a row counts as selected when any of its cells is.
    std::vector<bool> taken(static_cast<std::size_t>(list->rowCount()), false);
    for (const QModelIndex& cell : list->selectionModel()->selectedIndexes())
        taken.at(static_cast<std::size_t>(cell.row())) = true;
    if (std::find(taken.begin(), taken.end(), true) == taken.end())
        taken.assign(taken.size(), true);
    // The list holds the registers of its group in the document's order.
    const CKXC2280RegisterWizardDoc& doc = GetDocument();
    RegisterRowFilter rows(doc.m_Registers.size(), false);
    std::size_t listRow = 0;
    for (std::size_t k = 0; k < doc.m_Registers.size() && listRow < taken.size(); ++k) {
        if ((doc.m_Registers[k].m_bDriverGroup != 0) == driverList)
            rows[k] = taken[listRow++];
    }
    const std::string lines =
        driverList ? BuildTimingSectionLines(doc, rows) : BuildPllSectionLines(doc, rows);
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(lines));
    data->setData(QStringLiteral("text/tab-separated-values"), TabSeparated(*list, taken));
    QGuiApplication::clipboard()->setMimeData(data);
}
