// Start-up probe for the benchmarks: starts the wizard (or, with "bare", a bare main window, and
// with "text", a main window with a menu bar and a status bar text), shows and paints it, then
// ends.
#include "WizardApp.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <cstring>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const bool text = argc > 1 && std::strcmp(argv[1], "text") == 0;
    if (text || (argc > 1 && std::strcmp(argv[1], "bare") == 0)) {
        QMainWindow window;
        // The first text pays for the font set-up (fontconfig, the font files, shaping), which a
        // window without text never does.
        if (text) {
            window.menuBar()->addMenu(QStringLiteral("&File"));
            window.statusBar()->showMessage(QStringLiteral("Ready"));
        }
        window.move(50, 50);
        window.resize(840, 860);
        window.show();
        window.repaint();
        QCoreApplication::processEvents();
        return 0;
    }
    CKXC2280RegisterWizardApp theApp;
    if (!theApp.InitInstance({}))
        return 1;
    // The first posted messages (the timing recalculation after the first clock run) as well.
    QCoreApplication::processEvents();
    return 0;
}
