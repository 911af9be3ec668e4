// Texts and marks of the mode table and the register grid, computed from the mode set on demand.
#include "ModeSetModels.h"

#include "FormatDecimal.h"
#include "MessageBox.h"
#include "ModeSetDocument.h"
#include "SettingsWriter.h"

#include <QBrush>
#include <QFont>
#include <array>

namespace {

constexpr std::array<const char*, CModeTableModel::kColumnCount> kModeColumns = {
    "Name",
    "Input\nClock (MHz)",
    "System\nClock (MHz)",
    "Size",
    "Skipping",
    "Requested\nRate (fps)",
    "Achieved\nRate (fps)",
    "Row Time\n(us)",
    "Frame Length\n(rows)",
    "Max. Integration\n(ms)",
    "Validity",
};

const QColor kChangedTint(255, 236, 179);

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString Number(double value, int decimals) {
    return Text(FormatDecimal(value, decimals));
}

QString Validity(const ModeFigures& f) {
    if (!f.valid)
        return QStringLiteral("n/a: ") + Text(f.invalidReason);
    return f.rateMatched ? QStringLiteral("valid") : QStringLiteral("rate (cannot match)");
}

QString ModeCell(const Mode& mode, int column) {
    const ModeFigures& f = mode.figures;
    // The timing figures of an "n/a" mode are no figures: its validity says why.
    const bool timed = f.valid;
    switch (column) {
    case CModeTableModel::kColumnName:
        return Text(mode.name);
    case CModeTableModel::kColumnInputClock:
        return Number(f.inputFreqMHz, 3);
    case CModeTableModel::kColumnSystemClock:
        return Number(f.systemFreqMHz, 3);
    case CModeTableModel::kColumnSize:
        return QStringLiteral("%1 x %2").arg(f.outputColumns).arg(f.outputRows);
    case CModeTableModel::kColumnSkipping:
        if (!f.skipping)
            return QStringLiteral("no");
        return timed ? QStringLiteral("%1 x %2").arg(f.columnSkip).arg(f.rowSkip)
                     : QStringLiteral("allowed");
    case CModeTableModel::kColumnRequestedRate:
        return Number(f.requestedFrameRate, 3);
    case CModeTableModel::kColumnAchievedRate:
        return timed ? Number(f.achievedFrameRate, 3) : QStringLiteral("n/a");
    case CModeTableModel::kColumnRowTime:
        return timed ? Number(f.rowTimeUs, 3) : QStringLiteral("n/a");
    case CModeTableModel::kColumnFrameLength:
        return timed ? QString::number(f.frameLength) : QStringLiteral("n/a");
    case CModeTableModel::kColumnIntegration:
        return timed ? Number(f.maxIntegrationMs, 3) : QStringLiteral("n/a");
    default:
        return Validity(f);
    }
}

// A register's place in the output form: its bus address in the register form (a variable's
// address at the address register when reached indirectly), its driver and offset in the field
// form.
QString AddressText(const CRegister& reg, bool outputAsRegisters, bool directAddressing) {
    if (!outputAsRegisters && reg.m_nDriverId != 0)
        return QStringLiteral("ID %1, offset %2")
            .arg(reg.m_nDriverId)
            .arg(Text(FormatHex(static_cast<std::uint32_t>(reg.m_nAddress), 0)));
    const std::vector<BusWrite> writes = RegisterFormWrites(reg, directAddressing);
    if (writes.size() == 1)
        return Text(FormatHex(writes.front().address, 4));
    return Text(FormatHex(writes.front().value, 4)) + QStringLiteral(" (indirect)");
}

QString ValueText(const Mode& mode, std::size_t row) {
    if (!SettingsFileHolds(mode, row))
        return QStringLiteral("-"); // a bypassed PLL's dividers are not written
    const CRegister& reg = mode.registers[row];
    return Text(FormatHex(reg.m_nValue, reg.GetHexDigits()));
}

} // namespace

CModeTableModel::CModeTableModel(CModeSetDocument& modes, QObject* parent)
    : QAbstractTableModel(parent), m_modes(modes) {
    connect(&m_modes, &CModeSetDocument::Changed, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int CModeTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_modes.Count();
}

int CModeTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant CModeTableModel::data(const QModelIndex& index, int role) const {
    const Mode* mode = m_modes.At(index.row());
    if (mode == nullptr)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return ModeCell(*mode, index.column());
    case Qt::ToolTipRole:
        return index.column() == kColumnValidity ? Validity(mode->figures) : QVariant();
    case Qt::ForegroundRole:
        return mode->figures.valid ? QVariant() : QVariant(QBrush(Qt::red));
    case Qt::TextAlignmentRole:
        return index.column() == kColumnName || index.column() == kColumnValidity
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant CModeTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kColumnCount)
        return QString::fromLatin1(kModeColumns[static_cast<std::size_t>(section)]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags CModeTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == kColumnName)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool CModeTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() != kColumnName)
        return false;
    const std::optional<std::string> refused =
        m_modes.Rename(index.row(), value.toString().toStdString());
    if (refused) {
        AfxMessageBox(QStringLiteral("The mode cannot be renamed: %1.").arg(Text(*refused)),
                      kMbOk | kMbIconExclamation);
        return false;
    }
    return true;
}

