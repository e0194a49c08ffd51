// Figures of playing through a real sound output; run by sound-figures.sh
// against a private sound server with a null sink.
//   sound_figures latency MONITOR [window]   time from play() to the first sound
//   sound_figures memory [window]            memory while an hour-long tune plays
// With "window", the tune is got into the real main window from the
// clipboard and played by pressing its Play button, as a user does.
//
// latency: parec records the sink's monitor with 1 ms of latency asked for;
// the time is taken when the first sample louder than 1 % of full scale
// reaches this program, so it includes the recording's own delay and is an
// upper bound of what a listener waits.
//
// memory: the resident size (VmRSS) once the sound output has played one
// note (libraries and the server connection in place: the idle program),
// after converting a 64 KiB ringtone of more than an hour (as the window
// holds it before Play), and the highest while playing it for 20 seconds.

#include "bench/RingtoneGenerator.h"
#include "engine/CNokia.h"
#include "mainwindow/frmConverter.h"
#include "sound/CTunePlayer.h"
#include "tests/support/CMessageBoxAnswers.h"
#include "widgets/CProgram.h"
#include "widgets/CProgramFolders.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

void Wait(int iMilliseconds) {
    QEventLoop loop;
    QTimer::singleShot(iMilliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

long ResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

CTune Converted(const std::string& sText, CNokia& nokia) {
    nokia.Clear();
    nokia.OriginalText = sText;
    nokia.Convert();
    return CTune(nokia.Notes, nokia.Tempo);
}

// Plays a ringtone either through a player of its own or through the one
// main window, pressing Play there; the window has got the text beforehand.
class Playing {
public:
    explicit Playing(bool bWindow) {
        if (!bWindow)
            return;
        // A message box would wait for a click: each is answered at once.
        m_pBoxes = std::make_unique<CMessageBoxAnswers>();
        // A remembered folder: no first-run greeting.
        QSettings settings(CProgram::Name(), CProgram::Name());
        settings.setValue(QStringLiteral("Settings/RingToneDirectory"), QDir::tempPath());
        settings.sync();
        m_pWindow =
            std::make_unique<frmConverter>(CProgramFolders{QCoreApplication::applicationDirPath()});
        m_pWindow->show();
        m_pWindow->findChild<QRadioButton*>(QStringLiteral("optSource_0"))->click();
        m_pWindow->findChild<QRadioButton*>(QStringLiteral("optFile_1"))->click();
        m_pPlay = m_pWindow->findChild<QPushButton*>(QStringLiteral("cmdPlay"));
    }

    // Converts the text; in the window, by Get from the clipboard.
    void Get(const std::string& sText) {
        if (!m_pWindow) {
            m_Tune = Converted(sText, m_Nokia);
            return;
        }
        QGuiApplication::clipboard()->setText(QString::fromStdString(sText));
        m_pWindow->findChild<QPushButton*>(QStringLiteral("cmdGet"))->click();
    }
    void Clear() {
        if (m_pWindow)
            m_pWindow->findChild<QAction*>(QStringLiteral("mnuFileNew"))->trigger();
        m_Nokia.Clear();
    }
    bool Play() {
        if (!m_pWindow)
            return m_Player.play(m_Tune) == CTunePlayer::Problem::None;
        m_pPlay->click();
        return IsPlaying();
    }
    bool IsPlaying() const {
        return m_pWindow ? m_pPlay->text() == QStringLiteral("&Stop") : m_Player.isPlaying();
    }
    void Stop() {
        if (IsPlaying())
            m_pWindow ? m_pPlay->click() : m_Player.stop();
    }
    double Seconds() const {
        const CNokia& nokia = m_pWindow ? CProgram::Nokia() : m_Nokia;
        return static_cast<double>(CTune(nokia.Notes, nokia.Tempo).TotalSamples()) /
               CTune::SampleRate;
    }

private:
    CNokia m_Nokia;
    CTune m_Tune{m_Nokia.Notes, CTune::DefaultTempo};
    CTunePlayer m_Player;
    std::unique_ptr<CMessageBoxAnswers> m_pBoxes;
    std::unique_ptr<frmConverter> m_pWindow;
    QPushButton* m_pPlay = nullptr;
};

// Milliseconds from play() until the first loud sample arrives from parec.
double OneLatency(const QString& sMonitor, Playing& playing) {
    QProcess parec;
    parec.start(QStringLiteral("parec"),
                {QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                 QStringLiteral("--rate=44100"), QStringLiteral("--channels=1"),
                 QStringLiteral("--latency-msec=1"), QStringLiteral("--device=") + sMonitor});
    if (!parec.waitForStarted(5000) || !parec.waitForReadyRead(5000))
        return -1;
    Wait(300);
    parec.readAllStandardOutput();

    QElapsedTimer clock;
    double dHeard = -1;
    QByteArray pending;
    QObject::connect(&parec, &QProcess::readyReadStandardOutput, [&] {
        pending += parec.readAllStandardOutput();
        const auto* pSamples = reinterpret_cast<const int16_t*>(pending.constData());
        for (qsizetype i = 0; i < pending.size() / 2 && dHeard < 0; ++i)
            if (std::abs(pSamples[i]) > 327)
                dHeard = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        pending = pending.right(pending.size() % 2);
    });
    playing.Get("Latency:d=4,o=5,b=120:a");
    clock.start();
    if (!playing.Play())
        return -1;
    QElapsedTimer deadline;
    deadline.start();
    while (dHeard < 0 && deadline.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    playing.Stop();
    parec.terminate();
    parec.waitForFinished(5000);
    return dHeard;
}

int Latency(const QString& sMonitor, bool bWindow) {
    Playing playing(bWindow);
    std::vector<double> times;
    for (int i = 0; i < 10; ++i) {
        const double dTime = OneLatency(sMonitor, playing);
        if (dTime < 0) {
            std::fprintf(stderr, "no sound was recorded\n");
            return 1;
        }
        times.push_back(dTime);
    }
    std::sort(times.begin(), times.end());
    std::printf("%s to first sound on the monitor, 10 runs: min %.1f ms, median %.1f ms, "
                "max %.1f ms\n",
                bWindow ? "pressing Play" : "play()", times.front(), (times[4] + times[5]) / 2,
                times.back());
    return 0;
}

int Memory(bool bWindow) {
    Playing playing(bWindow);
    CNokia nokia;
    playing.Get("Idle:d=16,o=5,b=200:a");
    if (!playing.Play())
        return 1;
    while (playing.IsPlaying())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    playing.Clear();
    Wait(500);
    const long iIdle = ResidentKiB();

    // The most notes that fit in the window's 64 KiB, at the tempo that
    // makes them last an hour or more.
    size_t iNotes = 1000;
    while (RingtoneGenerator::Rtttl(iNotes + 500).size() <= 65536)
        iNotes += 500;
    std::string sText = RingtoneGenerator::Rtttl(iNotes);
    const double dSecondsAt125 =
        static_cast<double>(Converted(sText, nokia).TotalSamples()) / CTune::SampleRate;
    const int iTempo = std::max(25, static_cast<int>(125 * dSecondsAt125 / 3600));
    nokia.Clear();
    const auto iHeader = sText.find("b=125");
    sText.replace(iHeader, 5, "b=" + std::to_string(iTempo));
    playing.Get(sText);
    Wait(500);
    const long iConverted = ResidentKiB();
    long iPeak = iConverted;
    if (!playing.Play())
        return 1;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        iPeak = std::max(iPeak, ResidentKiB());
    }
    const bool bPlaying = playing.IsPlaying();
    playing.Stop();
    std::printf("%zu notes, %zu bytes of text, tempo %d: %.0f s of sound; still playing after "
                "20 s: %s\n",
                iNotes, sText.size(), iTempo, playing.Seconds(), bPlaying ? "yes" : "no");
    const auto MB = [](long iKiB) { return static_cast<double>(iKiB) / 1024.0; };
    std::printf("resident: idle %.1f MB; ringtone converted %.1f MB (+%.1f); peak while playing "
                "%.1f MB: +%.1f above the converted ringtone, +%.1f above idle\n",
                MB(iIdle), MB(iConverted), MB(iConverted - iIdle), MB(iPeak),
                MB(iPeak - iConverted), MB(iPeak - iIdle));
    return bPlaying ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool bWindow = std::strcmp(argv[argc - 1], "window") == 0;
    const int iArgs = bWindow ? argc - 1 : argc;
    if (iArgs == 3 && std::strcmp(argv[1], "latency") == 0)
        return Latency(QString::fromLocal8Bit(argv[2]), bWindow);
    if (iArgs == 2 && std::strcmp(argv[1], "memory") == 0)
        return Memory(bWindow);
    std::fprintf(stderr, "usage: sound_figures latency MONITOR [window] | memory [window]\n");
    return 2;
}
