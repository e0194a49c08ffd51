#pragma once
// MIDI files for the tests, built from notes with the program's own writer.

#include "midi/CSmfWriter.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace MidiFiles {

struct Note {
    int64_t iStart;
    int64_t iLength;
    int iKey;
    int iChannel = 1; // 1 to 16
};

struct Track {
    std::string sName; // no name event when empty
    std::vector<Note> notes;
    std::vector<std::pair<int64_t, int>> tempos = {}; // tick and quarters per minute
    int iProgram = -1;                                // for the first note's channel; none when -1
};

// Tempos, then each note pressed and released in time order, releases
// first at a tick.
inline void WriteTrack(CSmfWriter& writer, const Track& track) {
    struct Event {
        int64_t iTick;
        int iOrder;
        std::string sBytes;
    };
    std::vector<Event> events;
    for (const auto& [iTick, iTempo] : track.tempos) {
        const int iMicroseconds = 60'000'000 / iTempo;
        events.push_back({iTick, 0,
                          std::string{'\xFF', 0x51, 0x03, static_cast<char>(iMicroseconds >> 16),
                                      static_cast<char>((iMicroseconds >> 8) & 0xFF),
                                      static_cast<char>(iMicroseconds & 0xFF)}});
    }
    for (const Note& note : track.notes) {
        const char iChannel = static_cast<char>(note.iChannel - 1);
        const char iKey = static_cast<char>(note.iKey);
        events.push_back({note.iStart, 2, {static_cast<char>(0x90 | iChannel), iKey, 100}});
        events.push_back(
            {note.iStart + note.iLength, 1, {static_cast<char>(0x80 | iChannel), iKey, 0}});
    }
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.iTick != b.iTick ? a.iTick < b.iTick : a.iOrder < b.iOrder;
    });
    writer.BeginTrack();
    if (!track.sName.empty())
        writer.Meta(0, 0x03, track.sName);
    if (track.iProgram >= 0 && !track.notes.empty())
        writer.Event(0, {static_cast<uint8_t>(0xC0 | (track.notes[0].iChannel - 1)),
                         static_cast<uint8_t>(track.iProgram)});
    int64_t iEnd = 0;
    for (const Event& event : events) {
        writer.Event(event.iTick, event.sBytes);
        iEnd = event.iTick;
    }
    writer.EndTrack(iEnd);
}

inline std::string File(int iFormat, int iTicksPerQuarter, const std::vector<Track>& tracks) {
    CSmfWriter writer(iFormat, iTicksPerQuarter);
    for (const Track& track : tracks)
        WriteTrack(writer, track);
    return writer.Bytes();
}

} // namespace MidiFiles
