#pragma once
// Converts a ringtone text as the window does, so tests build tunes from
// real converted notes.

#include "engine/CNokia.h"

#include <string>

namespace TuneText {

inline CNokia& Converted(const std::string& sText, int32_t iSourceType = 0) {
    static CNokia nokia;
    nokia.Clear();
    nokia.SourceType = iSourceType;
    nokia.OriginalText = sText;
    nokia.Convert();
    return nokia;
}

} // namespace TuneText
