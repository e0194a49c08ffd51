// Start-up: the main window is the program; it takes no arguments.

#include "mainwindow/frmConverter.h"
#include "resources/CResources.h"
#include "widgets/CProgram.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(CProgram::Name());
    QApplication::setApplicationName(CProgram::Name());
    QApplication::setApplicationVersion(CProgram::Version());
    QApplication::setWindowIcon(CResources::AppIcon());
    // Wayland compositors find the icon and name through the desktop entry
    // of this name; on X11 it marks the windows as this application's.
    QGuiApplication::setDesktopFileName(QStringLiteral(RINGWRIGHT_APP_ID));

    frmConverter window;
    window.show();
    return QApplication::exec();
}
