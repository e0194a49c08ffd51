#include "engine/CNokia.h"
#include "tests/support/CConverterFixture.h"
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
class frmConverterScreenTest : public QObject, public CConverterFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { Begin(); }
    void cleanup() { End(); }

    void wholeWindowIsOnScreen() {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(area.size(), QSize(1024, 600));
        QVERIFY(Open());
        const frmConverter& window = *m_pWindow;
        const QRect frame = window.frameGeometry();
        QVERIFY2(frame.height() > window.height(), "the screen gives windows a frame");
        QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                      .arg(frame.x())
                                                      .arg(frame.y())
                                                      .arg(frame.width())
                                                      .arg(frame.height())));
    }
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
