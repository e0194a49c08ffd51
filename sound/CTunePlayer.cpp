#include "sound/CTunePlayer.h"

#include "sound/AudioModule.h"
#include "sound/CTuneStream.h"

#include <QDebug>

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

} // namespace

CTunePlayer::CTunePlayer(QObject* pParent) : QObject(pParent) {
    m_Follow.setInterval(FollowMilliseconds);
    connect(&m_Follow, &QTimer::timeout, this, &CTunePlayer::Follow);
}

CTunePlayer::~CTunePlayer() {
    Release(true);
}

CTunePlayer::Problem CTunePlayer::play(const CTune& tune) {
    stop();
    if (!m_pOutput) {
        QString sError;
        m_pOutput = AudioModule::Make(
            [this] {
                if (m_pStream)
                    End(Problem::OutputLost);
            },
            sError);
        if (!m_pOutput) {
            qWarning().noquote() << "No sound:" << sError;
            return Problem::OutputRefused;
        }
    }
    auto* pStream = new CTuneStream(tune);
    pStream->open(QIODevice::ReadOnly);
    switch (m_pOutput->Open(pStream, CTune::SampleRate, BufferMilliseconds)) {
    case CAudioOutput::Opening::NoOutput:
        return Problem::NoOutput;
    case CAudioOutput::Opening::Refused:
        return Problem::OutputRefused;
    case CAudioOutput::Opening::Opened:
        break;
    }
    m_pStream = pStream;
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
    if (!m_pStream)
        return;
    m_pStream = nullptr;
    // The output may be the one calling us, so with bNow false its stream
    // goes once control is back in the event loop.
    m_pOutput->Close(bNow);
}

void CTunePlayer::Follow() {
    if (!m_pStream)
        return;
    if (m_pOutput->Broken()) {
        End(Problem::OutputLost);
        return;
    }
    const CTune& tune = m_pStream->Tune();
    const qint64 iUSecs = m_pOutput->ProcessedUSecs();
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
