// Modes page: buttons over the mode table, the register grid below it, the mode switch pane last.
#include "ModesView.h"

#include "ColumnFit.h"
#include "DialogUnits.h"
#include "ModeExport.h"
#include "ModeSetModels.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <stdexcept>

namespace {

QTableView* NewTable(QWidget* parent) {
    auto* table = new QTableView(parent);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
}

// A labelled row of widgets, stretched after the last one.
QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : widgets)
        row->addWidget(widget);
    row->addStretch(1);
    return row;
}

QWidget* Panel(QWidget* parent, QLayout* top, QWidget* body) {
    auto* panel = new QWidget(parent);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(body, 1);
    return panel;
}

} // namespace

CModesView::CModesView(const CViewContext& context, QWidget* parent)
    : CWndT<QWidget>(parent), m_pDoc(context.m_pDoc), m_mainFrame(context.m_pMainFrame),
      m_modeModel(new CModeTableModel(m_modes, this)),
      m_gridModel(new CModeRegisterModel(m_modes, this)), m_proxy(new CChangedOnlyProxy(this)),
      m_modeTable(NewTable(this)), m_grid(NewTable(this)), m_reference(new QComboBox(this)),
      m_changedOnly(new QCheckBox(QStringLiteral("C&hanged only"), this)),
      m_from(new QComboBox(this)), m_to(new QComboBox(this)),
      m_switchPane(new QPlainTextEdit(this)), m_switchNote(new QLabel(this)),
      m_add(new QPushButton(QStringLiteral("&Add Current Mode"), this)),
      m_replace(new QPushButton(QStringLiteral("Re&place with Current"), this)),
      m_remove(new QPushButton(QStringLiteral("Re&move"), this)),
      m_rename(new QPushButton(QStringLiteral("Re&name"), this)),
      m_openInForms(new QPushButton(QStringLiteral("&Open in Forms"), this)),
      m_copy(new QPushButton(QStringLiteral("&Copy"), this)),
      m_save(new QPushButton(QStringLiteral("&Save..."), this)) {
    if (m_pDoc == nullptr)
        throw std::invalid_argument("the Modes page needs its document");
    m_modeTable->setModel(m_modeModel);
    m_modeTable->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed);
    m_proxy->setSourceModel(m_gridModel);
    m_grid->setModel(m_proxy);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The modes' figures stay in sight; the grid grows a column per mode and scrolls instead of
    // cutting the values it compares.
    FitColumnsToView(*m_modeTable);
    m_switchPane->setReadOnly(true);
    m_switchPane->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_switchPane->setFont(FixedPitchFont());
    m_switchNote->setWordWrap(true);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    // The buttons stand in a column beside the modes, so a narrow window cuts no label.
    auto* modesPanel = new QWidget(splitter);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_add, m_replace, m_remove, m_rename, m_openInForms})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto* modesRow = new QHBoxLayout(modesPanel);
    modesRow->setContentsMargins(0, 0, 0, 0);
    modesRow->addWidget(m_modeTable, 1);
    modesRow->addLayout(buttons);
    splitter->addWidget(modesPanel);
    splitter->addWidget(Panel(
        splitter,
        Row({new QLabel(QStringLiteral("Reference mode:"), this), m_reference, m_changedOnly}),
        m_grid));
    auto* switchTop = Row({new QLabel(QStringLiteral("Switch from"), this), m_from,
                           new QLabel(QStringLiteral("to"), this), m_to, m_copy, m_save});
    auto* switchPanel = Panel(splitter, switchTop, m_switchPane);
    switchPanel->layout()->addWidget(m_switchNote);
    splitter->addWidget(switchPanel);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 2);
    splitter->setStretchFactor(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);

    connect(m_add, &QPushButton::clicked, this, &CModesView::AddCurrentMode);
    connect(m_replace, &QPushButton::clicked, this, &CModesView::ReplaceWithCurrent);
    connect(m_remove, &QPushButton::clicked, this, &CModesView::RemoveSelected);
    connect(m_rename, &QPushButton::clicked, this, &CModesView::RenameSelected);
    connect(m_openInForms, &QPushButton::clicked, this, &CModesView::OpenSelectedInForms);
    connect(m_changedOnly, &QCheckBox::toggled, m_proxy, &CChangedOnlyProxy::SetChangedOnly);
    connect(m_reference, &QComboBox::currentIndexChanged, m_gridModel,
            &CModeRegisterModel::SetReference);
    connect(m_from, &QComboBox::currentIndexChanged, this, &CModesView::UpdateSwitch);
    connect(m_to, &QComboBox::currentIndexChanged, this, &CModesView::UpdateSwitch);
    connect(m_copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(m_switchPane->toPlainText()); });
    connect(m_save, &QPushButton::clicked, this, [this] {
        SendWizardMessage(m_mainFrame.data(), WM_WIZ_SAVE_MODE_SWITCH,
                          reinterpret_cast<std::uintptr_t>(&m_switchLines), 0);
    });
    connect(&m_modes, &CModeSetDocument::Changed, this, [this] {
        FillModeBoxes();
        UpdateButtons();
    });
    connect(m_modeTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CModesView::UpdateButtons);
    // A reset of the model drops the selection without announcing it.
    connect(m_modeModel, &QAbstractItemModel::modelReset, this, &CModesView::UpdateButtons);
    UpdateSwitch();
    UpdateButtons();
}

