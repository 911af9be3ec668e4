// The PLL candidates as a table model, and the proxy that sorts them and keeps the exact ones.
#pragma once

#include "PllSolutions.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <vector>

// One row per candidate, in the order given; the chosen one is drawn bold on a tint.
class CPllSolutionModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        kColumnN,
        kColumnM,
        kColumnD,
        kColumnP3,
        kColumnFpdf,
        kColumnFvco,
        kColumnSystemClock,
        kColumnOutputClock,
        kColumnErrorPpm,
        kColumnVcoError,
        kColumnExact,
        kColumnCount
    };
    // The value a column sorts by: a number, where the display role holds text; the size of an
    // error.
    static constexpr int kSortRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void SetCandidates(std::vector<PllCandidate> candidates);
    const std::vector<PllCandidate>& Candidates() const { return m_candidates; }
    // The row of the chosen candidate, or -1.
    int ChosenRow() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<PllCandidate> m_candidates;
};

// Sorts by the model's sort role and, when asked, keeps only the exact candidates.
class CPllSolutionProxy : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit CPllSolutionProxy(QObject* parent = nullptr);
    void SetExactOnly(bool exactOnly);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    bool m_exactOnly = false;
};
