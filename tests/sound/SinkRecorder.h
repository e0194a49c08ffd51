#pragma once
// Records what the private sound server's null sink plays, through parec,
// and finds the notes in it.

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QVector>

#include <cstdlib>
#include <cstring>

class SinkRecorder {
public:
    struct Sound {
        qint64 iStart;     // first sample, in the recording
        qint64 iLength;    // in samples
        double dFrequency; // from its zero crossings
    };

    // Starts recording and returns once the first samples have come in.
    bool Start(const QString& sMonitor) {
        // Looked for in the system's folders: the window fixture's search
        // path holds only the test's stand-ins.
        const QString sParec = QStandardPaths::findExecutable(
            QStringLiteral("parec"),
            {QStringLiteral("/usr/local/bin"), QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
        m_Process.start(sParec, {QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                                 QStringLiteral("--rate=44100"), QStringLiteral("--channels=1"),
                                 QStringLiteral("--latency-msec=10"),
                                 QStringLiteral("--device=") + sMonitor});
        if (!m_Process.waitForStarted(5000))
            return false;
        return QTest::qWaitFor([&] { return m_Process.bytesAvailable() > 0; }, 5000);
    }

    QVector<int16_t> Stop() {
        m_Process.terminate();
        m_Process.waitForFinished(5000);
        const QByteArray bytes = m_Process.readAllStandardOutput();
        QVector<int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.constData(), static_cast<size_t>(samples.size()) * 2);
        return samples;
    }

    // Runs of sound parted by at least 2 ms of near silence.
    static QVector<Sound> Sounds(const QVector<int16_t>& samples) {
        constexpr int Quiet = 100;
        constexpr qint64 Parting = 88;
        QVector<Sound> sounds;
        qint64 iStart = -1, iLastLoud = -1;
        const auto Close = [&] {
            const qint64 iLength = iLastLoud + 1 - iStart;
            int iCrossings = 0;
            for (qint64 i = iStart + 1; i <= iLastLoud; ++i)
                iCrossings += (samples[i - 1] < 0) != (samples[i] < 0);
            sounds.push_back({iStart, iLength, iCrossings / 2.0 * 44100.0 / iLength});
        };
        for (qint64 i = 0; i < samples.size(); ++i) {
            if (std::abs(samples[i]) <= Quiet)
                continue;
            if (iStart >= 0 && i - iLastLoud > Parting) {
                Close();
                iStart = -1;
            }
            if (iStart < 0)
                iStart = i;
            iLastLoud = i;
        }
        if (iStart >= 0)
            Close();
        return sounds;
    }

private:
    QProcess m_Process;
};
