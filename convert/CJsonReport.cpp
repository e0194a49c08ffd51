#include "convert/CJsonReport.h"

#include <nlohmann/json.hpp>

#include <cmath>

std::string CJsonReport::Line(const CConversionResult& result) {
    nlohmann::ordered_json object;
    object["source"] = result.sSource;
    if (result.iLine > 0)
        object["line"] = result.iLine;
    if (result.iRefusal != RingToneText::Refusal::None) {
        object["refused"] = result.RefusalText();
    } else {
        object["name"] = result.sName;
        object["tempo"] = result.iTempo;
        object["notes"] = result.iNotes;
        if (result.Fits())
            object["remaining"] = RingToneText::PhoneNotes - result.iNotes;
        else
            object["remaining"] = nullptr;
        if (result.Tune) {
            // A sound form has no line of text; the sound is described.
            object["text"] = nullptr;
            const double dSeconds = static_cast<double>(result.Tune->TotalSamples()) /
                                    static_cast<double>(CTune::SampleRate);
            object["sound"] = {{"tempo", result.Tune->Tempo()},
                               {"seconds", std::round(dSeconds * 1000.0) / 1000.0}};
        } else {
            object["text"] = result.sOutput;
        }
        object["errors"] = result.Errors;
    }
    return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

void CJsonReport::Add(const CConversionResult& result) {
    m_Output.Write(Line(result));
}
