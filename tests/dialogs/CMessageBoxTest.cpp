// What a message box shows of its text, and the test hooks every other
// window test relies on.

#include "dialogs/CMessageBox.h"

#include <QtTest>

class CMessageBoxTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shownText_data();
    void shownText();
    void answersComeFromTheQueueThenDefault();
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
    CMessageBox::setTestMode(true);
    CMessageBox::queueAnswer(CMessageBox::Yes);
    QCOMPARE(CMessageBox::Show(nullptr, "Overwrite?", "Overwrite File?", CMessageBox::NoIcon,
                               CMessageBox::YesNo),
             CMessageBox::Yes);
    QCOMPARE(CMessageBox::Show(nullptr, "Again?", "", CMessageBox::NoIcon, CMessageBox::YesNo),
             CMessageBox::No);
    const auto shown = CMessageBox::takeShown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[1].Title, QStringLiteral("Ringwright"));
    QVERIFY(CMessageBox::takeShown().isEmpty());
}

QTEST_MAIN(CMessageBoxTest)
#include "CMessageBoxTest.moc"
