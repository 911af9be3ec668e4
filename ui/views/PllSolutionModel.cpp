// Texts, alignment, marking and sort values of the PLL candidate table.
#include "PllSolutionModel.h"

#include "FormatDecimal.h"

#include <QBrush>
#include <QFont>
#include <array>
#include <cmath>
#include <limits>

namespace {

static_assert(CPllSolutionModel::kColumnCount == kPllColumns.size());
static_assert(CPllSolutionModel::kColumnExact == kPllColumnExact);

const QColor kChosenTint(255, 236, 179);

// What a cell shows and sorts by: a number, or nothing for a measure the request leaves out.
std::optional<double> CellValue(const PllCandidate& c, int column) {
    return PllColumnValue(c, static_cast<std::size_t>(column));
}

QString CellText(const PllCandidate& c, int column) {
    return QString::fromStdString(PllColumnText(c, static_cast<std::size_t>(column), "n/a"));
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
    case kSortRole: {
        // A measure the request leaves out sorts after every number; an error sorts by its size,
        // so the closest settings come first whichever side of the target they fall on.
        const double value =
            CellValue(c, index.column()).value_or(std::numeric_limits<double>::infinity());
        return index.column() == kColumnErrorPpm ? std::fabs(value) : value;
    }
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
    // The unit goes on a second line, so the columns stay narrow.
    const PllColumn& column = kPllColumns[static_cast<std::size_t>(section)];
    const QString name = QString::fromLatin1(column.name);
    return *column.unit == '\0' ? name
                                : name + QStringLiteral("\n(%1)").arg(QLatin1String(column.unit));
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
