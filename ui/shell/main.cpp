// Entry point of the wizard's window program.
#include "WizardApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Lives inside main so its windows go before the GUI application does.
    CKXC2280RegisterWizardApp theApp;
    if (!theApp.InitInstance(QApplication::arguments().mid(1)))
        return 1;
    return QApplication::exec();
}
