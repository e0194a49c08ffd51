#pragma once
// The Play button: plays the converter's notes at the tempo box's tempo,
// turns into Stop while they play, marks the note being heard in the results
// box and says why playing could not start or had to stop. Alt+P and Alt+S,
// its two access keys, both stop while it plays and never type into a box.

#include "mainwindow/CResultsBox.h"
#include "sound/CTunePlayer.h"

#include <QObject>

class CNokia;
class CTune;
class QLabel;
class QLineEdit;
class QPushButton;
class QShortcut;
class QTextEdit;
class QWidget;

class CTunePlayback : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QPushButton* pPlay;
        QLineEdit* pName;
        QLineEdit* pTempo;
        QTextEdit* pResults;
        QLabel* pMessage;
    };

    // Message boxes appear over pParent, which owns this.
    CTunePlayback(const Controls& controls, const CNokia& nokia, CResultsBox& results,
                  QWidget* pParent);

    // The notes at the tempo as typed, read by the whole-number rule; when
    // the tempo cannot be played the message line says which one is used.
    static CTune TuneOf(const CNokia& nokia, const QString& sTempo, QLabel* pMessage);

    // Play when stopped, Stop while playing.
    void Toggle();
    // Ends playing at once without a word, and enables Play while the
    // converter holds a note.
    void Stop();
    bool IsPlaying() const { return m_Player.isPlaying(); }

protected:
    // Keeps the access keys out of the text boxes.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void ShowStopped();
    void OnNoteHeard(int iPosition);
    void OnTextChanged();
    void OnFailed(CTunePlayer::Problem iProblem);
    // True when the box shows just what the converter rendered.
    bool ShowsConverted() const;
    // Marking follows the box from now on when it shows the converter's text.
    void FollowBox();

    Controls m_Controls;
    const CNokia& m_Nokia;
    CResultsBox& m_Results;
    QWidget* m_pParent;
    CTunePlayer m_Player;
    // Alt+P while the button reads Stop, whose own access key is Alt+S.
    QShortcut* m_pStopKey = nullptr;
    // Ends with the first change to the box that is not the converter's.
    bool m_bMarking = false;
    // The note last heard, counted from 1; 0 before the first.
    int m_iHeard = 0;
};
