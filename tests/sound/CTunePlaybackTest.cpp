// Play and Stop through the real main window, playing through the private
// sound server the test fixture starts (tests/sound/sound-server.sh) and
// listening to its null sink.

#include "engine/CNokia.h"
#include "sound/CTunePlayer.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include "tests/sound/SinkRecorder.h"
#include "tests/support/CConverterFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <csignal>
#include <functional>
#include <memory>

namespace {
const QString Monitor = QStringLiteral(TEST_SINK ".monitor");
// Long enough never to end while a test looks at it.
const QString LongTune = QStringLiteral("Long:d=1,o=5,b=25:a,a,a,a");
const QString TempoNotice = QStringLiteral(
    "The tempo is not a whole number from 25 to 900, so the ringtone plays at 63 beats per "
    "minute.");
} // namespace

class CTunePlaybackTest : public QObject, public CConverterFixture {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void enabledWhileTheConverterHoldsANote_data();
    void enabledWhileTheConverterHoldsANote();
    void playingStopsAt_data();
    void playingStopsAt();
    void accessKeysStopAndTypeNothing_data();
    void accessKeysStopAndTypeNothing();
    void tempoOutsideTheRuleIsToldOnTheMessageLine_data();
    void tempoOutsideTheRuleIsToldOnTheMessageLine();
    void notesAreHeardInOrderAtTheirPitchesAndMarked();
    void aFormShownIsFollowedTypingEndsTheMarking();
    void pressingAgainAndAgainEndsStopped();
    void noOutputIsReported();
    // Last: it stops the sound server.
    void anOutputThatFailsIsReported();

private:
    QPushButton* Play() const { return Child<QPushButton>(QStringLiteral("cmdPlay")); }
    QTextEdit* ResultsBox() const { return Child<QTextEdit>(QStringLiteral("rtf")); }
    QString Marked() const {
        const QList<QTextEdit::ExtraSelection> marks = ResultsBox()->extraSelections();
        return marks.isEmpty() ? QString() : marks.constFirst().cursor.selectedText();
    }
};

void CTunePlaybackTest::init() {
    Begin();
    m_pWindow = std::make_unique<frmConverter>(m_pFixture->Folders());
    m_pWindow->show();
    Choose(0, false);
    CWindowFixture::TakeShown();
}

void CTunePlaybackTest::cleanup() {
    End();
}

void CTunePlaybackTest::enabledWhileTheConverterHoldsANote_data() {
    QTest::addColumn<QString>("sGot");
    QTest::addColumn<QString>("sTyped");
    QTest::addColumn<bool>("bEnabled");
    QTest::newRow("converted notes") << "T:d=8,o=5,b=160:c6"
                                     << "" << true;
    QTest::newRow("only a rest") << "T:d=8,o=5,b=160:p"
                                 << "" << true;
    QTest::newRow("nothing got") << ""
                                 << "" << false;
    QTest::newRow("notes only typed") << ""
                                      << "c6, d6" << false;
}

void CTunePlaybackTest::enabledWhileTheConverterHoldsANote() {
    QFETCH(QString, sGot);
    QFETCH(QString, sTyped);
    QFETCH(bool, bEnabled);
    QVERIFY(!Play()->isEnabled());
    if (!sGot.isEmpty())
        GetClipboard(sGot);
    if (!sTyped.isEmpty())
        QTest::keyClicks(ResultsBox(), sTyped);
    QCOMPARE(Play()->isEnabled(), bEnabled);
    QCOMPARE(Play()->text(), QStringLiteral("&Play"));
}

void CTunePlaybackTest::playingStopsAt_data() {
    QTest::addColumn<std::function<void(CTunePlaybackTest*)>>("fnAction");
    using Test = CTunePlaybackTest;
    QTest::newRow("Stop") << std::function([](Test* p) { p->Play()->click(); });
    QTest::newRow("Get") << std::function([](Test* p) { p->GetClipboard(QStringLiteral("T:c")); });
    QTest::newRow("New") << std::function(
        [](Test* p) { p->Child<QAction>(QStringLiteral("mnuFileNew"))->trigger(); });
    QTest::newRow("source option") << std::function(
        [](Test* p) { p->Child<QRadioButton>(QStringLiteral("optSource_1"))->click(); });
    QTest::newRow("file option") << std::function(
        [](Test* p) { p->Child<QRadioButton>(QStringLiteral("optFile_0"))->click(); });
    QTest::newRow("window closed") << std::function([](Test* p) { p->m_pWindow->close(); });
}

