#include "sound/CTunePlayer.h"

#include "tests/tune/TuneText.h"

#include <QSignalSpy>
#include <QTest>

// Run where no sound server can be reached.
class CTunePlayerNoOutputTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void playSaysThereIsNoOutput() {
        CTunePlayer player;
        QSignalSpy finished(&player, &CTunePlayer::finished);
        const CTune tune(TuneText::Converted("T:d=4,o=5,b=120:c").Notes, 120);
        QCOMPARE(player.play(tune), CTunePlayer::Problem::NoOutput);
        QVERIFY(!player.isPlaying());
        QTest::qWait(100);
        QCOMPARE(finished.count(), 0);
        QCOMPARE(
            CTunePlayer::message(CTunePlayer::Problem::NoOutput),
            QStringLiteral("Ringwright could not find a sound output to play the ringtone on."));
    }
};

QTEST_GUILESS_MAIN(CTunePlayerNoOutputTest)
#include "CTunePlayerNoOutputTest.moc"
