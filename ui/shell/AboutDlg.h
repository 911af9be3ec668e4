// The About box: program name, version and build date, legal notice, third-party licences.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

inline constexpr const char* kLegalNotice = "(C) Velmora. All rights reserved.";

// Runs a modal dialog and returns its result; tests install one that does not wait for a person.
using ModalRunner = std::function<int(QDialog& dialog)>;
// Installs runner for every later DoModal and returns the previous one; an empty runner restores
// QDialog::exec.
ModalRunner SetModalRunner(ModalRunner runner);
// Runs dialog with the installed runner, or exec() when there is none; every modal dialog of the
// program goes through it.
int RunModal(QDialog& dialog);

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // Initialises the dialog, then runs it modally.
    int DoModal();
    // Puts the version and build-date text into its static control.
    bool OnInitDialog();
    // Runs the dialog with the licences of Qt and of the parts compiled into the program.
    int OnLicences();

    // The static text of a control id (1137 for the version), or none.
    QLabel* GetDlgItem(int id) const;
    // The button of a control id (IDC_LICENCES), or none.
    QPushButton* GetButton(int id) const;
};
