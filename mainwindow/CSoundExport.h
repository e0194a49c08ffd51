#pragma once
// File > Save as Sound: a tune written as a WAV, FLAC, Ogg Vorbis or MP3
// file named in a save dialog that opens in the ringtone folder.

#include <QString>

class CTune;
class QWidget;

class CSoundExport {
public:
    // The dialog and message boxes appear over pParent.
    explicit CSoundExport(QWidget* pParent);

    // Asks for the file, proposing sName in sFolder, asks before replacing
    // a file, then writes it; every failure is reported in a message box.
    void Save(const CTune& tune, const QString& sFolder, const QString& sName);

private:
    QWidget* m_pParent;
};
