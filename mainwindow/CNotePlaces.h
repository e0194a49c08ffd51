#pragma once
// Where each note stands in the display text of one form, in the characters
// the results box counts.

#include <QList>
#include <cstdint>

class CNotes;

class CNotePlaces {
public:
    struct Place {
        int iStart = 0;  // counted from 0
        int iLength = 0; // the note's rendering; 0 for a note shown as nothing
    };

    // One place per note, in note order, for the text notes.GetNotes(iType)
    // gives; none for a number that names no form.
    static QList<Place> Of(const CNotes& notes, int16_t iType);
};
