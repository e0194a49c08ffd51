#pragma once
// What a drop on the main window brings: one ringtone file, which is read as
// if it had been chosen in the open dialog, or text, which is read as if it
// had come from the clipboard. Anything else is not taken.

#include <QString>

class QMimeData;

class CRingToneDrop {
public:
    enum Kind { Refused, File, Text };

    struct Content {
        Kind iKind = Refused;
        QString sFolder;   // File: the folder it lies in, without a trailing separator
        QString sFileName; // File: its name with the extension
        QString sText;     // Text: the text as dropped
    };

    // One local file that exists (not a folder) is a file; several files, a
    // folder or a web address are refused, even if the drop also carries
    // their names as text. Text without any address is text.
    static Content Read(const QMimeData* pData);
};