CModeRegisterModel::CModeRegisterModel(CModeSetDocument& modes, QObject* parent)
    : QAbstractTableModel(parent), m_modes(modes) {
    connect(&m_modes, &CModeSetDocument::Changed, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

void CModeRegisterModel::SetOutputForm(bool outputAsRegisters, bool directAddressing) {
    if (outputAsRegisters == m_outputAsRegisters && directAddressing == m_directAddressing)
        return;
    m_outputAsRegisters = outputAsRegisters;
    m_directAddressing = directAddressing;
    emit dataChanged(index(0, kColumnAddress), index(rowCount() - 1, kColumnAddress));
}

void CModeRegisterModel::SetReference(int row) {
    beginResetModel();
    m_reference = row;
    endResetModel();
}

int CModeRegisterModel::Reference() const {
    return m_modes.At(m_reference) != nullptr ? m_reference : 0;
}

int CModeRegisterModel::rowCount(const QModelIndex& parent) const {
    const Mode* first = m_modes.At(0);
    return parent.isValid() || first == nullptr ? 0 : static_cast<int>(first->registers.size());
}

int CModeRegisterModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnFirstMode + m_modes.Count();
}

bool CModeRegisterModel::Differs(int mode, int row) const {
    const Mode* reference = m_modes.At(Reference());
    const Mode* other = m_modes.At(mode);
    if (reference == nullptr || other == nullptr || reference == other)
        return false;
    const auto r = static_cast<std::size_t>(row);
    const bool held = SettingsFileHolds(*other, r);
    return held != SettingsFileHolds(*reference, r) ||
           (held && other->registers[r].m_nValue != reference->registers[r].m_nValue);
}

bool CModeRegisterModel::RowDiffers(int row) const {
    for (int mode = 0; mode < m_modes.Count(); ++mode)
        if (Differs(mode, row))
            return true;
    return false;
}

QVariant CModeRegisterModel::data(const QModelIndex& index, int role) const {
    const Mode* first = m_modes.At(0);
    if (first == nullptr || index.row() < 0 || index.row() >= rowCount())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const CRegister& reg = first->registers[row];
    if (role == kRowChangedRole)
        return RowDiffers(index.row());
    const int mode = index.column() - kColumnFirstMode;
    const bool changed = mode >= 0 && Differs(mode, index.row());
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == kColumnName)
            return Text(reg.m_strName);
        if (index.column() == kColumnAddress)
            return AddressText(reg, m_outputAsRegisters, m_directAddressing);
        return m_modes.At(mode) != nullptr ? ValueText(*m_modes.At(mode), row) : QVariant();
    case kChangedRole:
        return changed;
    case Qt::FontRole:
        if (changed) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::BackgroundRole:
        return changed ? QVariant(QBrush(kChangedTint)) : QVariant();
    case Qt::ToolTipRole:
        if (!changed)
            return {};
        return QStringLiteral("%1 in \"%2\"")
            .arg(ValueText(*m_modes.At(Reference()), row), Text(m_modes.At(Reference())->name));
    case Qt::TextAlignmentRole:
        return index.column() == kColumnName ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                             : QVariant(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant CModeRegisterModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == kColumnName)
        return QStringLiteral("Register");
    if (section == kColumnAddress)
        return QStringLiteral("Address");
    const Mode* mode = m_modes.At(section - kColumnFirstMode);
    if (mode == nullptr)
        return {};
    // The reference column is the one the marks compare with.
    return Text(mode->name) + (section - kColumnFirstMode == Reference()
                                   ? QStringLiteral("\n(reference)")
                                   : QString());
}

void CChangedOnlyProxy::SetChangedOnly(bool changedOnly) {
    m_changedOnly = changedOnly;
    invalidateFilter();
}

bool CChangedOnlyProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    return !m_changedOnly || sourceModel()
                                 ->index(sourceRow, 0, sourceParent)
                                 .data(CModeRegisterModel::kRowChangedRole)
                                 .toBool();
}
