#include "mainwindow/CTunePlayback.h"

#include "engine/CNokia.h"
#include "widgets/CAccessibleName.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>
#include <algorithm>

namespace {
const QString PlayCaption = QStringLiteral("&Play");
const QString StopCaption = QStringLiteral("&Stop");

// The access keys of both captions.
bool IsPlayKey(const QKeyEvent& key) {
    return (key.key() == Qt::Key_P || key.key() == Qt::Key_S) &&
           (key.modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier;
}
} // namespace

CTunePlayback::CTunePlayback(const Controls& controls, const CNokia& nokia, CResultsBox& results,
                             QWidget* pParent)
    : QObject(pParent), m_Controls(controls), m_Nokia(nokia), m_Results(results),
      m_pParent(pParent) {
    QPushButton* pPlay = m_Controls.pPlay;
    // As wide as its wider caption, so the row does not move when it turns.
    pPlay->setText(StopCaption);
    const int iStopWidth = pPlay->sizeHint().width();
    pPlay->setText(PlayCaption);
    pPlay->setMinimumWidth(std::max(iStopWidth, pPlay->sizeHint().width()));

    connect(pPlay, &QPushButton::clicked, this, &CTunePlayback::Toggle);
    m_pStopKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_P), pParent);
    m_pStopKey->setObjectName(QStringLiteral("StopKey"));
    connect(m_pStopKey, &QShortcut::activated, this, &CTunePlayback::Stop);
    // A key that no shortcut takes (Play disabled, or Alt+S while stopped)
    // would otherwise be typed into the box as its letter.
    for (QWidget* pBox :
         {static_cast<QWidget*>(m_Controls.pName), static_cast<QWidget*>(m_Controls.pTempo),
          static_cast<QWidget*>(m_Controls.pResults)})
        pBox->installEventFilter(this);
    connect(&m_Player, &CTunePlayer::noteHeard, this, &CTunePlayback::OnNoteHeard);
    connect(&m_Player, &CTunePlayer::finished, this, &CTunePlayback::ShowStopped);
    connect(&m_Player, &CTunePlayer::failed, this, &CTunePlayback::OnFailed);
    connect(m_Controls.pResults, &QTextEdit::textChanged, this, &CTunePlayback::OnTextChanged);
    ShowStopped();
}

CTune CTunePlayback::TuneOf(const CNokia& nokia, const QString& sTempo, QLabel* pMessage) {
    CTune tune(nokia.Notes, CProgram::ToEngine(sTempo));
    if (tune.TempoReplaced())
        pMessage->setText(QStringLiteral("The tempo is not a whole number from %1 to %2, so the "
                                         "ringtone plays at %3 beats per minute.")
                              .arg(CTune::LowestTempo)
                              .arg(CTune::HighestTempo)
                              .arg(CTune::DefaultTempo));
    return tune;
}

void CTunePlayback::Toggle() {
    if (m_Player.isPlaying()) {
        Stop();
        return;
    }
    if (m_Nokia.Notes.Count() == 0) {
        ShowStopped();
        return;
    }
    const CTunePlayer::Problem iProblem =
        m_Player.play(TuneOf(m_Nokia, m_Controls.pTempo->text(), m_Controls.pMessage));
    if (iProblem != CTunePlayer::Problem::None) {
        OnFailed(iProblem);
        return;
    }
    FollowBox();
    m_pStopKey->setEnabled(true);
    m_Controls.pPlay->setText(StopCaption);
    m_Controls.pPlay->setToolTip(QStringLiteral("Stop playing the ringtone"));
    CAccessibleName::Set(m_Controls.pPlay, StopCaption);
}

void CTunePlayback::Stop() {
    m_Player.stop();
    ShowStopped();
}

void CTunePlayback::ShowStopped() {
    m_bMarking = false;
    m_iHeard = 0;
    m_Results.ClearHeard();
    // Alt+P is the button's own again.
    m_pStopKey->setEnabled(false);
    QPushButton* pPlay = m_Controls.pPlay;
    pPlay->setText(PlayCaption);
    pPlay->setToolTip(QStringLiteral("Play the ringtone at the tempo shown"));
    CAccessibleName::Set(pPlay, PlayCaption);
    pPlay->setEnabled(m_Nokia.Notes.Count() > 0);
}

bool CTunePlayback::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pEvent->type() == QEvent::KeyPress && IsPlayKey(*static_cast<QKeyEvent*>(pEvent)))
        return true;
    return QObject::eventFilter(pWatched, pEvent);
}

bool CTunePlayback::ShowsConverted() const {
    return m_Controls.pResults->toPlainText() == CProgram::FromEngine(m_Nokia.ShowScreen());
}

void CTunePlayback::FollowBox() {
    m_bMarking = ShowsConverted();
    if (!m_bMarking)
        m_Results.ClearHeard();
}

void CTunePlayback::OnNoteHeard(int iPosition) {
    m_iHeard = iPosition;
    if (!m_bMarking)
        return;
    // The places the box was filled with, which hold while it shows just
    // that text.
    const QList<CResultsBox::Place>& places = m_Results.Places();
    if (iPosition < 1 || iPosition > places.size()) {
        m_Results.ClearHeard();
        return;
    }
    m_Results.MarkHeard(places[iPosition - 1]);
}

void CTunePlayback::OnTextChanged() {
    // The converter showing another form goes on being followed; anything
    // the user types ends the marking for this tune.
    if (!m_bMarking)
        return;
    FollowBox();
    if (m_bMarking)
        OnNoteHeard(m_iHeard);
}

void CTunePlayback::OnFailed(CTunePlayer::Problem iProblem) {
    ShowStopped();
    CMessageBox::Show(m_pParent, CTunePlayer::message(iProblem), QString(),
                      CMessageBox::Exclamation);
}
