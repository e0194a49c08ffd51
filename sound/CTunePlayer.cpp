#include "sound/CTunePlayer.h"

#include "sound/CTuneStream.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>

#include <exception>

namespace {

// How far ahead of the speaker the output may be fed: the sound stays whole
// while a busy machine keeps the program from feeding it for up to this
// long (a short tune is handed over whole). Making the lead takes a moment,
// and Stop throws away what the output still holds, so neither Play nor
// Stop waits for it.
constexpr int BufferMilliseconds = 2000;
// How often the note being heard is looked up.
constexpr int FollowMilliseconds = 20;
// An output that has heard nothing new for this long has stopped working.
constexpr qint64 StallMilliseconds = 2000;
// An output that has had the whole tune and hears nothing new for this long
// has played it to the end.
constexpr qint64 QuietMilliseconds = 250;

QAudioFormat TuneFormat() {
    QAudioFormat format;
    format.setSampleRate(CTune::SampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

} // namespace

CTunePlayer::CTunePlayer(QObject* pParent) : QObject(pParent) {
    m_Follow.setInterval(FollowMilliseconds);
    connect(&m_Follow, &QTimer::timeout, this, &CTunePlayer::Follow);
    connect(&m_Devices, &QMediaDevices::audioOutputsChanged, this, &CTunePlayer::OnOutputsChanged);
}

CTunePlayer::~CTunePlayer() {
    Release(true);
}

CTunePlayer::Problem CTunePlayer::play(const CTune& tune) {
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return Problem::NoOutput;
    const QAudioFormat format = TuneFormat();
    if (!device.isFormatSupported(format))
        return Problem::OutputRefused;
    try {
        // No parent: the sink's own parts would take it too, and outlive it.
        m_pSink = new QAudioSink(device, format);
        m_pStream = new CTuneStream(tune, m_pSink);
    } catch (const std::exception&) {
        delete m_pSink;
        m_pSink = nullptr;
        m_pStream = nullptr;
        return Problem::OutputRefused;
    }
    m_DeviceId = device.id();
    m_pSink->setBufferSize(format.bytesForDuration(BufferMilliseconds * 1000));
    m_pStream->open(QIODevice::ReadOnly);
    connect(m_pSink, &QAudioSink::stateChanged, this, &CTunePlayer::OnStateChanged);
    m_pSink->start(m_pStream);
    if (m_pSink->error() != QAudio::NoError || m_pSink->state() == QAudio::StoppedState) {
        stop();
        return Problem::OutputRefused;
    }
    m_iHeardUSecs = -1;
    m_iHeardPosition = 0;
    m_iToldNotes = 0;
    m_SinceProgress.start();
    // Signals come only from the event loop, never from within play().
    m_Follow.start();
    return Problem::None;
}

void CTunePlayer::stop() {
    Release(false);
}

void CTunePlayer::Release(bool bNow) {
    m_Follow.stop();
    if (!m_pSink)
        return;
    QAudioSink* pSink = m_pSink;
    m_pSink = nullptr;
    m_pStream = nullptr;
    pSink->disconnect(this);
    pSink->stop();
    if (bNow) {
        delete pSink;
        return;
    }
    // The sink may be the one calling us, so it goes (with its stream) once
    // control is back in the event loop.
    pSink->deleteLater();
}

void CTunePlayer::Follow() {
    if (!m_pSink)
        return;
    const QAudio::Error iError = m_pSink->error();
    if (iError != QAudio::NoError && iError != QAudio::UnderrunError) {
        End(Problem::OutputLost);
        return;
    }
    const CTune& tune = m_pStream->Tune();
    const qint64 iUSecs = m_pSink->processedUSecs();
    if (iUSecs != m_iHeardUSecs) {
        m_iHeardUSecs = iUSecs;
        m_SinceProgress.restart();
    }
    // Rounded, as the output counts whole microseconds.
    const qint64 iSample = (iUSecs * CTune::SampleRate + 500000) / 1000000;
    if (iSample >= tune.TotalSamples() && m_pStream->atEnd()) {
        End(Problem::None);
        return;
    }
    if (const CTuneNote* pNote = tune.NoteAt(iSample)) {
        const size_t iNote = static_cast<size_t>(pNote - tune.Notes().data());
        if (iNote >= m_iToldNotes) {
            TellHeardUpTo(iNote);
            return;
        }
    }
    // An output that is fed but hears nothing new has stopped working; one
    // that has had everything and falls quiet has finished.
    if (m_pStream->atEnd() ? m_SinceProgress.elapsed() > QuietMilliseconds
                           : m_SinceProgress.elapsed() > StallMilliseconds)
        End(m_pStream->atEnd() ? Problem::None : Problem::OutputLost);
}

void CTunePlayer::OnStateChanged(QAudio::State iState) {
    if (iState == QAudio::StoppedState)
        End(Problem::OutputLost);
}

void CTunePlayer::OnOutputsChanged() {
    if (!m_pSink)
        return;
    for (const QAudioDevice& device : QMediaDevices::audioOutputs())
        if (device.id() == m_DeviceId)
            return;
    End(Problem::OutputLost);
}

bool CTunePlayer::TellHeardUpTo(size_t iNote) {
    const CTuneStream* pStream = m_pStream;
    const std::vector<CTuneNote>& notes = pStream->Tune().Notes();
    while (m_iToldNotes <= iNote && m_iToldNotes < notes.size()) {
        const int iPosition = notes[m_iToldNotes++].Position;
        if (iPosition == m_iHeardPosition)
            continue;
        m_iHeardPosition = iPosition;
        Q_EMIT noteHeard(iPosition);
        if (m_pStream != pStream)
            return false;
    }
    return true;
}

// Stops first, so that whoever hears the signal may play again at once.
void CTunePlayer::End(Problem iProblem) {
    // A tune heard to its end has had every note told.
    if (iProblem == Problem::None && m_pStream && !m_pStream->Tune().Notes().empty() &&
        !TellHeardUpTo(m_pStream->Tune().Notes().size() - 1))
        return;
    stop();
    if (iProblem == Problem::None)
        Q_EMIT finished();
    else
        Q_EMIT failed(iProblem);
}

QString CTunePlayer::message(Problem iProblem) {
    switch (iProblem) {
    case Problem::NoOutput:
        return QStringLiteral("Ringwright could not find a sound output to play the ringtone on.");
    case Problem::OutputRefused:
        return QStringLiteral("An error occurred trying to play the ringtone. [The sound output "
                              "could not be opened]");
    case Problem::OutputLost:
        return QStringLiteral("An error occurred trying to play the ringtone. [The sound output "
                              "stopped working]");
    case Problem::None:
        break;
    }
    return QString();
}
