#include "mainwindow/CNoteMarks.h"

#include "engine/CNotes.h"
#include "mainwindow/CNotePlaces.h"
#include "widgets/CProgram.h"

#include <QStringList>

#include <string>

QList<CNoteMarks::Mark> CNoteMarks::Find(const CNotes& notes, int16_t iType) {
    QList<Mark> marks;
    // One place per note, or none at all for a number that names no form.
    const QList<CNotePlaces::Place> places = CNotePlaces::Of(notes, iType);
    qsizetype iNote = 0;
    for (const auto& note : notes) {
        if (iNote >= places.size())
            break;
        const CNotePlaces::Place place = places[iNote++];
        if (place.iLength == 0 || note->ParseErrors().empty())
            continue;
        QStringList lstLines;
        for (const std::string& sLine : note->ParseErrors())
            lstLines.append(CProgram::FromEngine(sLine));
        marks.append(Mark{place.iStart, place.iLength, lstLines.join(QLatin1Char('\n'))});
    }
    return marks;
}
