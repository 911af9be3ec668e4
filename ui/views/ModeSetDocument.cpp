// Editing the window's mode set: every change recomputes through the core and marks the set.
#include "ModeSetDocument.h"

#include <QFileInfo>

const Mode* CModeSetDocument::At(int row) const {
    return row >= 0 && row < Count() ? &m_modes.Modes()[static_cast<std::size_t>(row)] : nullptr;
}

void CModeSetDocument::Add(const ParameterSet& parameters) {
    for (int number = Count() + 1;; ++number) {
        const std::string name = "mode " + std::to_string(number);
        if (m_modes.Find(name) == nullptr) {
            (void)m_modes.Add({name, 0, parameters});
            break;
        }
    }
    Edited();
}

void CModeSetDocument::Replace(int row, const ParameterSet& parameters) {
    if (At(row) == nullptr)
        return;
    m_modes.Replace(static_cast<std::size_t>(row), parameters);
    Edited();
}

void CModeSetDocument::Remove(int row) {
    if (At(row) == nullptr)
        return;
    m_modes.Remove(static_cast<std::size_t>(row));
    Edited();
}

std::optional<std::string> CModeSetDocument::Rename(int row, const std::string& name) {
    if (At(row) == nullptr || At(row)->name == name)
        return std::nullopt;
    if (std::optional<std::string> refused = m_modes.Rename(static_cast<std::size_t>(row), name))
        return refused;
    Edited();
    return std::nullopt;
}

void CModeSetDocument::Reset(ModeSet modes, const QString& path) {
    m_modes = std::move(modes);
    SetSaved(path);
    emit Changed();
}

void CModeSetDocument::SetSaved(const QString& path) {
    m_path = path;
    m_modified = false;
}

QString CModeSetDocument::Title() const {
    return m_path.isEmpty() ? QStringLiteral("the mode set") : QFileInfo(m_path).fileName();
}

void CModeSetDocument::Edited() {
    m_modified = true;
    emit Changed();
}
