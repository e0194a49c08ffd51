#pragma once
// Converts one ringtone after another with the engine, as Get does in the
// window, and keeps what each gave.

#include "convert/CInputReader.h"
#include "convert/COutputForm.h"
#include "engine/CNokia.h"
#include "engine/ConversionSummary.h"
#include "engine/PhoneFit.h"
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
        // With --fit, what Fit did; the rest describes the fitted ringtone.
        std::optional<PhoneFit::Result> Fit;
        // The ringtone as read, when it was replaced by its fitted form.
        std::optional<ConversionSummary::Summary> AsRead;

        // "SOURCE" or "SOURCE:LINE", as messages name the ringtone.
        std::string Where() const;
        // Said when the sound cannot play at the ringtone's own tempo.
        std::string TempoText() const;
        // Why the text was not converted; empty when it was.
        std::string RefusalText() const;
    };

    // bFit: every ringtone is fitted to the phone, as the window's Fit to
    // Phone does, before any form is made of it.
    CConversion(COutputForm form, bool bFit) : m_Form(form), m_bFit(bFit) {}

    // Engine failures become error-list lines; only running out of memory
    // outside the engine escapes.
    Result Run(const CInputReader::RingTone& input);

private:
    void FitConverted(Result& result);

    CNokia m_Nokia;
    COutputForm m_Form;
    bool m_bFit;
};
