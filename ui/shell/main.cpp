// Entry point of the wizard's window program.
#include "Console.h"
#include "ExportDiagramCommand.h"
#include "Version.h"
#include "WizardApp.h"

#include <QApplication>
#include <QIcon>

#include <cstring>
#include <iostream>

namespace {

constexpr const char* kUsage =
    "Usage: qx7r310-wizard [FILE.ini]\n"
    "       qx7r310-wizard --export-diagram FILE.svg|FILE.png [PARAMETERS...]\n"
    "Starts the QX7R310 Register Wizard window; FILE.ini is the settings file to open.\n"
    "\n"
    "Options:\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n";

// --help and --version are answered before the GUI application exists, so they work without a
// display. Returns the exit status, or -1 when the window is to start.
int AnswerInfoOption(int argc, char** argv) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--help") == 0)
            std::cout << kUsage << DiagramExportHelp();
        else if (std::strcmp(argv[i], "--version") == 0)
            std::cout << kAppTitle << ", " << GetVersionText() << '\n';
        else
            continue;
        std::cout.flush();
        return std::cout.good() ? 0 : 1;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    // The answers on the command line carry the same bytes as the command-line wizard's (LF line
    // ends on Windows too) and take any file name, whatever the code page.
    UseBinaryStandardStreams();
    Utf8Arguments arguments(argc, argv);
    if (const int status = AnswerInfoOption(arguments.Count(), arguments.Values()); status >= 0)
        return status;
    if (AsksForDiagramExport(arguments.Count(), arguments.Values()))
        return ExportDiagramCommand(arguments.Count(), arguments.Values());
    QApplication application(argc, argv);
    // Ties the windows to the installed menu entry and its icon (Wayland matches them by name).
    QGuiApplication::setDesktopFileName(QStringLiteral("qx7r310-wizard"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("qx7r310-wizard")));
    // Lives inside main so its windows go before the GUI application does.
    CKXC2280RegisterWizardApp theApp;
    if (!theApp.InitInstance(QApplication::arguments().mid(1)))
        return 1;
    return QApplication::exec();
}
