#include "convert/CConversion.h"

#include "engine/modNOK.h"

#include <exception>

std::string CConversion::Result::Where() const {
    return iLine > 0 ? sSource + ":" + std::to_string(iLine) : sSource;
}

std::string CConversion::Result::TempoText() const {
    const std::string sPlays =
        "; the sound plays at " + std::to_string(CTune::DefaultTempo) + " beats per minute";
    if (Summary.iTempo == 0)
        return "the ringtone gives no tempo" + sPlays;
    return "the tempo " + std::to_string(Summary.iTempo) + " is not from " +
           std::to_string(CTune::LowestTempo) + " to " + std::to_string(CTune::HighestTempo) +
           sPlays;
}

std::string CConversion::Result::RefusalText() const {
    switch (iRefusal) {
    case RingToneText::Refusal::TooLarge:
        return "the ringtone text is larger than 64 KiB (65,536 bytes); not converted";
    case RingToneText::Refusal::NotText:
        return "not a ringtone text (it holds NUL bytes); not converted";
    case RingToneText::Refusal::None:
        break;
    }
    return {};
}

// The same fitted text as the window gives: the fallback name from the file
// name, "Ringtone" for a text without one. With no note to fit, the
// ringtone stays as it was read.
void CConversion::FitConverted(Result& result) {
    result.Fit = PhoneFit::Fit(m_Nokia, PhoneFit::FallbackName(m_Nokia.FileName));
    if (result.Fit->Kept == 0)
        return;
    result.AsRead = ConversionSummary::Of(m_Nokia);
    const std::string sFileName = m_Nokia.FileName;
    const int32_t iSourceType = m_Nokia.SourceType;
    m_Nokia.Clear();
    m_Nokia.FileName = sFileName;
    m_Nokia.SourceType = iSourceType;
    m_Nokia.OriginalText = result.Fit->Text;
    m_Nokia.Convert();
}

CConversion::Result CConversion::Run(const CInputReader::RingTone& input) {
    Result result;
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
        if (m_bFit)
            FitConverted(result);
        if (m_Form.IsText())
            result.sOutput = m_Form.Render(m_Nokia);
        else
            result.Tune = COutputForm::Sound(m_Nokia);
    } catch (const std::exception& e) {
        modNOK::AddError("CConversion.Run", e.what());
    } catch (...) {
        modNOK::AddError("CConversion.Run", "Unknown failure");
    }
    result.Summary = ConversionSummary::Of(m_Nokia);
    return result;
}
