#include "sound/CTunePlayer.h"

#include "tests/sound/SinkRecorder.h"
#include "tests/tune/TuneText.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <csignal>

// Plays through the private sound server the test fixture starts
// (tests/sound/sound-server.sh) and listens to its null sink.
class CTunePlayerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void notesAreHeardInOrderAtTheirPitches();
    void playingAgainAndAgainPlaysTheLastTuneOnce();
    void stopEndsPlayingSilently();
    // Last: it kills the sound server, then starts it again.
    void aServerThatDiesIsReportedAsLost();
};

namespace {

const QString Monitor = QStringLiteral(TEST_SINK ".monitor");

// At the tempo the text's header gives.
CTune Tune(const char* sText) {
    const CNokia& nokia = TuneText::Converted(sText);
    return CTune(nokia.Notes, nokia.Tempo);
}

// A player with its signals recorded, and a recorder for the sink.
struct Session {
    SinkRecorder recorder;
    CTunePlayer player;
    QSignalSpy heard{&player, &CTunePlayer::noteHeard};
    QSignalSpy finished{&player, &CTunePlayer::finished};
    QSignalSpy failed{&player, &CTunePlayer::failed};
};

} // namespace

void CTunePlayerTest::notesAreHeardInOrderAtTheirPitches() {
    Session session;
    auto& [recorder, player, heard, finished, failed] = session;
    QVERIFY(recorder.Start(Monitor));
    QCOMPARE(player.play(Tune("T:d=8,o=5,b=160:c6,e6,p,g6,4c7")), CTunePlayer::Problem::None);
    QVERIFY(player.isPlaying());
    QVERIFY(finished.wait(10000));
    QVERIFY(!player.isPlaying());
    QTest::qWait(200);
    const QVector<int16_t> samples = recorder.Stop();

    QCOMPARE(failed.count(), 0);
    QList<int> positions;
    for (const QList<QVariant>& arguments : heard)
        positions << arguments.at(0).toInt();
    QCOMPARE(positions, QList<int>({1, 2, 3, 4, 5}));

    const QVector<SinkRecorder::Sound> sounds = SinkRecorder::Sounds(samples);
    const double expected[] = {1046.50, 1318.51, 1567.98, 2093.00};
    QCOMPARE(sounds.size(), 4);
    for (int i = 0; i < 4; ++i) {
        QVERIFY2(qAbs(sounds[i].dFrequency - expected[i]) < expected[i] * 0.02,
                 qPrintable(QString::number(sounds[i].dFrequency)));
        // Each sound lasts its note less the 15 ms gap: an eighth at 160 is
        // 8269 samples, a quarter twice that; the softest edges do not count.
        const qint64 iSounding = (i == 3 ? 16538 : 8269) - 661;
        QVERIFY2(qAbs(sounds[i].iLength - iSounding) < 60,
                 qPrintable(QString::number(sounds[i].iLength)));
    }
    // The rest lies between the second and the third sound.
    QVERIFY(sounds[2].iStart - sounds[1].iStart > 2 * 8269 - 100);
}

void CTunePlayerTest::playingAgainAndAgainPlaysTheLastTuneOnce() {
    Session session;
    auto& [recorder, player, heard, finished, failed] = session;
    const CTune tune = Tune("T:d=16,o=6,b=200:c,d,e");
    for (int i = 0; i < 20; ++i) {
        QCOMPARE(player.play(tune), CTunePlayer::Problem::None);
        if (i % 4 == 0)
            QTest::qWait(5);
    }
    QVERIFY(finished.wait(10000));
    QTest::qWait(300);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(failed.count(), 0);

    // A tune of rests, or of nothing, plays and finishes too.
    QCOMPARE(player.play(Tune("T:d=32,o=5,b=200:p,p")), CTunePlayer::Problem::None);
    QVERIFY(finished.wait(10000));
    QCOMPARE(player.play(Tune("")), CTunePlayer::Problem::None);
    QVERIFY(finished.wait(10000));
    QCOMPARE(failed.count(), 0);
}

void CTunePlayerTest::stopEndsPlayingSilently() {
    Session session;
    auto& [recorder, player, heard, finished, failed] = session;
    QVERIFY(recorder.Start(Monitor));
    QCOMPARE(player.play(Tune("T:d=4,o=5,b=60:a,a,a,a")), CTunePlayer::Problem::None);
    QVERIFY(heard.wait(5000));
    player.stop();
    QVERIFY(!player.isPlaying());
    QTest::qWait(500);
    const QVector<int16_t> samples = recorder.Stop();
    QCOMPARE(finished.count(), 0);
    QCOMPARE(failed.count(), 0);
    // Far less than the first note (one second) was played.
    const QVector<SinkRecorder::Sound> sounds = SinkRecorder::Sounds(samples);
    QVERIFY(sounds.size() <= 1);
    QVERIFY(sounds.isEmpty() || sounds[0].iLength < 44100 / 2);
}

void CTunePlayerTest::aServerThatDiesIsReportedAsLost() {
    Session session;
    auto& [recorder, player, heard, finished, failed] = session;
    QCOMPARE(player.play(Tune("T:d=1,o=5,b=25:a,a,a")), CTunePlayer::Problem::None);
    QTest::qWait(300);
    QFile pidFile(qEnvironmentVariable("TEST_SOUND_SERVER") + QStringLiteral("/pid"));
    QVERIFY(pidFile.open(QIODevice::ReadOnly));
    QVERIFY(::kill(pidFile.readAll().trimmed().toInt(), SIGKILL) == 0);
    QVERIFY(failed.wait(10000));
    QCOMPARE(failed.at(0).at(0).value<CTunePlayer::Problem>(), CTunePlayer::Problem::OutputLost);
    QVERIFY(!player.isPlaying());
    // Back for whatever runs next, this test again included.
    QCOMPARE(
        QProcess::execute(QStringLiteral("bash"),
                          {QStringLiteral(TEST_SOUND_SCRIPT), QStringLiteral("start"),
                           qEnvironmentVariable("TEST_SOUND_SERVER"), QStringLiteral(TEST_SINK)}),
        0);
}

QTEST_GUILESS_MAIN(CTunePlayerTest)
#include "CTunePlayerTest.moc"
