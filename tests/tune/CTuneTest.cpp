#include "tune/CTune.h"

#include "tests/tune/TuneText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Heard {
    double dFrequency; // 0 for a rest
    int64_t iSamples;
};

struct TuneRow {
    const char* sName;
    int32_t iSourceType;
    std::string sText;
    std::string sTempo;
    std::vector<Heard> notes;
};

std::ostream& operator<<(std::ostream& os, const TuneRow& r) {
    return os << r.sName;
}

// clang-format off
const TuneRow TuneRows[] = {
    // Pitch, sharps, dots, rests; the last note's half sample rounds up at
    // the tune's exact end (5512.5 samples from 88200).
    {"PitchLengthDotRest", 0, "T:d=4,o=5,b=120:a,8a#6,c.4,p,16b", "120",
     {{880.0, 22050}, {1864.655, 11025}, {261.626, 33075}, {0, 22050}, {987.767, 5513}}},
    // Durations not in 1..32 play as 4; octave 9, unknown and upper-case
    // letters are rests of the note's length.
    {"OddDurationsAndLetters", 0, "T:d=3,o=9,b=100:c,8d5,h,3e4,P", "100",
     {{0, 26460}, {587.330, 13230}, {0, 26460}, {329.628, 26460}, {0, 26460}}},
    // Composer octave 1 is RTTTL octave 5: its "a" is 880 Hz.
    {"Composer", 1, "T:Tempo=200:4a1 8.#f2 4- 32g3", "200",
     {{880.0, 13230}, {1479.978, 9923}, {0, 13230}, {3135.963, 1653}}},
    // A tempo that cannot be played becomes 63: a quarter is 60/63 s.
    {"TempoTooFast", 0, "T:d=4,o=5,b=63:c", "901", {{523.251, 42000}}},
};
// clang-format on

class TuneNotes : public testing::TestWithParam<TuneRow> {};

TEST_P(TuneNotes, PitchAndLengthOfEveryNote) {
    const TuneRow& row = GetParam();
    const CTune tune(TuneText::Converted(row.sText, row.iSourceType).Notes, row.sTempo);
    ASSERT_EQ(tune.Notes().size(), row.notes.size());
    int64_t iStart = 0;
    for (size_t i = 0; i < row.notes.size(); ++i) {
        const CTuneNote& note = tune.Notes()[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(note.Position, static_cast<int32_t>(i + 1));
        EXPECT_NEAR(note.Frequency, row.notes[i].dFrequency, 0.001);
        EXPECT_EQ(note.IsRest(), row.notes[i].dFrequency == 0);
        EXPECT_EQ(note.FirstSample, iStart);
        EXPECT_EQ(note.Samples, row.notes[i].iSamples);
        iStart += note.Samples;
    }
    EXPECT_EQ(tune.TotalSamples(), iStart);
}

INSTANTIATE_TEST_SUITE_P(Tune, TuneNotes, testing::ValuesIn(TuneRows),
                         [](const auto& info) { return std::string(info.param.sName); });

struct TempoRow {
    std::string sTempo;
    int iPlayed;
    bool bReplaced;
};

TEST(TuneTempo, WholeNumbersFrom25To900PlayOthersAre63) {
    const TempoRow rows[] = {{"25", 25, false},  {"900", 900, false}, {"120.5", 120, false},
                             {"24", 63, true},   {"901", 63, true},   {"", 63, true},
                             {"fast", 63, true}, {"40000", 63, true}, {"-120", 63, true}};
    const CNokia& nokia = TuneText::Converted("T:b=100:c");
    for (const TempoRow& row : rows) {
        const CTune tune(nokia.Notes, row.sTempo);
        EXPECT_EQ(tune.Tempo(), row.iPlayed) << row.sTempo;
        EXPECT_EQ(tune.TempoReplaced(), row.bReplaced) << row.sTempo;
    }
    EXPECT_TRUE(CTune(nokia.Notes, 0).TempoReplaced());
}

TEST(TuneTempo, NoteAtFindsTheNoteSoundingAtASample) {
    const CTune tune(TuneText::Converted("T:d=4,o=5,b=120:c,8d,e").Notes, 120);
    const std::vector<std::pair<int64_t, int32_t>> rows = {
        {-1, 0}, {0, 1}, {22049, 1}, {22050, 2}, {33074, 2}, {33075, 3}, {55124, 3}, {55125, 0}};
    for (const auto& [iSample, iPosition] : rows) {
        const CTuneNote* pNote = tune.NoteAt(iSample);
        EXPECT_EQ(pNote ? pNote->Position : 0, iPosition) << iSample;
    }
}

} // namespace
