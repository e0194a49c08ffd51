#pragma once
// Saving a ringtone. File > Save and Edit > Export/Copy: the ringtone as the
// main window's boxes show it, behind the header of the chosen form, written
// to a file named in the Save-As dialog or put on the clipboard. File > Save
// as Sound: the tune as a sound file.

#include "mainwindow/CSoundExport.h"

#include <QString>
#include <cstdint>

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

    // Asks for the sound file, proposing sName in sFolder, and writes it.
    void SaveSound(const CTune& tune, const QString& sFolder, const QString& sName);

    // Name, header of the form and notes, as both commands write them.
    static QString Text(const Shown& shown);

    // How every save that failed is reported.
    static void ReportSaveFailure(QWidget* pParent, const QString& sPath, const QString& sReason);

private:
    QWidget* m_pParent;
    CSoundExport m_Sound{m_pParent};
    // Made at the first save, owned by the parent from then on.
    frmSaveAs* m_pSaveAsDialog = nullptr;
};
