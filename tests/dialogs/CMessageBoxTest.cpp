// What a message box shows of its text, and the answering of real boxes
// that every other window test relies on.

#include "widgets/CMessageBox.h"
#include "tests/support/CWindowFixture.h"

#include <QAbstractButton>
#include <QMessageBox>

#include <QtTest>

class CMessageBoxTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shownText_data();
    void shownText();
    void answersComeFromTheQueueThenDefault();
    void realBoxShowsAndAnswers_data();
    void realBoxShowsAndAnswers();
};

void CMessageBoxTest::shownText_data() {
    QTest::addColumn<QString>("sText");
    QTest::addColumn<QString>("sShown");
    QTest::addColumn<bool>("bDetails");

    const QString sTwenty = QStringLiteral("line\r").repeated(19) + QStringLiteral("line");
    const QString sTwentyOne = sTwenty + QStringLiteral("\rlast");
    QTest::newRow("plain") << "Text file does not exist."
                           << "Text file does not exist." << false;
    QTest::newRow("engine line ends") << "errors:\r[a] one\r[b] two"
                                      << "errors:\n[a] one\n[b] two" << false;
    QTest::newRow("CR LF once") << "a\r\nb"
                                << "a\nb" << false;
    QTest::newRow("twenty lines fit") << sTwenty << QString(sTwenty).replace('\r', '\n') << false;
    QTest::newRow("twenty-one lines")
        << sTwentyOne
        << QStringLiteral("line\n").repeated(20) + QStringLiteral("... (1 more lines)") << true;
    QTest::newRow("one very long line")
        << QString(250, QLatin1Char('x')) << QString(200, QLatin1Char('x')) + "..." << true;
}

void CMessageBoxTest::shownText() {
    QFETCH(QString, sText);
    QFETCH(QString, sShown);
    QFETCH(bool, bDetails);

    QString sDetails = QStringLiteral("stale");
    QCOMPARE(CMessageBox::ShownText(sText, sDetails), sShown);
    // The details hold the whole text, so nothing of a long error list is lost.
    QCOMPARE(sDetails, bDetails ? QString(sText).replace('\r', '\n') : QString());
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

QTEST_MAIN(CMessageBoxTest)
#include "CMessageBoxTest.moc"
