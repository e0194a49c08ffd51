#pragma once
// What converting one ringtone gave: the figures a conversion shows, the
// written form and the error-list lines.

#include "engine/RingToneText.h"

#include <cstdint>
#include <string>
#include <vector>

struct CConversionResult {
    std::string sSource;
    int64_t iLine = 0;
    RingToneText::Refusal iRefusal = RingToneText::Refusal::None;

    std::string sName; // empty for a blank name
    int16_t iTempo = 0;
    int32_t iNotes = 0;
    std::string sOutput; // the ringtone in the form asked for
    std::vector<std::string> Errors;

    // "SOURCE" or "SOURCE:LINE", as messages name the ringtone.
    std::string Where() const {
        return iLine > 0 ? sSource + ":" + std::to_string(iLine) : sSource;
    }
    bool Fits() const { return iNotes <= RingToneText::PhoneNotes; }
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
