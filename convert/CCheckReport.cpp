#include "convert/CCheckReport.h"

namespace {

std::string Counted(int64_t iCount, const char* sOne, const char* sMany) {
    return std::to_string(iCount) + " " + (iCount == 1 ? sOne : sMany);
}

} // namespace

std::string CCheckReport::Line(const CConversionResult& result) {
    std::string sLine = result.Where() + ": ";
    if (result.iRefusal != RingToneText::Refusal::None)
        return sLine + result.RefusalText() + "\n";
    sLine += (result.sName.empty() ? "(no name)" : result.sName) + ": ";
    sLine += Counted(result.iNotes, "note", "notes");
    sLine += result.Fits() ? ", fits (" + std::to_string(RingToneText::PhoneNotes - result.iNotes) +
                                 " left), "
                           : ", too long for the phone (50 at most), ";
    const auto iProblems = static_cast<int64_t>(result.Errors.size());
    return sLine + Counted(iProblems, "problem", "problems") + "\n";
}

void CCheckReport::Add(const CConversionResult& result) {
    m_Output.Write(Line(result));
    ++m_iRingTones;
    if (result.iRefusal != RingToneText::Refusal::None) {
        ++m_iRefused;
        return;
    }
    ++(result.Fits() ? m_iFit : m_iTooLong);
    if (!result.Errors.empty())
        ++m_iWithProblems;
}

void CCheckReport::Finish() {
    m_Output.Write("Total: " + Counted(m_iRingTones, "ringtone", "ringtones") + ", " +
                   std::to_string(m_iFit) + " fit the phone, " + std::to_string(m_iTooLong) +
                   " too long, " + std::to_string(m_iWithProblems) + " with problems, " +
                   std::to_string(m_iRefused) + " not converted\n");
}
