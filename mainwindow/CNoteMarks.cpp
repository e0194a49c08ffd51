#include "mainwindow/CNoteMarks.h"

#include "app/CProgram.h"
#include "engine/CNotes.h"

#include <QStringList>

#include <string>

QList<CNoteMarks::Mark> CNoteMarks::Find(const CNotes& notes, int16_t iType) {
    QList<Mark> marks;
    const char* sSeparator = CNotes::Separator(iType);
    if (!sSeparator)
        return marks;
    // Counted in the characters of the text as shown, which need not be the
    // engine's bytes.
    const int iSeparator = static_cast<int>(CProgram::FromEngine(sSeparator).size());
    int iPosition = 0;
    for (const auto& note : notes) {
        std::string sRendering;
        CNotes::AppendRendering(sRendering, *note, iType);
        const int iLength = static_cast<int>(CProgram::FromEngine(sRendering).size());
        if (iLength > 0 && !note->ParseErrors().empty()) {
            QStringList lstLines;
            for (const std::string& sLine : note->ParseErrors())
                lstLines.append(CProgram::FromEngine(sLine));
            marks.append(Mark{iPosition, iLength, lstLines.join(QLatin1Char('\n'))});
        }
        iPosition += iLength + iSeparator;
    }
    return marks;
}
