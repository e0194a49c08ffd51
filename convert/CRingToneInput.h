#pragma once
// One ringtone as read from an input, before it is converted.

#include "engine/RingToneText.h"

#include <cstdint>
#include <string>

struct CRingToneInput {
    std::string sSource;   // the input as named on the command line, "-" for standard input
    int64_t iLine = 0;     // from 1 with --lines, 0 for a whole input
    std::string sFileName; // stands in for a blank name; empty as for the clipboard
    int32_t iSourceType = 0;
    std::string sText;
    RingToneText::Refusal iRefusal = RingToneText::Refusal::None;
};