void CTunePlaybackTest::playingStopsAt() {
    QFETCH(std::function<void(CTunePlaybackTest*)>, fnAction);
    GetClipboard(LongTune);
    Play()->click();
    QCOMPARE(Play()->text(), QStringLiteral("&Stop"));
    QCOMPARE(Play()->accessibleName(), QStringLiteral("Stop"));
    QTRY_VERIFY(!Marked().isEmpty());
    fnAction(this);
    QCOMPARE(Play()->text(), QStringLiteral("&Play"));
    QCOMPARE(Play()->accessibleName(), QStringLiteral("Play"));
    QCOMPARE(Marked(), QString());
    QCOMPARE(CWindowFixture::TakeShown().size(), 0);
}

void CTunePlaybackTest::accessKeysStopAndTypeNothing_data() {
    QTest::addColumn<QString>("sBox");
    QTest::addColumn<int>("iKey");
    QTest::newRow("Alt+P in the name") << "txtName" << int(Qt::Key_P);
    QTest::newRow("Alt+P in the tempo") << "txtTempo" << int(Qt::Key_P);
    QTest::newRow("Alt+S in the tempo") << "txtTempo" << int(Qt::Key_S);
    QTest::newRow("Alt+P in the results") << "rtf" << int(Qt::Key_P);
}

// While playing the button reads "&Stop"; its old key stops all the same,
// and neither key is typed into the box that has the focus.
void CTunePlaybackTest::accessKeysStopAndTypeNothing() {
    QFETCH(QString, sBox);
    QFETCH(int, iKey);
    QVERIFY(QTest::qWaitForWindowActive(m_pWindow.get()));
    GetClipboard(LongTune);
    auto* pBox = Child<QWidget>(sBox);
    pBox->setFocus();
    const auto Text = [pBox] {
        if (auto* pLine = qobject_cast<QLineEdit*>(pBox))
            return pLine->text();
        return qobject_cast<QTextEdit*>(pBox)->toPlainText();
    };
    const QString sBefore = Text();
    Play()->click();
    QCOMPARE(Play()->text(), QStringLiteral("&Stop"));
    // The button's own access key clicks it a moment later, as if pressed.
    QTest::keyClick(pBox, Qt::Key(iKey), Qt::AltModifier);
    QTRY_COMPARE(Play()->text(), QStringLiteral("&Play"));
    QCOMPARE(Text(), sBefore);
    // Stopped: Alt+P plays again, Alt+S does nothing; neither is typed.
    QTest::keyClick(pBox, Qt::Key_S, Qt::AltModifier);
    QTest::qWait(300);
    QCOMPARE(Play()->text(), QStringLiteral("&Play"));
    QTest::keyClick(pBox, Qt::Key_P, Qt::AltModifier);
    QTRY_COMPARE(Play()->text(), QStringLiteral("&Stop"));
    QCOMPARE(Text(), sBefore);
    QCOMPARE(CWindowFixture::TakeShown().size(), 0);
}

void CTunePlaybackTest::tempoOutsideTheRuleIsToldOnTheMessageLine_data() {
    QTest::addColumn<QString>("sTempo");
    QTest::addColumn<bool>("bTold");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("not a number") << "fast" << true;
    QTest::newRow("below 25") << "24" << true;
    QTest::newRow("above 900") << "901" << true;
    QTest::newRow("25") << "25" << false;
    QTest::newRow("900") << "900" << false;
}

void CTunePlaybackTest::tempoOutsideTheRuleIsToldOnTheMessageLine() {
    QFETCH(QString, sTempo);
    QFETCH(bool, bTold);
    GetClipboard(LongTune);
    Child<QLineEdit>(QStringLiteral("txtTempo"))->setText(sTempo);
    Play()->click();
    QCOMPARE(Play()->text(), QStringLiteral("&Stop"));
    QCOMPARE(Child<QLabel>(QStringLiteral("lblMsg"))->text(), bTold ? TempoNotice : QString());
}

