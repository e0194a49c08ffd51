#include "convert/CConversion.h"

#include "engine/modNOK.h"

#include <exception>

namespace {

// The error list joins its lines with carriage returns.
std::vector<std::string> ErrorLines(const std::string& sErrors) {
    std::vector<std::string> lines;
    if (sErrors.empty())
        return lines;
    size_t iStart = 0;
    for (;;) {
        const size_t iEnd = sErrors.find('\r', iStart);
        lines.push_back(sErrors.substr(iStart, iEnd - iStart));
        if (iEnd == std::string::npos)
            return lines;
        iStart = iEnd + 1;
    }
}

} // namespace

CConversionResult CConversion::Run(const CRingToneInput& input) {
    CConversionResult result;
    result.sSource = input.sSource;
    result.iLine = input.iLine;
    result.iRefusal = input.iRefusal;
    if (input.iRefusal != RingToneText::Refusal::None)
        return result;

    try {
        m_Nokia.Clear();
        m_Nokia.FileName = input.sFileName;
        m_Nokia.SourceType = input.iSourceType;
        m_Nokia.OriginalText = RingToneText::JoinLines(input.sText);
        m_Nokia.Convert();
        result.sName = RingToneText::ShownName(m_Nokia.RingToneName);
        result.iTempo = m_Nokia.Tempo;
        result.iNotes = m_Nokia.Notes.Count();
        if (m_Form.IsText())
            result.sOutput = m_Form.Render(m_Nokia);
        else
            result.Tune = COutputForm::Sound(m_Nokia);
    } catch (const std::exception& e) {
        modNOK::AddError("CConversion.Run", e.what());
    } catch (...) {
        modNOK::AddError("CConversion.Run", "Unknown failure");
    }
    result.Errors = ErrorLines(modNOK::GetErrors());
    return result;
}
