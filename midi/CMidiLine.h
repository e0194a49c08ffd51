#pragma once
// One line of a MIDI file that could be a ringtone: the notes of one channel
// in one track, reduced to the melody that is heard.

#include <cstdint>
#include <string>
#include <vector>

struct CMidiLine {
    // A melody note in the file's ticks; it stops sounding at End.
    struct Note {
        int64_t Start = 0;
        int64_t End = 0;
        int32_t Key = 0; // MIDI note number, 60 the middle c
    };

    int32_t Track = 0;    // counted from 1 in the order of the file
    int32_t Channel = 0;  // 1 to 16
    int32_t Program = -1; // the instrument, 0 to 127; -1 when the track sets none
    std::string TrackName;
    // The highest note sounding at each moment: of a chord only the top note,
    // and no note that starts while a higher one sounds.
    std::vector<Note> Melody;
};
