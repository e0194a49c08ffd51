#pragma once
// Reads a ringtone text file into one text, as files/RingToneFile does for
// the command line too. Line ends carry no meaning in a ringtone, so the
// lines are joined with nothing between them. A file that is valid UTF-8 is
// read as UTF-8 (a byte-order mark, UTF-16 included, is honoured), any other
// as Latin-1. Files too large to be a ringtone, and files that are not text
// at all, are refused.

#include "engine/RingToneText.h"

#include <QByteArray>
#include <QString>

class CRingToneFile {
public:
    enum Status {
        Loaded,     // the text is in sText
        CannotOpen, // missing, not an ordinary file, unreadable
        TooLarge,   // more than MaxLength bytes
        NotText     // holds NUL characters: a binary file
    };

    // Which outcome reading had; the joined text when Loaded, empty
    // otherwise.
    struct Result {
        Status Outcome;
        QString Text;
    };

    // A phone ringtone of 50 notes takes a few hundred characters; 64 KiB
    // leaves room for long names, comments and many more notes while
    // keeping the conversion and the display instant. Counted in the bytes
    // the converter reads (UTF-8), for a file and the clipboard alike.
    static constexpr qsizetype MaxLength = RingToneText::MaxLength;

    // Whether a ringtone text, as read, is within MaxLength.
    static bool Fits(const QString& sText);

    // Reads at most enough bytes for MaxLength in any encoding (UTF-32 takes
    // four bytes a character), whatever the file's size.
    static Result Read(const QString& sPath);

    // UTF-8 (or the encoding its byte-order mark names) when valid,
    // Latin-1 otherwise.
    static QString Decode(const QByteArray& bytes);

    // Removes every carriage return and line feed.
    static QString JoinLines(QString sText);
};
