#include "mainwindow/CNotePlaces.h"

#include "engine/CNotes.h"
#include "widgets/CProgram.h"

#include <string>

QList<CNotePlaces::Place> CNotePlaces::Of(const CNotes& notes, int16_t iType) {
    QList<Place> places;
    const char* sSeparator = CNotes::Separator(iType);
    if (!sSeparator)
        return places;
    // The box counts UTF-16 characters, not the engine's bytes.
    const int iSeparator = static_cast<int>(CProgram::FromEngine(sSeparator).size());
    int iPosition = 0;
    for (const auto& note : notes) {
        std::string sRendering;
        CNotes::AppendRendering(sRendering, *note, iType);
        const int iLength = static_cast<int>(CProgram::FromEngine(sRendering).size());
        places.append(Place{iPosition, iLength});
        iPosition += iLength + iSeparator;
    }
    return places;
}
