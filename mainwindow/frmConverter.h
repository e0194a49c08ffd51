#pragma once
// The main window: wires the three numbered steps, the results area and the
// File, Edit and Help menus to the work done elsewhere (settings, reading,
// presenting, saving), and keeps the window state between those steps.

#include "mainwindow/CConverterLayout.h"
#include "mainwindow/CResultsBox.h"
#include "mainwindow/CRingToneExport.h"
#include "mainwindow/CRingToneSource.h"
#include "mainwindow/CTunePlayback.h"
#include "widgets/CProgramFolders.h"

#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QRadioButton;

// The window takes its widgets, under their own names, from the layout class
// it derives from; everything here only wires them up.
class frmConverter : public QMainWindow, private CConverterLayout {
    Q_OBJECT
public:
    // folders: where the program lies, for the user guide, a first run's
    // ringtone folder and the open dialog's fallback.
    explicit frmConverter(const CProgramFolders& folders, QWidget* pParent = nullptr);
    ~frmConverter() override;

    // Empties the results area; leaves the converter, the options and the
    // menus alone.
    void Clear();

    // Opens the quick help window on text iHelpNum and returns at once,
    // while the window is still growing.
    void LoadHelp(qint16 iHelpNum);

    // Chooses notation iSourceType in step 1, then gets the file at sPath as
    // if it had been chosen in the open dialog (a file named at start-up);
    // a MIDI file is imported.
    void GetFile(const QString& sPath, int32_t iSourceType);

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    // A ringtone file or text dropped anywhere on the window is got, a MIDI
    // file imported.
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dragMoveEvent(QDragMoveEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;

private:
    void ConnectControls();
    template <size_t N>
    void ConnectGroup(const std::array<QRadioButton*, N>& group,
                      void (frmConverter::*pfnChosen)(int));
    void StartUp();

    void SourceOptionChosen(int iIndex);
    void FileOptionChosen(int iIndex);
    void ShowAsOptionChosen(int iIndex);
    void FileNew();
    void ShowAbout(QWidget* pParent);
    // Enabled while the results box holds any text at all.
    void EnableWhileResults(QAction* pItem);
    // File > Save as Sound: the converted notes at the tempo shown.
    void SaveSound();

    // File > Import MIDI...: a MIDI file picked in the ringtone folder.
    void ImportMidi();
    // The melody of the MIDI file at sPath, got as an RTTTL ringtone from a
    // file named after it; nothing changes when it is refused or given up.
    void GetMidi(const QString& sPath);

    // Get: the ringtone from a file or the clipboard, converted and shown.
    void Get();
    // The rest of Get, or of a drop, once the source gave its text.
    void GetFrom(const std::optional<CRingToneSource::Taken>& taken);
    void ConvertAndShow(const QString& sOrigin);
    // The "Conversion Errors" warning, when the error list holds anything.
    void ReportErrors();

    // Fit to Phone: the ringtone shown gives way to its fitted form, until
    // Undo Fit gives back the one that was got.
    void Fit();
    void UndoFit();
    // Converts sText in place of the ringtone shown, from the same origin.
    void Reconvert(const std::string& sText);
    // Fit while the ringtone as got has something to fit; Undo Fit while a
    // fitted one is shown.
    void EnableFit();
    // The quick help of the step that holds the keyboard focus.
    void HelpForFocus();

    // What File > Save and Edit > Export/Copy take from the window.
    CRingToneExport::Shown ShownRingTone() const;

    const CProgramFolders m_Folders;
    // True only while the start-up steps run.
    bool bLoading = false;
    // Closing waits for the sound being saved to be cancelled.
    bool m_bCloseAfterSave = false;
    // Where the ringtone shown came from, for the results caption.
    QString m_sOrigin;
    // The text as got, kept while its fitted form is shown.
    std::optional<std::string> m_sGotText;

    CRingToneSource m_Source{this, m_Folders};
    CRingToneExport m_Export{this};
    // Made once the widgets are.
    std::unique_ptr<CResultsBox> m_pResults;
    CTunePlayback* m_pPlayback = nullptr;
};
