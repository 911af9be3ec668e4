// Qt file dialogs behind the replaceable handler.
#include "FileDialogs.h"

#include <QFileDialog>

namespace {
FileDialogHandler& Handler() {
    static FileDialogHandler handler;
    return handler;
}
} // namespace

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
    FileDialogHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

QString AskForFilePath(const FileDialogRequest& request) {
    if (Handler())
        return Handler()(request);
    if (request.mode == FileDialogRequest::Mode::Save)
        return QFileDialog::getSaveFileName(request.parent, request.caption, request.path,
                                            request.filter);
    return QFileDialog::getOpenFileName(request.parent, request.caption, request.path,
                                        request.filter);
}
