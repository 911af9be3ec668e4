// The prompt handler in use and the Qt message box behind it.
#include "MessageBox.h"

#include <QApplication>
#include <QGridLayout>
#include <QMainWindow>
#include <QMessageBox>
#include <utility>

namespace {

// Room a window manager's title bar takes beside the caption: the frame's icon and up to three
// buttons, with their gaps.
constexpr int kTitleBarControlsWidth = 120;

PromptHandler& CurrentHandler() {
    static PromptHandler handler;
    return handler;
}

// The window a box belongs to: the active one, else the program's shown main window. A box
// without an owner is no transient of the program's window, so window managers treat it as a
// window of its own (own taskbar entry, placed anywhere, left behind when the window is raised).
QWidget* BoxOwner() {
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && qobject_cast<QMainWindow*>(window) != nullptr)
            return window;
    return nullptr;
}

// Window managers draw the caption in a bold face beside their icon and buttons; a box sized
// for its text alone cuts the program's name short ("QX7R310 Register W...").
void WidenForCaption(QMessageBox& box) {
    QFont captionFont = box.font();
    captionFont.setBold(true);
    const int width =
        QFontMetrics(captionFont).horizontalAdvance(box.windowTitle()) + kTitleBarControlsWidth;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0), grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

PromptHandler SetPromptHandler(PromptHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}

void SetFixedDialogFrame(QWidget& dialog) {
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
}

std::unique_ptr<QMessageBox> CreateQtMessageBox(const QString& text, unsigned type) {
    auto box = std::make_unique<QMessageBox>(BoxOwner());
    SetFixedDialogFrame(*box);
    box->setWindowTitle(QApplication::applicationDisplayName());
    box->setText(text);
    switch (type & kMbIconMask) {
    case kMbIconExclamation:
        box->setIcon(QMessageBox::Warning);
        break;
    case kMbIconQuestion:
        box->setIcon(QMessageBox::Question);
        break;
    case kMbIconInformation:
        box->setIcon(QMessageBox::Information);
        break;
    default:
        box->setIcon(QMessageBox::NoIcon);
        break;
    }
    if ((type & kMbTypeMask) == kMbYesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
    } else if ((type & kMbTypeMask) == kMbYesNoCancel) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::Cancel);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    // Last: setting the icon or the buttons lays the box out anew.
    WidenForCaption(*box);
    return box;
}

int ShowQtMessageBox(const QString& text, unsigned type) {
    const std::unique_ptr<QMessageBox> box = CreateQtMessageBox(text, type);
    const int answer = box->exec();
    switch (type & kMbTypeMask) {
    case kMbYesNo:
        return answer == QMessageBox::Yes ? kIdYes : kIdNo;
    case kMbYesNoCancel:
        return answer == QMessageBox::Yes ? kIdYes : answer == QMessageBox::No ? kIdNo : kIdCancel;
    default:
        return kIdOk;
    }
}

int AfxMessageBox(const QString& text, unsigned type) {
    const PromptHandler& handler = CurrentHandler();
    return handler ? handler(text, type) : ShowQtMessageBox(text, type);
}
