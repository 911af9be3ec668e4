// Texts, alignment, marking and sort values of the PLL candidate table.
#include "PllSolutionModel.h"

#include "FormatDecimal.h"

#include <QBrush>
#include <QFont>
#include <array>
#include <limits>

namespace {

struct ColumnSpec {
    const char* title;
    int decimals; // -1: a whole number
};
constexpr std::array<ColumnSpec, CPllSolutionModel::kColumnCount> kColumns = {{
    {"N", -1},
    {"M", -1},
    {"D", -1},
    {"P3", -1},
    {"Fpdf\n(MHz)", 3},
    {"Fvco\n(MHz)", 3},
    {"System\nClock (MHz)", 4},
    {"Output\nClock (MHz)", 4},
    {"Error\n(ppm)", 1},
    {"VCO Error\n(MHz)", 3},
    {"Exact", -1},
}};

const QColor kChosenTint(255, 236, 179);

// What a cell shows and sorts by: a number, or nothing for a measure the request leaves out.
std::optional<double> CellValue(const PllCandidate& c, int column) {
    switch (column) {
    case CPllSolutionModel::kColumnN:
        return c.n;
    case CPllSolutionModel::kColumnM:
        return c.m;
    case CPllSolutionModel::kColumnD:
        return c.divider;
    case CPllSolutionModel::kColumnP3:
        return c.p3;
    case CPllSolutionModel::kColumnFpdf:
        return c.fpdfMHz;
    case CPllSolutionModel::kColumnFvco:
        return c.fvcoMHz;
    case CPllSolutionModel::kColumnSystemClock:
        return c.systemFreqMHz;
    case CPllSolutionModel::kColumnOutputClock:
        return c.outputClockMHz;
    case CPllSolutionModel::kColumnErrorPpm:
        return c.errorPpm;
    case CPllSolutionModel::kColumnVcoError:
        return c.vcoErrorMHz;
    default:
        return c.exact ? 1.0 : 0.0;
    }
}

// Fixed decimals, the same in every locale.
QString CellText(const PllCandidate& c, int column) {
    if (column == CPllSolutionModel::kColumnExact)
        return c.exact ? QStringLiteral("yes") : QStringLiteral("no");
    const std::optional<double> value = CellValue(c, column);
    if (!value)
        return QStringLiteral("n/a");
    const int decimals = kColumns[static_cast<std::size_t>(column)].decimals;
    return QString::fromStdString(decimals < 0 ? FormatInt(static_cast<long long>(*value))
                                               : FormatFixed(*value, decimals));
}

} // namespace

void CPllSolutionModel::SetCandidates(std::vector<PllCandidate> candidates) {
    beginResetModel();
    m_candidates = std::move(candidates);
    endResetModel();
}

int CPllSolutionModel::ChosenRow() const {
    for (std::size_t row = 0; row < m_candidates.size(); ++row) {
        if (m_candidates[row].chosen)
            return static_cast<int>(row);
    }
    return -1;
}

int CPllSolutionModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_candidates.size());
}

int CPllSolutionModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant CPllSolutionModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumnCount)
        return {};
    const PllCandidate& c = m_candidates[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return CellText(c, index.column());
    case kSortRole:
        // A measure the request leaves out sorts after every number.
        return CellValue(c, index.column()).value_or(std::numeric_limits<double>::infinity());
    case Qt::TextAlignmentRole:
        return index.column() == kColumnExact ? QVariant(Qt::AlignCenter)
                                              : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (c.chosen) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::BackgroundRole:
        return c.chosen ? QVariant(QBrush(kChosenTint)) : QVariant();
    case Qt::ToolTipRole:
        return c.chosen ? QVariant(QStringLiteral("The setting the wizard chose")) : QVariant();
    default:
        return {};
    }
}

QVariant CPllSolutionModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromLatin1(kColumns[static_cast<std::size_t>(section)].title);
}

CPllSolutionProxy::CPllSolutionProxy(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(CPllSolutionModel::kSortRole);
}

void CPllSolutionProxy::SetExactOnly(bool exactOnly) {
    if (m_exactOnly == exactOnly)
        return;
    m_exactOnly = exactOnly;
    invalidateFilter();
}

bool CPllSolutionProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (!m_exactOnly)
        return true;
    const auto* model = qobject_cast<const CPllSolutionModel*>(sourceModel());
    return model == nullptr || sourceParent.isValid() ||
           model->Candidates().at(static_cast<std::size_t>(sourceRow)).exact;
}
