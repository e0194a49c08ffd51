#include "convert/CDiagnostics.h"

#include <cstdio>

void CDiagnostics::Line(const std::string& sText) {
    std::fwrite(sText.data(), 1, sText.size(), stderr);
    std::fputc('\n', stderr);
}

void CDiagnostics::Raise(Status iStatus) {
    if (iStatus > m_iStatus)
        m_iStatus = iStatus;
}

void CDiagnostics::Report(const CConversionResult& result) {
    const std::string sWhere = result.Where() + ": ";
    if (result.iRefusal != RingToneText::Refusal::None) {
        Line(sWhere + result.RefusalText());
        Raise(Failed);
        return;
    }
    for (const std::string& sError : result.Errors)
        Line(sWhere + sError);
    if (!result.Errors.empty())
        Raise(ErrorLines);
    if (!result.Fits())
        Line(sWhere + RingToneText::TooManyNotes);
    if (result.Tune && result.Tune->TempoReplaced())
        Line(sWhere + result.TempoText());
}

void CDiagnostics::Failure(const std::string& sMessage) {
    Line("ringwright-convert: " + sMessage);
    Raise(Failed);
}
