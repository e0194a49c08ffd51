#include "engine/CNokia.h"
#include "mainwindow/frmConverter.h"
#include "tests/support/CWindowFixture.h"
#include "tests/support/TestScreen.h"
#include "widgets/CProgram.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The main window on the smallest screen it must fit: 1024x600 logical
// pixels, at a scale factor of 1.5, with a frame round every window.
class frmConverterScreenTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_pFixture = std::make_unique<CWindowFixture>(); }
    void cleanup() { m_pFixture.reset(); }

    void wholeWindowIsOnScreen() {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(area.size(), QSize(1024, 600));
        frmConverter window(m_pFixture->Folders());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect frame = window.frameGeometry();
        QVERIFY2(frame.height() > window.height(), "the screen gives windows a frame");
        QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                      .arg(frame.x())
                                                      .arg(frame.y())
                                                      .arg(frame.width())
                                                      .arg(frame.height())));
    }

private:
    std::unique_ptr<CWindowFixture> m_pFixture;
};

// The screen is set up before the application starts.
int main(int argc, char* argv[]) {
    QTemporaryDir config;
    if (!TestScreen::Use(config, QSize(1536, 900)))
        return 1;
    qputenv("QT_SCALE_FACTOR", "1.5");
    QApplication app(argc, argv);
    frmConverterScreenTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "frmConverterScreenTest.moc"
