#pragma once
// Getting a ringtone: from a file the user picks in the open dialog, the
// clipboard, or a file or text dropped on the window. Each source explains
// in a message box why it gives nothing. A file is read as files/RingToneFile
// reads it for the command line too: valid UTF-8 as UTF-8 (a byte-order mark,
// UTF-16 included, is honoured), any other as Latin-1, its lines joined with
// nothing between them.

#include "engine/RingToneText.h"
#include "files/RingToneFile.h"
#include "widgets/CProgramFolders.h"

#include <QString>
#include <optional>

class CNokia;
class QMimeData;
class QWidget;

class CRingToneSource {
public:
    struct Taken {
        QString Text;
        QString Origin; // the file name, "Clipboard" or "Dropped text"
        bool FromClipboard = false;
    };

    // What a drop on the window brings: one ringtone file, read as if it
    // had been chosen in the open dialog, or text, read as if it had come
    // from the clipboard. Anything else is not taken.
    enum DropKind { Refused, File, Text };
    struct Dropped {
        DropKind iKind = Refused;
        QString sFolder;   // File: the folder it lies in, without a trailing separator
        QString sFileName; // File: its name with the extension
        QString sText;     // Text: the text as dropped
    };

    // What reading a ringtone file gave, as the file core tells it.
    struct FileText {
        RingToneFile::Outcome Outcome;
        QString Text; // the joined text when Read, empty otherwise
    };

    // A phone ringtone of 50 notes takes a few hundred characters; 64 KiB
    // leaves room for long names, comments and many more notes while
    // keeping the conversion and the display instant. Counted in the bytes
    // the converter reads (UTF-8), for a file and the clipboard alike.
    static constexpr qsizetype MaxLength = RingToneText::MaxLength;

    // Message boxes and the open dialog appear over pParent; the open dialog
    // falls back on the program's folders.
    CRingToneSource(QWidget* pParent, CProgramFolders folders);

    // The open dialog in the converter's notation and folder, then the text
    // of the chosen file. Nothing when the user gives up or the file is
    // refused as too large or as no text file; a file that cannot be opened
    // gives an empty text after its message.
    std::optional<Taken> FromFile(const CNokia& nokia) const;

    // The text of the file the converter's FilePath and FileName name, as
    // FromFile reads the file chosen in the dialog.
    std::optional<Taken> FromNamedFile(const CNokia& nokia) const;

    // The clipboard's text, which leaves the clipboard. Nothing, and the
    // clipboard as it was, when it holds only spaces or too much text.
    std::optional<Taken> FromClipboard() const;
    // Puts a text taken from the clipboard back onto it, for a text that gave
    // nothing to convert; any other text is left where it is.
    static void GiveBack(const Taken& taken);

    // A dropped file becomes the converter's file, its folder the ringtone
    // folder; dropped text is checked as the clipboard's text is, with the
    // same messages, and the clipboard is not touched.
    std::optional<Taken> FromDrop(const Dropped& dropped, CNokia& nokia) const;

    // The melody of a MIDI file as an RTTTL text, from the line the user
    // chooses when the file has several; its origin is the file's name.
    // Nothing, after a message, when the file is refused; nothing when the
    // user gives up the choice.
    std::optional<Taken> FromMidiFile(const QString& sPath) const;
    // Whether a file is read as MIDI: by its extension, in any letter case.
    static bool IsMidiFile(const QString& sFileName);

    // One local file that exists (not a folder) is a file; several files, a
    // folder or a web address are refused, even if the drop also carries
    // their names as text. Text without any address is text.
    static Dropped ReadDrop(const QMimeData* pData);

    // Reads at most enough bytes for MaxLength in any encoding, whatever
    // the file's size.
    static FileText ReadFile(const QString& sPath);
    // Whether a ringtone text, as read, is within MaxLength.
    static bool Fits(const QString& sText);

private:
    // False, after its message, for a text of only spaces or too long.
    bool Acceptable(const QString& sText) const;

    QWidget* m_pParent;
    CProgramFolders m_Folders;
};
