// Start-up probe for the benchmarks: starts the wizard (or, with "bare", a bare main window, and
// with "text", a main window with a menu bar and a status bar text), waits until the window has
// been painted on the screen, says so on standard output, then ends.
#include "WizardApp.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <cstdio>
#include <cstring>

namespace {

// Notes the first paint of a main window; the painting of its children and the flush to the
// screen finish before control goes back to the event loop.
class FirstPaint : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<QMainWindow*>(watched) != nullptr)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// Runs the event loop until a main window is painted, then tells the benchmark, which stops its
// clock there: what the program does on the way out is no part of its start-up.
void WaitUntilPainted(const FirstPaint& watch) {
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    std::fputs("painted\n", stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    FirstPaint watch;
    application.installEventFilter(&watch);
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
        WaitUntilPainted(watch);
        return 0;
    }
    CKXC2280RegisterWizardApp theApp;
    if (!theApp.InitInstance({}))
        return 1;
    WaitUntilPainted(watch);
    return 0;
}
