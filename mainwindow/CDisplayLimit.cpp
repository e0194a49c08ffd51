#include "mainwindow/CDisplayLimit.h"

#include "app/CProgram.h"
#include "engine/CNotes.h"

std::optional<QString> CDisplayLimit::NotesText(const CNotes& notes, int16_t iForm) {
    const std::optional<std::string> sNotes = notes.GetNotesWithin(iForm, MaxLength);
    if (!sNotes)
        return std::nullopt;
    return CProgram::FromEngine(*sNotes);
}

QString CDisplayLimit::TooLongMessage() {
    return QStringLiteral("The notes are too long to display in this form (more than 1 MB of "
                          "text).  Please choose another display form.");
}
