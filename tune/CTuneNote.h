#pragma once
// One sound of a tune: the pitch and length of one converted note.

#include <cstdint>

struct CTuneNote {
    int32_t Position = 0;    // the converted note it comes from, counted from 1
    int32_t Pitch = -1;      // semitones above the c of octave 4; -1 for a rest
    double Frequency = 0.0;  // in hertz; 0 for a rest
    double Seconds = 0.0;    // length, the gap before the next note included
    int64_t FirstSample = 0; // where it starts in the tune's samples
    int64_t Samples = 0;     // length in samples

    bool IsRest() const { return Pitch < 0; }
};
