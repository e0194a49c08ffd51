#include "dialogs/frmHelp.h"
#include "tests/support/CWindowFixture.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>

namespace {
// Ten ticks move the window 480 twips right and 1600 twips down: 32 and
// 106.67 pixels.
const QPoint kFinalOffset(32, 107);
constexpr int kTicks = 10;
constexpr int kAnimationTimeoutMs = 5000;

enum class CloseBy { TitleBar, OkButton, EscapeKey };
} // namespace
Q_DECLARE_METATYPE(CloseBy)

class frmHelpTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CWindowFixture> m_pFixture;

    // A plain widget stands in for the main window.
    std::unique_ptr<QWidget> MakeMainWindow(const QPoint& pos) {
        auto pMain = std::make_unique<QWidget>();
        pMain->resize(500, 320);
        pMain->move(pos);
        pMain->show();
        return pMain;
    }

    frmHelp* OpenHelp(QWidget* pMain, int iHelpNum) {
        auto* pHelp = new frmHelp(pMain);
        pHelp->setHelpNum(static_cast<qint16>(iHelpNum));
        pHelp->Load();
        return pHelp;
    }

private Q_SLOTS:
    void init() { m_pFixture = std::make_unique<CWindowFixture>(); }
    void cleanup() { m_pFixture.reset(); }

    void eachNumberOpensItsOwnText_data() {
        QTest::addColumn<int>("iHelpNum");
        QTest::addColumn<QString>("sNumber");
        QTest::addColumn<QStringList>("lstParagraphs");

        QTest::newRow("1 format")
            << 1 << "1."
            << QStringList{
                   "This is where you specify what the original ringtone format is.",
                   "A program called Nokring (available on the web) allows you to generate and "
                   "play ringtones in a format called RTTTL.  This format is not compatible with "
                   "the Nokia 3210 mobile phone.",
                   "The Composer format is the format used in the Nokia 3210 ringtone composer "
                   "function.",
                   "This converter will read both types of formats and convert between them both."};
        QTest::newRow("2 source")
            << 2 << "2."
            << QStringList{
                   "A ringtone can either be copied directly from a webpage, or it can be read "
                   "from a file on your computer.",
                   "Select 'a File' if you have a folder with all your ringtones stored and would "
                   "like to pick a Composer file or a RTTTL file.",
                   "Select 'the Clipboard' if you have copied a ringtone to the clipboard from a "
                   "webpage or from another document.",
                   "When you are ready, click the 'Get...' button to read in the ringtone."};
        QTest::newRow("3 display")
            << 3 << "3."
            << QStringList{
                   "Select 'Keypresses' to display the ringtone in the sequence of keypresses "
                   "required to enter the ringtone into your Nokia 3210, ie in the Nokia 3210 "
                   "Composer, simply press the keys shown in the order displayed.",
                   "Select '3210 Composer' to display the ringtone in the standard Composer "
                   "format.",
                   "Select 'RTTTL/Nokring' to display the ringtone in the standard RTTTL format.  "
                   "You may then use this format in the Nokring program."};
        QTest::newRow("4 results")
            << 4 << "4."
            << QStringList{
                   "The converted ringtone appears in the large display here.",
                   "Don't forget to enter the Tempo (or BPM) into your phone or the tone will play "
                   "too slow or too fast.",
                   "'Used Notes' tells you how many notes are in the ringtone and gives you a "
                   "warning if you exceed the Nokia 3210 maximum of 50.",
                   "You may save your results as any format or start again.  (RTTTL has .TXT, "
                   "Composer has .321, and keypresses have .KEY but cannot be imported again.)",
                   "If the ringtone has more than 50 notes or notes the phone cannot play, click "
                   "'Fit to Phone': it moves the tune into the phone's octaves, mends those notes "
                   "and keeps at most 50.  'Undo Fit' in the Edit menu gives the ringtone back as "
                   "it was."};
        QTest::newRow("0 has no text") << 0 << "0." << QStringList{};
        QTest::newRow("5 has no text") << 5 << "5." << QStringList{};
    }

    void eachNumberOpensItsOwnText() {
        QFETCH(int, iHelpNum);
        QFETCH(QString, sNumber);
        QFETCH(QStringList, lstParagraphs);

        QCOMPARE(frmHelp::HelpText(iHelpNum), lstParagraphs.join(QStringLiteral("\r\r")));

        auto pMain = MakeMainWindow(QPoint(100, 100));
        QPointer<frmHelp> pHelp = OpenHelp(pMain.get(), iHelpNum);
        QCOMPARE(pHelp->windowTitle(), QStringLiteral("Quick Help"));
        QCOMPARE(pHelp->findChild<QLabel*>("lblHelpNum")->text(), sNumber);
        QCOMPARE(pHelp->findChild<QLabel*>("lblHelpText")->text(),
                 lstParagraphs.join(QStringLiteral("\n\n")));

        // The main window is out of use, the help window is not.
        QVERIFY(!pMain->isEnabled());
        QVERIFY(pHelp->isEnabled());
        QVERIFY(pHelp->isVisible());
        QCOMPARE(pHelp->focusWidget(), pHelp->findChild<QPushButton*>("cmdOk"));

        QTest::mouseClick(pHelp->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
        QVERIFY(pMain->isEnabled());
        QTRY_VERIFY(pHelp.isNull());
    }

    // Every help number and several main-window places: the window always
    // ends at the same offset from the main window, at one size that holds
    // every control, after exactly ten ticks.
    void finalGeometryDependsOnlyOnMainWindowPosition() {
        const QList<QPoint> lstPlaces{{100, 200}, {0, 0}, {350, 40}, {611, 377}};
        QSize firstSize;
        for (const QPoint& place : lstPlaces) {
            for (int iHelpNum = 1; iHelpNum <= 4; ++iHelpNum) {
                auto pMain = MakeMainWindow(place);
                QPointer<frmHelp> pHelp = new frmHelp(pMain.get());
                QSignalSpy ticks(pHelp->findChild<QTimer*>("tmr"), &QTimer::timeout);
                pHelp->setHelpNum(static_cast<qint16>(iHelpNum));
                pHelp->Load();
                QVERIFY(pHelp->isGrowing());
                QTRY_VERIFY_WITH_TIMEOUT(!pHelp->isGrowing(), kAnimationTimeoutMs);

                QCOMPARE(ticks.count(), kTicks);
                QCOMPARE(pHelp->pos() - pMain->pos(), kFinalOffset);
                if (!firstSize.isValid())
                    firstSize = pHelp->size();
                QCOMPARE(pHelp->size(), firstSize);
                QCOMPARE(pHelp->minimumSize(), pHelp->maximumSize());

                const QRect area = pHelp->rect();
                for (const char* pName : {"cmdOk", "lblHelpNum", "Shape4"})
                    QVERIFY2(area.contains(pHelp->findChild<QWidget*>(pName)->geometry()), pName);
                auto* pText = pHelp->findChild<QLabel*>("lblHelpText");
                QVERIFY(pText->heightForWidth(pText->width()) <= pText->height());
                QVERIFY(pHelp->findChild<QFrame*>("Shape4")->rect().contains(pText->geometry()));
                QVERIFY(!pMain->isEnabled());
                pHelp->close();
                QVERIFY(pMain->isEnabled());
            }
        }
        // Larger than ten steps from zero reach, so nothing is cut off.
        QVERIFY(firstSize.width() >= 6100 / 15 && firstSize.height() >= 2630 / 15);
    }

    void closingReenablesMainWindow_data() {
        QTest::addColumn<int>("iTicksFirst");
        QTest::addColumn<CloseBy>("iCloseBy");

        QTest::newRow("title bar before the first tick") << 0 << CloseBy::TitleBar;
        QTest::newRow("title bar while growing") << 3 << CloseBy::TitleBar;
        QTest::newRow("Ok while growing") << 3 << CloseBy::OkButton;
        QTest::newRow("Escape while growing") << 5 << CloseBy::EscapeKey;
        QTest::newRow("title bar when grown") << kTicks << CloseBy::TitleBar;
        QTest::newRow("Ok when grown") << kTicks << CloseBy::OkButton;
    }

    void closingReenablesMainWindow() {
        QFETCH(int, iTicksFirst);
        QFETCH(CloseBy, iCloseBy);

        auto pMain = MakeMainWindow(QPoint(120, 90));
        QPointer<frmHelp> pHelp = new frmHelp(pMain.get());
        auto* pTimer = pHelp->findChild<QTimer*>("tmr");
        QSignalSpy ticks(pTimer, &QTimer::timeout);
        pHelp->setHelpNum(2);
        pHelp->Load();
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= iTicksFirst, kAnimationTimeoutMs);
        QCOMPARE(pHelp->isGrowing(), iTicksFirst < kTicks);
        QVERIFY(!pMain->isEnabled());

        switch (iCloseBy) {
        case CloseBy::TitleBar:
            // The same request the window manager's close box sends.
            QVERIFY(pHelp->windowHandle());
            pHelp->windowHandle()->close();
            break;
        case CloseBy::OkButton:
            QTest::mouseClick(pHelp->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
            break;
        case CloseBy::EscapeKey:
            QTest::keyClick(pHelp->findChild<QPushButton*>("cmdOk"), Qt::Key_Escape);
            break;
        }
        QVERIFY(pMain->isEnabled());
        QVERIFY(pHelp.isNull() || !pTimer->isActive());
        QTRY_VERIFY(pHelp.isNull());
        // No tick arrives after the window is gone.
        const int iTicksAtClose = ticks.count();
        QTest::qWait(60);
        QCOMPARE(ticks.count(), iTicksAtClose);
        QVERIFY(pMain->isEnabled());
    }
};

QTEST_MAIN(frmHelpTest)
#include "frmHelpTest.moc"
