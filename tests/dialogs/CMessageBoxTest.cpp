// What a message box shows of its text, on a small screen too, and the
// answering of real boxes that every other window test relies on.

#include "widgets/CMessageBox.h"
#include "tests/support/CWindowFixture.h"
#include "tests/support/TestScreen.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

#include <QtTest>

class CMessageBoxTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shownText_data();
    void shownText();
    void answersComeFromTheQueueThenDefault();
    void realBoxShowsAndAnswers_data();
    void realBoxShowsAndAnswers();
    void longTextScrollsWithinTheScreen_data();
    void longTextScrollsWithinTheScreen();
};

void CMessageBoxTest::shownText_data() {
    QTest::addColumn<QString>("sText");
    QTest::addColumn<QString>("sShown");

    QTest::newRow("plain") << "Text file does not exist."
                           << "Text file does not exist.";
    QTest::newRow("engine line ends") << "errors:\r[a] one\r[b] two"
                                      << "errors:\n[a] one\n[b] two";
    QTest::newRow("CR LF once") << "a\r\nb"
                                << "a\nb";
    // Nothing is cut: a long text scrolls in the box instead.
    QTest::newRow("sixty lines") << QStringLiteral("line\r").repeated(60)
                                 << QStringLiteral("line\n").repeated(60);
    QTest::newRow("one very long line")
        << QString(250, QLatin1Char('x')) << QString(250, QLatin1Char('x'));
}

void CMessageBoxTest::shownText() {
    QFETCH(QString, sText);
    QTEST(CMessageBox::ShownText(sText), "sShown");
}

void CMessageBoxTest::answersComeFromTheQueueThenDefault() {
    const CWindowFixture fixture;
    CWindowFixture::Answer(CMessageBox::Yes);
    QCOMPARE(CMessageBox::Show(nullptr, "Overwrite?", "Overwrite File?", CMessageBox::NoIcon,
                               CMessageBox::YesNo),
             CMessageBox::Yes);
    QCOMPARE(CMessageBox::Show(nullptr, "Again?", "", CMessageBox::NoIcon, CMessageBox::YesNo),
             CMessageBox::No);
    const auto shown = CWindowFixture::TakeShown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[1].Title, QStringLiteral("Ringwright"));
    QVERIFY(CWindowFixture::TakeShown().isEmpty());
}

void CMessageBoxTest::realBoxShowsAndAnswers_data() {
    QTest::addColumn<int>("iIcon");
    QTest::addColumn<int>("iButtons");
    QTest::addColumn<QString>("sTitle");
    QTest::addColumn<int>("iPress"); // the standard button clicked
    QTest::addColumn<int>("iResult");
    QTest::addColumn<QString>("sShownTitle");
    QTest::addColumn<int>("iShownIcon");
    QTest::newRow("OK, no title") << int(CMessageBox::NoIcon) << int(CMessageBox::OkOnly) << ""
                                  << int(QMessageBox::Ok) << int(CMessageBox::Ok) << "Ringwright"
                                  << int(QMessageBox::NoIcon);
    QTest::newRow("information") << int(CMessageBox::Information) << int(CMessageBox::OkOnly)
                                 << "No filename" << int(QMessageBox::Ok) << int(CMessageBox::Ok)
                                 << "No filename" << int(QMessageBox::Information);
    QTest::newRow("warning, Yes") << int(CMessageBox::Exclamation) << int(CMessageBox::YesNo)
                                  << "Overwrite File?" << int(QMessageBox::Yes)
                                  << int(CMessageBox::Yes) << "Overwrite File?"
                                  << int(QMessageBox::Warning);
    QTest::newRow("No") << int(CMessageBox::NoIcon) << int(CMessageBox::YesNo) << "Overwrite File?"
                        << int(QMessageBox::No) << int(CMessageBox::No) << "Overwrite File?"
                        << int(QMessageBox::NoIcon);
}

