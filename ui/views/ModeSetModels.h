// The Modes page's models: the modes with their figures, the register grid with one column per
// mode and the cells that differ from a reference mode marked, and the "Changed only" filter.
#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

class CModeSetDocument;

// One row per mode; the name is edited in place (a taken or empty name is refused in a box).
class CModeTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        kColumnName,
        kColumnInputClock,
        kColumnSystemClock,
        kColumnSize,
        kColumnSkipping,
        kColumnRequestedRate,
        kColumnAchievedRate,
        kColumnRowTime,
        kColumnFrameLength,
        kColumnIntegration,
        kColumnValidity,
        kColumnCount
    };

    explicit CModeTableModel(CModeSetDocument& modes, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    CModeSetDocument& m_modes;
};

// One row per register or firmware variable (name, address in the output form), one column per
// mode with the value its settings file writes; a value that differs from the reference mode's
// is bold on a tint, with the reference value in its tooltip.
class CModeRegisterModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { kColumnName, kColumnAddress, kColumnFirstMode };
    // On any cell of a row: whether some mode's value differs from the reference mode's.
    static constexpr int kRowChangedRole = Qt::UserRole + 1;
    // On a mode's cell: whether it differs from the reference mode's.
    static constexpr int kChangedRole = Qt::UserRole + 2;

    explicit CModeRegisterModel(CModeSetDocument& modes, QObject* parent = nullptr);

    // The register view's choice: register form (direct or indirect addressing) or field form.
    void SetOutputForm(bool outputAsRegisters, bool directAddressing);
    // The mode the others are compared with; the first one when row names none.
    void SetReference(int row);
    int Reference() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool Differs(int mode, int row) const;
    bool RowDiffers(int row) const;

    CModeSetDocument& m_modes;
    bool m_outputAsRegisters = true;
    bool m_directAddressing = true;
    int m_reference = 0;
};

// Keeps every row, or with "Changed only" the rows where some mode differs from the reference.
class CChangedOnlyProxy : public QSortFilterProxyModel {
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void SetChangedOnly(bool changedOnly);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    bool m_changedOnly = false;
};
