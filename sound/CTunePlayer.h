#pragma once
// Plays a tune on the desktop's default sound output in the background and
// tells which note is being heard, when it ends and when the output fails.

#include "tune/CTune.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>

class CAudioOutput;
class CTuneStream;

class CTunePlayer : public QObject {
    Q_OBJECT
public:
    enum class Problem {
        None,
        NoOutput,      // there is no sound output at all
        OutputRefused, // the output would not open
        OutputLost,    // the output failed or went away while playing
    };
    Q_ENUM(Problem)

    // Cheap: the sound output (and the module it lives in) is made on the
    // first play().
    explicit CTunePlayer(QObject* pParent = nullptr);
    ~CTunePlayer() override;

    // Stops whatever is playing and starts the tune; returns at once, with
    // None when it plays. Signals come later, from the event
    // loop; a tune of no notes finishes on the first turn.
    Problem play(const CTune& tune);
    // Stops at once; emits nothing.
    void stop();
    bool isPlaying() const { return m_pStream != nullptr; }

    // The message a window shows for a problem.
    static QString message(Problem iProblem);

Q_SIGNALS:
    // The converted note now being heard, counted from 1 as in CNotes.
    void noteHeard(int iPosition);
    // The whole tune has been heard.
    void finished();
    // Playing stopped because the output failed.
    void failed(CTunePlayer::Problem iProblem);

private:
    void Follow();
    // Tells every note not told yet up to index iNote of the tune, in order,
    // so that a look that comes late on a busy machine skips none. False
    // when a listener stopped the tune or played another.
    bool TellHeardUpTo(size_t iNote);
    void End(Problem iProblem);
    void Release(bool bNow);

    // Null until the first play(), and while the module cannot be loaded:
    // playing is then refused.
    std::unique_ptr<CAudioOutput> m_pOutput;
    CTuneStream* m_pStream = nullptr; // owned by the output while it plays
    QTimer m_Follow;
    QElapsedTimer m_SinceProgress;
    qint64 m_iHeardUSecs = -1;
    int m_iHeardPosition = 0;
    size_t m_iToldNotes = 0; // notes of the tune told so far
};
