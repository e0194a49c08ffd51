// The yardstick of the window's start-up: a bare main window of Qt Widgets,
// shown as the program shows its own. With --label it shows one line of
// text, so that its time includes loading the fonts, as any window with
// text pays; --label WIDTH HEIGHT also gives it the program's fixed size.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[]) {
    const bool bLabel = argc > 1 && std::strcmp(argv[1], "--label") == 0;
    QApplication app(argc, argv);
    QMainWindow window;
    if (bLabel)
        window.setCentralWidget(new QLabel(QStringLiteral("Ringwright")));
    if (bLabel && argc > 3)
        window.setFixedSize(std::atoi(argv[2]), std::atoi(argv[3]));
    window.show();
    return QApplication::exec();
}
