// About box laid out in dialog units of the dialog font, like the other dialogs of the wizard.
#include "AboutDlg.h"

#include "DialogUnits.h"
#include "MessageBox.h"
#include "ShellIds.h"
#include "ThirdPartyNotices.h"
#include "Version.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariant>

namespace {

ModalRunner& Runner() {
    static ModalRunner runner;
    return runner;
}

constexpr DlgRect kDialogSize{0, 0, 235, 75};
constexpr DlgRect kLicencesSize{0, 0, 330, 260};

// Qt is linked, not compiled in, so the copyright file leaves it out; the program names it here.
constexpr const char* kQtLicence =
    "This program uses Qt 6 under the GNU Lesser General Public License, version 3\n"
    "(LGPL-3.0-only); Qt's libraries are linked, and their licence comes with them.\n"
    "\n"
    "The following parts are compiled into the program:\n"
    "\n";

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

int RunModal(QDialog& dialog) {
    if (Runner())
        return Runner()(dialog);
    return dialog.exec();
}

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
    auto* licences = new QPushButton(QStringLiteral("&Licences..."), this);
    licences->setGeometry(DialogUnitsToPixels({178, 27, 50, 14}, base));
    licences->setAutoDefault(false);
    licences->setProperty("ctrlId", IDC_LICENCES);
    connect(licences, &QPushButton::clicked, this, &CAboutDlg::OnLicences);
}

bool CAboutDlg::OnInitDialog() {
    if (QLabel* version = GetDlgItem(IDC_VERSION_TEXT))
        version->setText(QString::fromStdString(GetVersionText()));
    return true;
}

int CAboutDlg::DoModal() {
    OnInitDialog();
    return RunModal(*this);
}

int CAboutDlg::OnLicences() {
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Licences"));
    dialog.setFont(font());
    dialog.resize(DialogUnitsToPixels(kLicencesSize, DialogFontBaseUnits(font())).size());
    auto* text = new QPlainTextEdit(&dialog);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(FixedPitchFont());
    text->setPlainText(QString::fromLatin1(kQtLicence) + QString::fromUtf8(kThirdPartyNotices));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    return RunModal(dialog);
}

QPushButton* CAboutDlg::GetButton(int id) const {
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button->property("ctrlId").toInt() == id)
            return button;
    }
    return nullptr;
}

QLabel* CAboutDlg::GetDlgItem(int id) const {
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->property("ctrlId").toInt() == id && id != 0)
            return label;
    }
    return nullptr;
}
