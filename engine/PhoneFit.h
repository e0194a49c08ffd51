#pragma once
// Fit to Phone: rewrites a converted ringtone as a text in its own notation
// that the phone's Composer can take, and says what had to change.

#include <cstdint>
#include <string>
#include <vector>

class CNokia;

namespace PhoneFit {

struct Result {
    // The fitted ringtone, in the notation of the one it came from; convert
    // it as any other text.
    std::string Text;
    // Every pitched note moved by this many octaves (up when positive).
    int32_t Octaves = 0;
    // Notes still outside the phone's octaves after that, moved by whole
    // octaves into the nearest one.
    int32_t Folded = 0;
    // Notes rewritten into a form the phone has (duration, sharp, letter,
    // notation); a note may count as both folded and mended.
    int32_t Mended = 0;
    // Tokens that are no note at all, left out.
    int32_t Dropped = 0;
    // Notes in the fitted ringtone, of the tokens in the original.
    int32_t Kept = 0;
    int32_t Of = 0;
    // Whether the tune was cut to the phone's length, and how many pauses
    // at its end were left out.
    bool Cut = false;
    int32_t EndPauses = 0;
    // For each kept note, its position (from 1) in the original.
    std::vector<int32_t> Origins;
};

// The name a ringtone with a blank name gets: the file name without its
// extension, or "Ringtone" for a text from the clipboard (no file name).
std::string FallbackName(const std::string& sFileName);

// Fits the ringtone as converted (name, tempo, notation and notes); a blank
// name becomes sFallbackName.
Result Fit(const CNokia& ringtone, const std::string& sFallbackName);

// What was done, in plain words for the message line, e.g.
// "Moved up one octave; kept the first 48 of 64 notes."
std::string Summary(const Result& result);

// Every note as the phone's Composer takes it, as written: a duration of 1,
// 2, 4, 8, 16 or 32, dotted or not, a letter a to g with "#" only on c, d, f,
// g and a, or a pause, in the phone's octaves, and at most 50 notes.
bool Enterable(const CNokia& ringtone);

// Whether Fit would mend anything: the ringtone has a note that is not
// enterable, or more than 50 notes.
bool NeedsFitting(const CNokia& ringtone);

} // namespace PhoneFit
