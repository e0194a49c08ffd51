#pragma once
// Where the notes whose parse recorded error lines stand in the display text
// of one form, with those lines: what the results box marks.

#include <QList>
#include <QString>
#include <cstdint>

class CNotes;

class CNoteMarks {
public:
    struct Mark {
        int iStart = 0;  // position in the display text, counted from 0
        int iLength = 0; // the note's rendering; never 0
        QString sLines;  // the note's own error lines, one per line
    };

    // The marks for the text that notes.GetNotes(iType) gives, in note order.
    // A note that renders as nothing has no place to mark and is left out.
    static QList<Mark> Find(const CNotes& notes, int16_t iType);
};
