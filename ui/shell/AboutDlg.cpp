// About box laid out in dialog units of the dialog font, like the other dialogs of the wizard.
#include "AboutDlg.h"

#include "DialogUnits.h"
#include "MessageBox.h"
#include "ShellIds.h"
#include "Version.h"

#include <QLabel>
#include <QPushButton>
#include <QVariant>

namespace {

ModalRunner& Runner() {
    static ModalRunner runner;
    return runner;
}

constexpr DlgRect kDialogSize{0, 0, 235, 75};

struct AboutControl {
    int id; // 0 for a static without an id
    DlgRect rect;
    const char* text;
};

constexpr AboutControl kStatics[] = {
    {0, {7, 10, 161, 8}, "QX7R310 Register Wizard"},
    {IDC_VERSION_TEXT, {7, 25, 162, 8}, "Version:    Build Date:"},
    {0, {7, 40, 152, 8}, kLegalNotice},
};

} // namespace

ModalRunner SetModalRunner(ModalRunner runner) {
    ModalRunner previous = std::move(Runner());
    Runner() = std::move(runner);
    return previous;
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    SetFixedDialogFrame(*this);
    setWindowTitle(QStringLiteral("About Register Wizard"));
    setFont(DialogFont());
    const DialogBaseUnits base = DialogFontBaseUnits(font());
    setFixedSize(DialogUnitsToPixels(kDialogSize, base).size());
    for (const AboutControl& control : kStatics) {
        auto* label = new QLabel(QString::fromLatin1(control.text), this);
        label->setTextFormat(Qt::PlainText); // no mnemonic or markup processing
        label->setGeometry(DialogUnitsToPixels(control.rect, base));
        label->setProperty("ctrlId", control.id);
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(DialogUnitsToPixels({178, 7, 50, 16}, base));
    ok->setDefault(true);
    ok->setProperty("ctrlId", kIdOk);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

bool CAboutDlg::OnInitDialog() {
    if (QLabel* version = GetDlgItem(IDC_VERSION_TEXT))
        version->setText(QString::fromStdString(GetVersionText()));
    return true;
}

int CAboutDlg::DoModal() {
    OnInitDialog();
    if (Runner())
        return Runner()(*this);
    return exec();
}

QLabel* CAboutDlg::GetDlgItem(int id) const {
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->property("ctrlId").toInt() == id && id != 0)
            return label;
    }
    return nullptr;
}
