#pragma once
// Saving a ringtone. File > Save and Edit > Export/Copy: the ringtone as the
// main window's boxes show it, behind the header of the chosen form, written
// to a file named in the Save-As dialog or put on the clipboard. File > Save
// as Sound: the tune as a sound or MIDI file, written away from the window's
// thread with a progress dialog and Cancel.

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>

class CTune;
class frmSaveAs;
class QWidget;

class CRingToneExport {
public:
    // The boxes as they stand, typing included.
    struct Shown {
        QString Name;
        QString Tempo;
        int16_t Form; // a ShowForm
        QString Notes;
    };

    // Message boxes and the Save-As dialog appear over pParent.
    explicit CRingToneExport(QWidget* pParent);

    // Asks for a name and tempo, writes them into the converter, asks for
    // the file name and whether to overwrite, then writes the file. Every
    // failure is reported in a message box.
    void Save(const Shown& shown);

    // Confirms, then puts the text on the clipboard once the box is closed.
    void Copy(const Shown& shown);

    // Asks for the sound file, proposing sName in sFolder, and writes it on
    // a thread of its own. Returns once the file is written, has failed or
    // was cancelled; the window answers meanwhile. fnBusy is told true
    // before the writing starts and false once it has ended, so that the
    // window can hold back what would clash with it.
    void SaveSound(const CTune& tune, const QString& sFolder, const QString& sName,
                   const std::function<void(bool)>& fnBusy);
    // Whether a sound is being written at this moment.
    bool SavingSound() const { return m_bSavingSound; }
    // Cancels the sound being written, if any: the old file stays.
    void CancelSound() { m_bCancel = true; }

    // Name, header of the form and notes, as both commands write them.
    static QString Text(const Shown& shown);

    // Writes sFileName in sFolder as sText + CR LF, whole or not at all (an
    // existing file stays as it was when the writing fails). False, with a
    // short description for the user in sFailure, on failure.
    static bool WriteText(const QString& sFolder, const QString& sFileName, const QString& sText,
                          QString& sFailure);

    // How every save that failed is reported.
    static void ReportSaveFailure(QWidget* pParent, const QString& sPath, const QString& sReason);

private:
    // Runs fnWrite on a thread of its own while the window's events go on;
    // a progress dialog appears once it takes longer than a moment. Returns
    // what fnWrite returned. The dialog names sFileName.
    std::string WriteAway(const QString& sFileName, const std::function<std::string()>& fnWrite);

    QWidget* m_pParent;
    // Made at the first save, owned by the parent from then on.
    frmSaveAs* m_pSaveAsDialog = nullptr;
    bool m_bSavingSound = false;
    // Read by the writing thread.
    std::atomic<bool> m_bCancel{false};
    std::atomic<int64_t> m_iWritten{0};
    std::atomic<int64_t> m_iTotal{0};
};
