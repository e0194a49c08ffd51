#include "mainwindow/CDisplayLimit.h"

#include "engine/CNotes.h"
#include "widgets/CProgram.h"

std::optional<QString> CDisplayLimit::NotesText(const CNotes& notes, int16_t iForm) {
    const std::optional<std::string> sNotes = notes.GetNotesWithin(iForm, MaxLength);
    if (!sNotes)
        return std::nullopt;
    return CProgram::FromEngine(*sNotes);
}

QString CDisplayLimit::TooLongMessage() {
    // As long as the 50-note message, so that the line shows it whole.
    return QStringLiteral("The notes are too long to show in this form.  Please choose another "
                          "display form.");
}
