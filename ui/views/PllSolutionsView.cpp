// PLL Solutions page: the candidate table, its filter, the chosen row and "Use this solution".
#include "PllSolutionsView.h"

#include "ColumnFit.h"
#include "FormatDecimal.h"
#include "PllCalc.h"
#include "PllSolutionModel.h"
#include "WizardMessages.h"

#include <QApplication>
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

// What "Use this solution" does with c: the Clock Settings form fixes its M and N and targets its
// system clock, which makes the search take c.
QString UseText(const PllCandidate& c) {
    return QStringLiteral("Fixes M = %1 and N = %2 on the Clock Settings page and sets the target "
                          "system clock to %3 MHz, so the wizard takes this row (D = %4).")
        .arg(c.m)
        .arg(c.n)
        .arg(Decimal(c.systemFreqMHz, 4))
        .arg(c.divider);
}

constexpr const char* kFreeText =
    "Unticks M and N on the Clock Settings page, so every setting for the target clock is listed.";

} // namespace

CPllSolutionsView::CPllSolutionsView(const CViewContext& context, QWidget* parent)
    : CWndT<QWidget>(parent), m_pDoc(context.m_pDoc), m_mainFrame(context.m_pMainFrame),
      m_model(new CPllSolutionModel(this)), m_proxy(new CPllSolutionProxy(this)),
      m_summary(new QLabel(this)),
      m_exactOnly(new QCheckBox(QStringLiteral("E&xact matches only"), this)),
      m_table(new QTableView(this)),
      m_useButton(new QPushButton(QStringLiteral("&Use this solution"), this)),
      m_freeButton(new QPushButton(QStringLiteral("&Free M and N again"), this)) {
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
    m_freeButton->setToolTip(QString::fromLatin1(kFreeText));
    m_freeButton->setStatusTip(m_freeButton->toolTip());
    // The columns fit their contents only while the page is shown: measuring every candidate row
    // of a hidden page on each clock run (and at start-up) costs more than building the window.
    FitColumnsToView(*m_table);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_exactOnly);
    buttons->addStretch(1);
    buttons->addWidget(m_freeButton);
    buttons->addWidget(m_useButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addLayout(buttons);
    layout->addWidget(m_table, 1);

    connect(m_exactOnly, &QCheckBox::toggled, this, [this](bool exactOnly) {
        m_proxy->SetExactOnly(exactOnly);
        // The pick stays where the filter keeps it; otherwise the wizard's choice is picked.
        if (m_table->selectionModel()->hasSelection())
            KeepPickInView();
        else
            SelectChosenRow();
    });
    // A header click sorts through the proxy, which moves the rows under the scroll position.
    connect(m_proxy, &QAbstractItemModel::layoutChanged, this, &CPllSolutionsView::KeepPickInView);
    connect(m_useButton, &QPushButton::clicked, this, &CPllSolutionsView::UseSelectedSolution);
    connect(m_freeButton, &QPushButton::clicked, this, &CPllSolutionsView::FreeDividers);
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

bool CPllSolutionsView::OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t) {
    if (message == WM_WIZ_GET_FOCUS_HINT) {
        auto* hint = reinterpret_cast<QString*>(wParam);
        if (const QString text = FocusHint(); hint != nullptr && !text.isEmpty())
            *hint = text;
        return true;
    }
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
        m_summary->setText(QString::fromLatin1(kPllBypassedText));
    } else {
        const PllRequest request = PllRequestOf(*m_pDoc);
        // The command line's --list-pll order until a header click sorts otherwise.
        std::vector<PllCandidate> candidates = ListPllCandidates(request);
        SortForListing(candidates);
        m_model->SetCandidates(std::move(candidates));
        m_summary->setText(SummaryText(m_model->Candidates(), request.targetMHz));
    }
    m_exactOnly->setEnabled(!m_pDoc->m_bBypassPll);
    m_freeButton->setEnabled(!m_pDoc->m_bBypassPll &&
                             (m_pDoc->m_nPllM != -1 || m_pDoc->m_nPllN != -1));
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

void CPllSolutionsView::KeepPickInView() {
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    if (isVisible())
        m_table->scrollTo(rows.front(), QAbstractItemView::PositionAtCenter);
    else
        m_scrollToChosen = true;
}

void CPllSolutionsView::UpdateUseButton() {
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    m_useButton->setEnabled(!rows.isEmpty());
    const QString text = rows.isEmpty() ? QString()
                                        : UseText(m_model->Candidates().at(static_cast<std::size_t>(
                                              m_proxy->mapToSource(rows.front()).row())));
    m_useButton->setToolTip(text);
    m_useButton->setStatusTip(text);
    // A row the user picks says in the status bar what using it would do.
    if (!text.isEmpty() && m_table->hasFocus())
        SendWizardMessage(m_mainFrame.data(), WM_WIZ_STATUS_TEXT,
                          reinterpret_cast<std::uintptr_t>(&text), 0);
}

QString CPllSolutionsView::FocusHint() const {
    const QWidget* focus = QApplication::focusWidget();
    if (focus == m_table || focus == m_useButton)
        return m_useButton->toolTip();
    return focus == m_freeButton ? m_freeButton->toolTip() : QString();
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

void CPllSolutionsView::FreeDividers() {
    PostWizardMessage(m_mainFrame.data(), WM_WIZ_FREE_PLL_DIVIDERS, 0, 0);
}