void CModesView::showEvent(QShowEvent* event) {
    // The register view's output form may have changed while this page was hidden.
    m_gridModel->SetOutputForm(m_pDoc->m_bOutputAsRegisters != 0, m_pDoc->m_bDirectAddressing != 0);
    UpdateSwitch();
    CWndT<QWidget>::showEvent(event);
}

int CModesView::SelectedRow() const {
    const QModelIndexList rows = m_modeTable->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void CModesView::AddCurrentMode() {
    m_modes.Add(ParametersOf(*m_pDoc));
    m_modeTable->selectRow(m_modes.Count() - 1);
}

void CModesView::ReplaceWithCurrent() {
    const int row = SelectedRow();
    m_modes.Replace(row, ParametersOf(*m_pDoc));
    m_modeTable->selectRow(row);
}

void CModesView::RemoveSelected() {
    const int row = SelectedRow();
    m_modes.Remove(row);
    m_modeTable->selectRow(std::min(row, m_modes.Count() - 1));
}

void CModesView::RenameSelected() {
    const int row = SelectedRow();
    if (row >= 0)
        m_modeTable->edit(m_modeModel->index(row, CModeTableModel::kColumnName));
}

void CModesView::OpenSelectedInForms() {
    if (const Mode* mode = m_modes.At(SelectedRow()))
        SendWizardMessage(m_mainFrame.data(), WM_WIZ_OPEN_MODE,
                          reinterpret_cast<std::uintptr_t>(&mode->parameters), 0);
}

QString CModesView::SwitchText() const {
    return m_switchPane->toPlainText();
}

void CModesView::FillModeBoxes() {
    const int count = m_modes.Count();
    for (QComboBox* box : {m_reference, m_from, m_to}) {
        const int kept = box->currentIndex();
        const QSignalBlocker quiet(box);
        box->clear();
        for (int row = 0; row < count; ++row)
            box->addItem(QString::fromStdString(m_modes.At(row)->name));
        box->setCurrentIndex(kept >= 0 && kept < count ? kept : (count > 0 ? 0 : -1));
    }
    // Once there are two modes the pane shows a switch: "to" leaves "from" for the last mode.
    if (count > 1 && m_to->currentIndex() == m_from->currentIndex()) {
        const QSignalBlocker quiet(m_to);
        m_to->setCurrentIndex(m_from->currentIndex() == count - 1 ? 0 : count - 1);
    }
    m_gridModel->SetReference(m_reference->currentIndex());
    UpdateSwitch();
}

void CModesView::UpdateSwitch() {
    const Mode* from = m_modes.At(m_from->currentIndex());
    const Mode* to = m_modes.At(m_to->currentIndex());
    QString note;
    std::string& lines = m_switchLines;
    lines.clear();
    if (from == nullptr || to == nullptr) {
        note = QStringLiteral("Add two modes to see the writes that switch between them.");
    } else if (!from->figures.valid || !to->figures.valid) {
        const Mode& invalid = from->figures.valid ? *to : *from;
        note = QStringLiteral("Mode \"%1\" is left out: its timing is n/a (%2).")
                   .arg(QString::fromStdString(invalid.name),
                        QString::fromStdString(invalid.figures.invalidReason));
    } else {
        const std::vector<RegisterWrite> writes = ModeSwitch(*from, *to);
        lines = ModeSwitchLines(writes, m_pDoc->m_bOutputAsRegisters != 0,
                                m_pDoc->m_bDirectAddressing != 0);
        note = writes.empty() ? QStringLiteral("The two modes write the same values.")
                              : QStringLiteral("%1 register writes, in the settings file's order "
                                               "and addressing.")
                                    .arg(writes.size());
    }
    m_switchPane->setPlainText(DocumentText(lines));
    m_switchNote->setText(note);
    m_copy->setEnabled(!lines.empty());
    m_save->setEnabled(!lines.empty());
}

void CModesView::UpdateButtons() {
    const bool selected = m_modes.At(SelectedRow()) != nullptr;
    for (QPushButton* button : {m_replace, m_remove, m_rename, m_openInForms})
        button->setEnabled(selected);
}
