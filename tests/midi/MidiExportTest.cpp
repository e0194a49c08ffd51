#include "midi/MidiExport.h"

#include "midi/CMidiFile.h"
#include "tests/tune/TuneText.h"
#include "tune/CTune.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(MidiExport, TypeZeroFileOfTheTune) {
    const CTune tune(TuneText::Converted("T:d=4,o=5,b=120:8p,a4").Notes, 120);
    const std::string sExpected("MThd\0\0\0\6\0\0\0\1\1\xE0"
                                "MTrk\0\0\0\x1A"
                                "\0\xFF\3\1T"              // name
                                "\0\xFF\x51\3\x07\xA1\x20" // 500,000 microseconds a quarter
                                "\x81\x70\x90\x45\x64"     // the a4 after an 8th of silence
                                "\x83\x60\x80\x45\0"       // released a quarter later
                                "\0\xFF\x2F\0",
                                48);
    EXPECT_EQ(MidiExport::Bytes(tune, "T"), sExpected);
}

struct RoundTripRow {
    const char* sName;
    std::string sText;
    int32_t iSourceType;
    std::string sTempo;
};

std::ostream& operator<<(std::ostream& os, const RoundTripRow& r) {
    return os << r.sName;
}

// The sounding notes: pitch, first sample and length.
std::vector<std::vector<int64_t>> Sounding(const CTune& tune) {
    std::vector<std::vector<int64_t>> notes;
    for (const CTuneNote& note : tune.Notes())
        if (!note.IsRest())
            notes.push_back({note.Pitch, note.FirstSample, note.Samples});
    return notes;
}

// clang-format off
const RoundTripRow RoundTripRows[] = {
    {"DurationsDotsSharpsPauses",
     "Tone:d=4,o=5,b=140:8c,8d#6,4e.,p,16p,32f#7,2g4,1a.,32p.,32p.,8b8,32c.,16c#.", 0, "140"},
    {"LoneDottedThirtySecondRest", "Lone:d=8,o=5,b=125:32g,16e,32p.,16d#,e", 0, "125"},
    // Octaves the player lacks and unknown letters are silence.
    {"RestsOfEveryKind", "Odd:d=8,o=5,b=200:c,c3,d,h,e9,32f.,p", 0, "200"},
    // A tempo the player cannot play is written as the 63 it plays at.
    {"TempoReplaced", "Fast:d=4,o=6,b=1000:c,d,e", 0, "1000"},
    {"Composer", "Comp:Tempo=125:4c1 8.#d2 4- 16a3", 1, "125"},
};
// clang-format on

class MidiRoundTrip : public testing::TestWithParam<RoundTripRow> {};

TEST_P(MidiRoundTrip, ImportGivesTheSameNotes) {
    const RoundTripRow& row = GetParam();
    const CNokia& original = TuneText::Converted(row.sText, row.iSourceType);
    const std::string sName = original.RingToneName;
    const CTune tune(original.Notes, row.sTempo);
    const std::string sBytes = MidiExport::Bytes(tune, sName);

    const CMidiFile::Ringtone ringtone = CMidiFile::Read(sBytes, "x.mid").Rtttl();
    ASSERT_EQ(ringtone.Error, "");
    EXPECT_EQ(ringtone.Text.substr(0, sName.size() + 1), sName + ":");
    const CNokia& imported = TuneText::Converted(ringtone.Text);
    const CTune back(imported.Notes, imported.Tempo);
    EXPECT_EQ(back.Tempo(), tune.Tempo());
    EXPECT_EQ(Sounding(back), Sounding(tune));
}

INSTANTIATE_TEST_SUITE_P(Midi, MidiRoundTrip, testing::ValuesIn(RoundTripRows),
                         [](const auto& info) { return std::string(info.param.sName); });

} // namespace
