// The yardstick of the window's start-up: a bare main window of Qt Widgets,
// shown as the program shows its own.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.show();
    return QApplication::exec();
}
