// File dialogs through one replaceable handler, so tests choose paths without a modal dialog.
#pragma once

#include <QString>
#include <functional>

class QWidget;

struct FileDialogRequest {
    enum class Mode { Save, Open } mode = Mode::Save;
    QWidget* parent = nullptr;
    QString caption;
    QString path;   // proposed file name or folder
    QString filter; // Qt name filter, e.g. ".ini (*.ini)"
};

// Returns the chosen path, or an empty string when the user cancelled.
using FileDialogHandler = std::function<QString(const FileDialogRequest& request)>;

// Installs handler for every later dialog and returns the previous one; an empty handler
// restores the Qt file dialogs.
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

QString AskForFilePath(const FileDialogRequest& request);