void CTunePlaybackTest::notesAreHeardInOrderAtTheirPitchesAndMarked() {
    SinkRecorder recorder;
    QVERIFY(recorder.Start(Monitor));
    Child<QRadioButton>(QStringLiteral("optShowAs_2"))->click();
    GetClipboard(QStringLiteral("T:d=8,o=5,b=160:c6,e6,p,g6,4c7"));
    QStringList marked;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        const QString sMarked = Marked();
        if (!sMarked.isEmpty() && (marked.isEmpty() || marked.constLast() != sMarked))
            marked << sMarked;
    });
    watch.start(2);
    Play()->click();
    QTRY_COMPARE_WITH_TIMEOUT(Play()->text(), QStringLiteral("&Play"), 10000);
    watch.stop();
    QTest::qWait(200);
    const QVector<SinkRecorder::Sound> sounds = SinkRecorder::Sounds(recorder.Stop());

    QCOMPARE(CWindowFixture::TakeShown().size(), 0);
    // Each note of the RTTTL form shown, the rest too, marked in turn.
    QCOMPARE(marked, Results().split(QLatin1Char(',')));
    const double expected[] = {1046.50, 1318.51, 1567.98, 2093.00};
    QCOMPARE(sounds.size(), 4);
    for (int i = 0; i < 4; ++i)
        QVERIFY2(qAbs(sounds[i].dFrequency - expected[i]) < expected[i] * 0.02,
                 qPrintable(QString::number(sounds[i].dFrequency)));
}

void CTunePlaybackTest::aFormShownIsFollowedTypingEndsTheMarking() {
    GetClipboard(QStringLiteral("T:d=4,o=5,b=120:a,b,a,b,a,b,a,b"));
    Play()->click();
    QTRY_VERIFY(!Marked().isEmpty());
    // Another form shown by the converter is followed at once.
    Child<QRadioButton>(QStringLiteral("optShowAs_1"))->click();
    QVERIFY(!Marked().isEmpty());
    QVERIFY(Results().split(QLatin1Char(' ')).contains(Marked()));
    ResultsBox()->moveCursor(QTextCursor::End);
    QTest::keyClick(ResultsBox(), Qt::Key_X);
    QCOMPARE(Marked(), QString());
    // Later notes are not marked in the changed text either.
    QTest::qWait(1200);
    QCOMPARE(Play()->text(), QStringLiteral("&Stop"));
    QCOMPARE(Marked(), QString());
}

void CTunePlaybackTest::pressingAgainAndAgainEndsStopped() {
    GetClipboard(QStringLiteral("T:d=16,o=6,b=200:c,d,e"));
    for (int i = 0; i < 21; ++i)
        Play()->click();
    QCOMPARE(Play()->text(), QStringLiteral("&Stop"));
    QTRY_COMPARE_WITH_TIMEOUT(Play()->text(), QStringLiteral("&Play"), 10000);
    QVERIFY(Play()->isEnabled());
    QCOMPARE(CWindowFixture::TakeShown().size(), 0);
}

void CTunePlaybackTest::noOutputIsReported() {
    if (!qEnvironmentVariableIsSet("TEST_NO_SOUND_SERVER"))
        QSKIP("run by CTunePlaybackNoOutputTest, without a sound server");
    GetClipboard(LongTune);
    Play()->click();
    const QList<ShownBox> shown = CWindowFixture::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].Text, CTunePlayer::message(CTunePlayer::Problem::NoOutput));
    QCOMPARE(Play()->text(), QStringLiteral("&Play"));
    QVERIFY(Play()->isEnabled());
}

void CTunePlaybackTest::anOutputThatFailsIsReported() {
    GetClipboard(LongTune);
    Play()->click();
    QTRY_VERIFY(!Marked().isEmpty());
    QFile pidFile(qEnvironmentVariable("TEST_SOUND_SERVER") + QStringLiteral("/pid"));
    QVERIFY(pidFile.open(QIODevice::ReadOnly));
    QVERIFY(::kill(pidFile.readAll().trimmed().toInt(), SIGKILL) == 0);
    QTRY_COMPARE_WITH_TIMEOUT(Play()->text(), QStringLiteral("&Play"), 10000);
    const QList<ShownBox> shown = CWindowFixture::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].Text, CTunePlayer::message(CTunePlayer::Problem::OutputLost));
    QCOMPARE(Marked(), QString());
}

QTEST_MAIN(CTunePlaybackTest)
#include "CTunePlaybackTest.moc"
