#pragma once
// Converts one ringtone after another with the engine, as Get does in the
// window, and keeps what each gave.

#include "convert/CInputReader.h"
#include "convert/COutputForm.h"
#include "engine/CNokia.h"
#include "engine/ConversionSummary.h"
#include "engine/RingToneText.h"
#include "tune/CTune.h"

#include <cstdint>
#include <optional>
#include <string>

class CConversion {
public:
    // What converting one ringtone gave.
    struct Result {
        std::string sSource;
        int64_t iLine = 0;
        RingToneText::Refusal iRefusal = RingToneText::Refusal::None;
        ConversionSummary::Summary Summary;
        std::string sOutput;       // the ringtone in the text form asked for
        std::optional<CTune> Tune; // the ringtone as it sounds, for a sound form

        // "SOURCE" or "SOURCE:LINE", as messages name the ringtone.
        std::string Where() const;
        // Said when the sound cannot play at the ringtone's own tempo.
        std::string TempoText() const;
        // Why the text was not converted; empty when it was.
        std::string RefusalText() const;
    };

    // Without bRender a text form is not written out (a count needs none).
    explicit CConversion(COutputForm form, bool bRender = true)
        : m_Form(form), m_bRender(bRender) {}

    // Engine failures become error-list lines; only running out of memory
    // outside the engine escapes.
    Result Run(const CInputReader::RingTone& input);

private:
    CNokia m_Nokia;
    COutputForm m_Form;
    bool m_bRender;
};
