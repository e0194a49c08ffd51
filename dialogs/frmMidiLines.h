#pragma once
// The modal chooser of the line of a MIDI file that becomes the ringtone: each
// line with its track, channel, instrument and note count, the default line
// chosen, and Play to hear the chosen one first.

#include "sound/CTunePlayer.h"

#include <QDialog>
#include <QString>
#include <optional>

class CMidiFile;
class QPushButton;
class QShowEvent;
class QTreeWidget;

class frmMidiLines : public QDialog {
    Q_OBJECT

public:
    // The file must outlive the dialog.
    explicit frmMidiLines(const CMidiFile& file, QWidget* pParent = nullptr);

    // Shows the chooser modally; the chosen line counted from 1, as
    // CMidiFile::Rtttl takes it, or none when the user cancelled.
    static std::optional<int> Choose(QWidget* pParent, const CMidiFile& file);

    // The line selected now, counted from 1; none when no line is selected.
    std::optional<int> ChosenLine() const;

    // The General MIDI name of program 0 to 127; "-" for any other number.
    static QString InstrumentName(int iProgram);

    void done(int iResult) override;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    void Fill();
    void SelectionChanged();
    void TogglePlay();
    void ShowStopped();
    void OnFailed(CTunePlayer::Problem iProblem);

    const CMidiFile& m_File;
    CTunePlayer m_Player;

    QTreeWidget* lstLines = nullptr;
    QPushButton* cmdPlay = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
