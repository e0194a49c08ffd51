#pragma once
// What converting one ringtone gave: the figures a conversion shows, the
// written form and the error-list lines.

#include "engine/RingToneText.h"
#include "tune/CTune.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CConversionResult {
    std::string sSource;
    int64_t iLine = 0;
    RingToneText::Refusal iRefusal = RingToneText::Refusal::None;

    std::string sName; // empty for a blank name
    int16_t iTempo = 0;
    int32_t iNotes = 0;
    std::string sOutput;       // the ringtone in the text form asked for
    std::optional<CTune> Tune; // the ringtone as it sounds, for a sound form
    std::vector<std::string> Errors;

    // "SOURCE" or "SOURCE:LINE", as messages name the ringtone.
    std::string Where() const {
        return iLine > 0 ? sSource + ":" + std::to_string(iLine) : sSource;
    }
    bool Fits() const { return iNotes <= RingToneText::PhoneNotes; }
    // Said when the sound cannot play at the ringtone's own tempo.
    std::string TempoText() const {
        const std::string sPlays =
            "; the sound plays at " + std::to_string(CTune::DefaultTempo) + " beats per minute";
        if (iTempo == 0)
            return "the ringtone gives no tempo" + sPlays;
        return "the tempo " + std::to_string(iTempo) + " is not from " +
               std::to_string(CTune::LowestTempo) + " to " + std::to_string(CTune::HighestTempo) +
               sPlays;
    }
    // Why the text was not converted; empty when it was.
    std::string RefusalText() const {
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
};
