#pragma once
// Long ringtones for the benchmarks: a fixed pseudo-random but musically
// plausible mix of durations, dots, sharps, octaves and pauses, the same tune
// written in either notation.

#include <cstddef>
#include <string>

namespace RingtoneGenerator {

// "Bench:d=4,o=6,b=125:" and iNotes comma-separated RTTTL notes. Durations
// and octaves equal to the defaults are left out, as RTTTL writers do.
std::string Rtttl(size_t iNotes);

// "Bench:Tempo=125:" and the same iNotes notes in Composer notation,
// separated by single blanks.
std::string Composer(size_t iNotes);

// Writes Rtttl(iNotes) to the file at sPath; false when it cannot.
bool WriteRtttl(size_t iNotes, const std::string& sPath);

} // namespace RingtoneGenerator
