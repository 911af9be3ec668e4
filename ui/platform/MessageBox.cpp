// The prompt handler in use and the Qt message box behind it.
#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>

namespace {

PromptHandler& CurrentHandler() {
    static PromptHandler handler;
    return handler;
}

} // namespace

PromptHandler SetPromptHandler(PromptHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}

int ShowQtMessageBox(const QString& text, unsigned type) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setText(text);
    switch (type & MB_ICONMASK) {
    case MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    if ((type & MB_TYPEMASK) == MB_YESNO) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? IDYES : IDNO;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return IDOK;
}

int AfxMessageBox(const QString& text, unsigned type) {
    const PromptHandler& handler = CurrentHandler();
    return handler ? handler(text, type) : ShowQtMessageBox(text, type);
}
