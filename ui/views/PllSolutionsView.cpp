// PLL Solutions page: the candidate table, its filter, the chosen row and "Use this solution".
#include "PllSolutionsView.h"

#include "ColumnFit.h"
#include "FormatDecimal.h"
#include "PllCalc.h"
#include "PllSolutionModel.h"
#include "WizardMessages.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {

QString Decimal(double value, int decimals) {
    return QString::fromStdString(FormatDecimal(value, decimals));
}

// "215 divider settings for 44 MHz, 4 of them exact."
QString SummaryText(const std::vector<PllCandidate>& candidates, double targetMHz) {
    const auto exact = std::count_if(candidates.begin(), candidates.end(),
                                     [](const PllCandidate& c) { return c.exact; });
    if (candidates.empty())
        return QStringLiteral("No divider setting keeps Fpdf, Fvco and the system clock within "
                              "their limits with the fixed M and N.");
    return QStringLiteral("%1 divider settings for a target system clock of %2 MHz, %3 of them "
                          "exact. The wizard's choice is shown in bold.")
        .arg(candidates.size())
        .arg(Decimal(targetMHz, 4))
        .arg(exact);
}

} // namespace

CPllSolutionsView::CPllSolutionsView(const CViewContext& context, QWidget* parent)
    : CWndT<QWidget>(parent), m_pDoc(context.m_pDoc), m_mainFrame(context.m_pMainFrame),
      m_model(new CPllSolutionModel(this)), m_proxy(new CPllSolutionProxy(this)),
      m_summary(new QLabel(this)),
      m_exactOnly(new QCheckBox(QStringLiteral("E&xact matches only"), this)),
      m_table(new QTableView(this)),
      m_useButton(new QPushButton(QStringLiteral("&Use this solution"), this)) {
    if (m_pDoc == nullptr)
        throw std::invalid_argument("the PLL Solutions page needs its document");
    m_proxy->setSourceModel(m_model);
    m_table->setModel(m_proxy);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(-1, Qt::AscendingOrder); // the search's visit order until a header click
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_summary->setWordWrap(true);
    // The columns fit their contents only while the page is shown: measuring every candidate row
    // of a hidden page on each clock run (and at start-up) costs more than building the window.
    FitColumnsToView(*m_table);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_exactOnly);
    buttons->addStretch(1);
    buttons->addWidget(m_useButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addLayout(buttons);
    layout->addWidget(m_table, 1);

    connect(m_exactOnly, &QCheckBox::toggled, this, [this](bool exactOnly) {
        m_proxy->SetExactOnly(exactOnly);
        SelectChosenRow();
    });
    connect(m_useButton, &QPushButton::clicked, this, &CPllSolutionsView::UseSelectedSolution);
    connect(m_table, &QTableView::doubleClicked, this, &CPllSolutionsView::UseSelectedSolution);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CPllSolutionsView::UpdateUseButton);
    UpdateUseButton();
}

void CPllSolutionsView::showEvent(QShowEvent* event) {
    if (std::exchange(m_listStale, false))
        Refresh();
    CWndT<QWidget>::showEvent(event);
    if (std::exchange(m_scrollToChosen, false) && m_table->selectionModel()->hasSelection())
        m_table->scrollTo(m_table->selectionModel()->currentIndex(),
                          QAbstractItemView::PositionAtCenter);
}

void CPllSolutionsView::OnInitialUpdate() {
    Refresh();
}

bool CPllSolutionsView::OnWndMsg(unsigned message, std::uintptr_t, std::intptr_t) {
    if (message != WM_WIZ_CLOCKS_RECALCULATED)
        return false;
    m_listStale = !isVisible();
    if (!m_listStale)
        Refresh();
    return true;
}

void CPllSolutionsView::Refresh() {
    if (m_pDoc->m_bBypassPll) {
        m_model->SetCandidates({});
        m_summary->setText(QStringLiteral("The PLL is bypassed: the system clock is the input "
                                          "clock, so there are no divider settings to list."));
    } else {
        const PllRequest request = PllRequestOf(*m_pDoc);
        m_model->SetCandidates(ListPllCandidates(request));
        m_summary->setText(SummaryText(m_model->Candidates(), request.targetMHz));
    }
    m_exactOnly->setEnabled(!m_pDoc->m_bBypassPll);
    SelectChosenRow();
}

void CPllSolutionsView::SelectChosenRow() {
    const int chosen = m_model->ChosenRow();
    const QModelIndex index = m_proxy->mapFromSource(m_model->index(chosen, 0));
    if (index.isValid()) {
        m_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
        // A hidden table does not know its height yet, so it could not centre the row.
        if (isVisible())
            m_table->scrollTo(index, QAbstractItemView::PositionAtCenter);
        else
            m_scrollToChosen = true;
    } else {
        m_table->clearSelection();
    }
    // A reset of the model drops the selection without announcing it.
    UpdateUseButton();
}

void CPllSolutionsView::UpdateUseButton() {
    m_useButton->setEnabled(m_table->selectionModel()->hasSelection());
}

void CPllSolutionsView::UseSelectedSolution() {
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const int row = m_proxy->mapToSource(rows.front()).row();
    const PllCandidate& c = m_model->Candidates().at(static_cast<std::size_t>(row));
    PostWizardMessage(m_mainFrame.data(), WM_WIZ_USE_PLL_SOLUTION,
                      PackPllSetting(c.n, c.m, c.divider), 0);
}
