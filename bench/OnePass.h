#pragma once
// A one-pass RTTTL converter written for speed alone, the yardstick of the
// engine: it parses each note once into 12 bytes and renders the keypresses,
// the Composer notes and the RTTTL notes exactly as the engine does, but
// keeps no error list, builds no CNote and reads only header defaults
// written as plain digits.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace OnePass {

struct Forms {
    std::string sKeys;
    std::string sComposer;
    std::string sRTTTL;
    size_t iNotes = 0;
    std::string sName;         // as written before the first colon
    int iTempo = 0;            // 0 when the header gives none
    bool bTempoFailed = false; // the tempo was no whole number: no notes
};

// The three forms of an RTTTL ringtone; none when a default is not plain
// digits (the engine's number rules for those are not repeated here). With
// bKeysOnly the Composer and RTTTL notes are left empty.
std::optional<Forms> Convert(std::string_view sText, bool bKeysOnly = false);

} // namespace OnePass
