#include "sound/AudioModule.h"
#include "sound/CTunePlayer.h"

#include "tests/tune/TuneText.h"

#include <QSignalSpy>
#include <QTemporaryDir>
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

    // A broken installation refuses to play instead of failing at start-up
    // or crashing; the module the build made is found.
    void theAudioModuleIsLoadedOnlyFromALibrary() {
        QTemporaryDir dir;
        const QString sNotALibrary = dir.filePath(QStringLiteral("libringwright-audio.so"));
        QFile file(sNotALibrary);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a library") > 0);
        file.close();
        QString sError;
        QVERIFY(!AudioModule::Load({dir.filePath(QStringLiteral("missing.so"))}, sError));
        QCOMPARE(sError, QStringLiteral("the audio module was not found"));
        QVERIFY(!AudioModule::Load({sNotALibrary}, sError));
        QVERIFY2(sError.contains(sNotALibrary), qPrintable(sError));
        QVERIFY(AudioModule::Load({sNotALibrary, AudioModule::Places().last()}, sError));
    }
};

QTEST_GUILESS_MAIN(CTunePlayerNoOutputTest)
#include "CTunePlayerNoOutputTest.moc"
