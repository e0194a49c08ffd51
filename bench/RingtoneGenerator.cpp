#include "bench/RingtoneGenerator.h"

#include <fstream>
#include <random>

namespace RingtoneGenerator {

namespace {

struct Note {
    int iDuration = 4;
    char cLetter = 'c'; // 'p' for a pause
    bool bSharp = false;
    bool bDotted = false;
    int iOctave = 6; // RTTTL octave 5 to 7
};

// Always the same tune for the same length, so runs compare.
template <typename Write> void EachNote(size_t iNotes, Write write) {
    std::mt19937 random(20240917u);
    std::discrete_distribution<int> duration({2, 8, 35, 35, 15, 5});
    std::discrete_distribution<int> octave({30, 45, 25});
    std::uniform_int_distribution<int> percent(0, 99);
    static const int Durations[] = {1, 2, 4, 8, 16, 32};
    static const char Letters[] = "cdefgab";
    for (size_t i = 0; i < iNotes; ++i) {
        Note note;
        note.iDuration = Durations[duration(random)];
        note.bDotted = percent(random) < 10;
        if (percent(random) < 12) {
            note.cLetter = 'p';
        } else {
            note.cLetter = Letters[percent(random) % 7];
            note.bSharp = note.cLetter != 'e' && note.cLetter != 'b' && percent(random) < 25;
            note.iOctave = 5 + octave(random);
        }
        write(i, note);
    }
}

} // namespace

std::string Rtttl(size_t iNotes) {
    std::string sText = "Bench:d=4,o=6,b=125:";
    sText.reserve(sText.size() + iNotes * 5);
    EachNote(iNotes, [&](size_t i, const Note& note) {
        if (i > 0)
            sText += ',';
        if (note.iDuration != 4)
            sText += std::to_string(note.iDuration);
        sText += note.cLetter;
        if (note.bSharp)
            sText += '#';
        if (note.bDotted)
            sText += '.';
        if (note.cLetter != 'p' && note.iOctave != 6)
            sText += static_cast<char>('0' + note.iOctave);
    });
    return sText;
}

std::string Composer(size_t iNotes) {
    std::string sText = "Bench:Tempo=125:";
    sText.reserve(sText.size() + iNotes * 6);
    EachNote(iNotes, [&](size_t i, const Note& note) {
        if (i > 0)
            sText += ' ';
        sText += std::to_string(note.iDuration);
        if (note.bDotted)
            sText += '.';
        if (note.cLetter == 'p') {
            sText += '-';
            return;
        }
        if (note.bSharp)
            sText += '#';
        sText += note.cLetter;
        sText += static_cast<char>('0' + note.iOctave - 4);
    });
    return sText;
}

bool WriteRtttl(size_t iNotes, const std::string& sPath) {
    std::ofstream file(sPath, std::ios::binary);
    file << Rtttl(iNotes);
    return file.good();
}

} // namespace RingtoneGenerator
