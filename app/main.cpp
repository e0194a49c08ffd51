// Start-up: the main window is the program; it takes no arguments.

#include "app/CProgram.h"
#include "mainwindow/frmConverter.h"
#include "resources/CResources.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(CProgram::Name());
    QApplication::setApplicationName(CProgram::Name());
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2").arg(RINGWRIGHT_VERSION_MAJOR).arg(RINGWRIGHT_VERSION_MINOR));
    QApplication::setWindowIcon(CResources::AppIcon());

    frmConverter window;
    window.show();
    return QApplication::exec();
}
