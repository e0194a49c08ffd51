#pragma once
// Ringtone texts for the tests, written out from a repeated piece.

#include <QString>
#include <QStringList>

namespace TestText {

// sNote iCount times, with sSeparator between them.
inline QString Repeat(int iCount, const QString& sNote, const QString& sSeparator) {
    QStringList lstNotes;
    for (int i = 0; i < iCount; ++i)
        lstNotes.append(sNote);
    return lstNotes.join(sSeparator);
}

} // namespace TestText
