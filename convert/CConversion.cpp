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
        m_Nokia.OriginalText = input.sText; // the engine drops line ends itself
        m_Nokia.Convert();
        if (m_Form.IsText()) {
            if (m_bRender)
                result.sOutput = m_Form.Render(m_Nokia);
        } else
            result.Tune = COutputForm::Sound(m_Nokia);
    } catch (const std::exception& e) {
        modNOK::AddError("CConversion.Run", e.what());
    } catch (...) {
        modNOK::AddError("CConversion.Run", "Unknown failure");
    }
    result.Summary = ConversionSummary::Of(m_Nokia);
    return result;
}
