// Start-up probe for the benchmarks: starts the wizard (or, with "bare", a bare main window),
// shows and paints it, then ends.
#include "WizardApp.h"

#include <QApplication>
#include <QMainWindow>
#include <cstring>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "bare") == 0) {
        QMainWindow window;
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