// A real modal QMessageBox, answered by a click.
void CMessageBoxTest::realBoxShowsAndAnswers() {
    QFETCH(int, iIcon);
    QFETCH(int, iButtons);
    QFETCH(QString, sTitle);
    QFETCH(int, iPress);
    const CWindowFixture fixture;
    QString sSeenTitle;
    QString sSeenText;
    int iSeenIcon = -1;
    int iSeenButtons = 0;
    CWindowFixture::Answer([&](QMessageBox* pBox) {
        sSeenTitle = pBox->windowTitle();
        sSeenText = pBox->text();
        iSeenIcon = pBox->icon();
        iSeenButtons = int(pBox->standardButtons());
        pBox->button(QMessageBox::StandardButton(iPress))->click();
    });
    const CMessageBox::Result iResult =
        CMessageBox::Show(nullptr, QStringLiteral("first\rsecond"), sTitle,
                          CMessageBox::Icon(iIcon), CMessageBox::Buttons(iButtons));
    QCOMPARE(CWindowFixture::TakeShown().size(), 1);
    QTEST(int(iResult), "iResult");
    QTEST(sSeenTitle, "sShownTitle");
    QTEST(iSeenIcon, "iShownIcon");
    QCOMPARE(sSeenText, QStringLiteral("first\nsecond"));
    QCOMPARE(iSeenButtons, iButtons == CMessageBox::YesNo ? int(QMessageBox::Yes | QMessageBox::No)
                                                          : int(QMessageBox::Ok));
}

void CMessageBoxTest::longTextScrollsWithinTheScreen_data() {
    QTest::addColumn<int>("iErrors");
    QTest::addColumn<QString>("sLine");
    QTest::addColumn<bool>("bScrolls");
    const QString sError = QStringLiteral("[CNote.NoteBatch] Duration 3 is not a valid duration "
                                          "for the note 3c#6 in RTTTL notation.");
    QTest::newRow("one error") << 1 << sError << false;
    QTest::newRow("twelve errors") << 12 << sError << false;
    QTest::newRow("sixty errors") << 60 << sError << true;
    QTest::newRow("three hundred errors") << 300 << sError << true;
    QTest::newRow("sixty short errors") << 60 << QStringLiteral("[CNotes.Add] x") << true;
    QTest::newRow("one unbroken line") << 1 << QString(400, QLatin1Char('x')) << false;
}

// The conversion-error box on a 1024x600 screen: the whole text in the box,
// the box within the free area, OK on screen.
void CMessageBoxTest::longTextScrollsWithinTheScreen() {
    QFETCH(int, iErrors);
    QFETCH(QString, sLine);
    QFETCH(bool, bScrolls);
    const CWindowFixture fixture;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(area.size(), QSize(1024, 600));
    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    QString sText = QStringLiteral("There have been some conversion errors:");
    for (int i = 0; i < iErrors; ++i)
        sText += QLatin1Char('\r') + sLine;
    QString sSeenText;
    QRect frame;
    QRect okButton;
    int iScrollRange = -1;
    CWindowFixture::Answer([&](QMessageBox* pBox) {
        QAbstractButton* pOk = pBox->button(QMessageBox::Ok);
        sSeenText = pBox->text();
        frame = pBox->frameGeometry();
        okButton = QRect(pOk->mapToGlobal(QPoint(0, 0)), pOk->size());
        if (auto* pScroll = pBox->findChild<QScrollArea*>())
            iScrollRange = pScroll->verticalScrollBar()->maximum();
        pOk->click();
    });
    QCOMPARE(CMessageBox::Show(&owner, sText, QStringLiteral("Conversion Errors"),
                               CMessageBox::Exclamation),
             CMessageBox::Ok);
    QCOMPARE(CWindowFixture::TakeShown().size(), 1);

    QCOMPARE(sSeenText, QString(sText).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    const QString sWhere = QStringLiteral("%1,%2 %3x%4")
                               .arg(frame.x())
                               .arg(frame.y())
                               .arg(frame.width())
                               .arg(frame.height());
    QVERIFY2(area.contains(frame), qPrintable(sWhere));
    QVERIFY2(frame.contains(okButton), qPrintable(sWhere));
    QCOMPARE(iScrollRange > 0, bScrolls);
}

// The screen is set up before the application starts: 1024x600, with a
// frame round every window.
int main(int argc, char* argv[]) {
    QTemporaryDir config;
    if (!TestScreen::Use(config, QSize(1024, 600)))
        return 1;
    QApplication app(argc, argv);
    CMessageBoxTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CMessageBoxTest.moc"
