#include "mainwindow/CConversionResults.h"

#include "engine/CNokia.h"
#include "engine/RingToneText.h"
#include "engine/modNOK.h"
#include "mainwindow/CDisplayLimit.h"
#include "widgets/CProgram.h"

#include <exception>
#include <optional>

namespace {

// The failure joins the error list, so that the warning that follows says
// what went wrong; the message line shows the failure's own line, the last.
QString FailureMessage(const char* sDescription) {
    modNOK::AddError("frmConverter.ConvertAndShow", sDescription);
    return CProgram::FromEngine(modNOK::GetErrors()).section(QLatin1Char('\r'), -1);
}

QString TooManyNotes() {
    return QString::fromLatin1(RingToneText::TooManyNotes);
}

} // namespace

QString CConversionResults::ResultsCaption(const QString& sOrigin) {
    const QString sCaption = QStringLiteral("Conversion Results");
    return sOrigin.isEmpty() ? sCaption
                             : sCaption + QStringLiteral(" - [") + sOrigin + QLatin1Char(']');
}

CConversionResults CConversionResults::Of(const CNokia& nokia, const QString& sOrigin) {
    CConversionResults results;
    results.Caption = ResultsCaption(sOrigin);
    try {
        try {
            // A blank name leaves the box empty; any other is shown with
            // its blanks.
            if (!modNOK::TrimBlanks(nokia.RingToneName).empty())
                results.Name = CProgram::FromEngine(nokia.RingToneName);
            results.Tempo = QString::number(nokia.Tempo);
            const int16_t iNoteCount = nokia.NoteCount();
            results.NoteCount = QString::number(iNoteCount);
            const Display display =
                InForm(nokia, iNoteCount > RingToneText::PhoneNotes ? TooManyNotes() : QString());
            results.Notes = display.Notes;
            results.Message = display.Message;
            results.Remaining =
                iNoteCount <= RingToneText::PhoneNotes
                    ? QString::number(RingToneText::PhoneNotes - nokia.Notes.Count())
                    : QStringLiteral("-");
        } catch (const std::exception& e) {
            results.Message = FailureMessage(e.what());
        } catch (...) {
            results.Message = FailureMessage("Unknown failure");
        }
    } catch (...) {
        // Not even the failure could be recorded (out of memory).
    }
    return results;
}

CConversionResults::Display CConversionResults::InForm(const CNokia& nokia,
                                                       const QString& sMessage) {
    const std::optional<QString> sNotes = CDisplayLimit::NotesText(nokia.Notes, nokia.ShowType);
    if (!sNotes)
        return {QString(), CDisplayLimit::TooLongMessage()};
    if (sMessage != CDisplayLimit::TooLongMessage())
        return {*sNotes, sMessage};
    return {*sNotes, nokia.Notes.Count() > RingToneText::PhoneNotes ? TooManyNotes() : QString()};
}

QString CConversionResults::ErrorReport() {
    const std::string sErrors = modNOK::GetErrors();
    if (modNOK::TrimBlanks(sErrors).empty())
        return QString();
    return QStringLiteral("There have been some conversion errors:\r") +
           CProgram::FromEngine(sErrors);
}
