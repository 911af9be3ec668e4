// The window's mode set: the camera modes side by side, the file they came from, and whether they
// changed since it was opened or saved.
#pragma once

#include "ModeSet.h"

#include <QObject>
#include <QString>
#include <optional>
#include <string>

class CModeSetDocument : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    const ModeSet& Modes() const { return m_modes; }
    int Count() const { return static_cast<int>(m_modes.Modes().size()); }
    // The mode of row, or nullptr past the last one.
    const Mode* At(int row) const;

    // Computes parameters as a new last mode named "mode N", the first such name free.
    void Add(const ParameterSet& parameters);
    void Replace(int row, const ParameterSet& parameters);
    void Remove(int row);
    // The refusal when the name is empty or another mode's; nothing changes then.
    std::optional<std::string> Rename(int row, const std::string& name);

    // After the set was read from path or written there: the set is unchanged from now on.
    void Reset(ModeSet modes, const QString& path);
    void SetSaved(const QString& path);
    bool IsModified() const { return m_modified; }
    const QString& PathName() const { return m_path; }
    // The set's name in questions: its file's name, or "the mode set" before it has a file.
    QString Title() const;

signals:
    // Modes came, went, were renamed or recomputed.
    void Changed();

private:
    void Edited();

    ModeSet m_modes;
    QString m_path;
    bool m_modified = false;
};
