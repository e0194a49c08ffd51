#include "engine/CNokia.h"
#include "engine/RingToneText.h"
#include "engine/modNOK.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int32_t RTTTL = 0;
constexpr int32_t Composer = 1;

struct RoundTripRow {
    const char* sName;
    int32_t iSourceType;
    std::string sText;
    std::string sWritten; // empty when the text is already written as it is read
    bool bWarns = false;  // unplayable octaves are reported on every reading
};

std::ostream& operator<<(std::ostream& os, const RoundTripRow& r) {
    return os << r.sName;
}

const RoundTripRow Rows[] = {
    {"Ode", RTTTL, "Ode:d=4,o=5,b=120:e,e,f,g,g,f,e,d,c,c,d,e,e.,8d,2d", ""},
    {"Scale", RTTTL, "Scale:d=8,o=6,b=180:c,d,e,f,g,a,b,c7,b,a,g,f,e,d,4c", ""},
    {"Sharps", RTTTL, "Sharps:d=16,o=5,b=200:c#,d#,f#,g#,a#,8c#6,8p,4a#.", ""},
    {"Pauses", RTTTL, "Pauses:d=4,o=6,b=90:c,p,8p,16p,p.,2p,d", ""},
    {"DefaultsLeftOut", RTTTL, "Written out:d=4,o=5,b=63:4c5,8d6,e7,2f5",
     "Written out:d=4,o=5,b=63:c,8d6,e7,2f"},
    {"Fast", RTTTL, "Fast:d=32,o=7,b=250:c,d,e,16f,8g,4a,2b,1c6", ""},
    {"Dotted", RTTTL, "Dotted:d=8,o=5,b=125:c.,d#.,4e.,16f.6,2g#.7", ""},
    {"FractionalTempo", RTTTL, "Waltz:d=4,o=6,b=92.5:c,e,g", "Waltz:d=4,o=6,b=92:c,e,g"},
    {"Utf8Name", RTTTL,
     "Caf\xc3\xa9 Cr\xc3\xa8me:d=16,o=6,b=125:e,d#,e,g,b5,d,c,8a5,p,c5,e5,a5,8b5,p", ""},
    {"UnplayableOctaves", RTTTL, "Edge:d=4,o=5,b=100:c4,d8,e", "", true},
    {"HighAndSlow", RTTTL, "High:d=2,o=7,b=40:c,d,e,1f,p", ""},
    {"BlanksAfterCommas", RTTTL, "Spaced:d=4,o=5,b=100:c, d,  e", "Spaced:d=4,o=5,b=100:c,d,e"},
    {"SplitOverLines", RTTTL, "Lines:d=4,o=5,\r\nb=100:c,d,\r\ne,\r\n",
     "Lines:d=4,o=5,b=100:c,d,e"},
    {"TempoOnly", RTTTL, "Short:b=160:8c,8d", "Short:d=4,o=5,b=160:8c,8d"},
    {"NegativeTempo", RTTTL, "Below zero:d=4,o=5,b=-5:c", ""},
    {"NoNotes", RTTTL, "Silence:d=4,o=5,b=100:", ""},
    {"ExplicitDefaults", RTTTL, "Mixed:d=8,o=6,b=140:8c,4d,8e6,16f#7,8p",
     "Mixed:d=8,o=6,b=140:c,4d,e,16f#7,p"},
    {"NoHeader", RTTTL, "No header:c,d,e", "No header:d=4,o=5,b=0:c,d,e"},
    {"PaddedHeader", RTTTL, "Pad:d=08,o=6,b=0100:c,4d", "Pad:d=08,o=6,b=100:c,4d"},
    {"March", RTTTL,
     "March:d=8,o=6,b=112:c,c,g,g,a,a,4g,f,f,e,e,d,d,4c,g,g,f,f,e,e,4d,g,g,f,f,e,e,4d,c,c,g,g,"
     "a,a,4g,f,f,e,e,d,d,2c,p,c7,b,a,g,4f.",
     ""},
    {"Morning", Composer, "Morning:Tempo=140:4c1 4d1 4e1 4f1 2g1 2g1 4a1 4a1 4a1 4a1 1g1", ""},
    {"ComposerSharps", Composer, "Sharp:Tempo=200:8#c2 8#d2 16#f2 16#g2 32#a2 4-", ""},
    {"ComposerDots", Composer, "Dots:Tempo=100:8.c1 16d1 4.e2 8f2 2.g3 4-", ""},
    {"ComposerRests", Composer, "Rests:Tempo=120:4- 8- 16- 32- 2- 1- 4c1", ""},
    {"ComposerCommas", Composer, "Comma:Tempo=90:4c1, 8d1, 16e1", "Comma:Tempo=90:4c1 8d1 16e1"},
    {"ComposerRunsOfBlanks", Composer, "Blanks:Tempo=90:4c1    8d1  16e1",
     "Blanks:Tempo=90:4c1 8d1 16e1"},
    {"ComposerWithoutTempo", Composer, "Free:4c2 4e2 4g2", "Free:Tempo=0:4c2 4e2 4g2"},
    {"ComposerFractionalTempo", Composer, "Half:Tempo=62.5:4c3", "Half:Tempo=62:4c3"},
    {"ComposerOctaves", Composer, "Climb:Tempo=160:16c1 16c2 16c3 16c1 16c3 16c2 8-", ""},
    {"ComposerDottedSharps", Composer, "Mix:Tempo=125:8.#c2 16.#d3 4.#f1 2-", ""},
    {"ComposerLengths", Composer,
     "Lengths:Tempo=100:1c1 2c1 4c1 8c1 16c1 32c1 16c1 8c1 4c1 2c1 1c1", ""},
    {"ComposerSplitOverLines", Composer, "Split:Tempo=\r\n100:4c1 \r\n8d1 16e1",
     "Split:Tempo=100:4c1 8d1 16e1"},
    {"ComposerUtf8Name", Composer,
     "\xc3\x9cn\xc3\xaf"
     "code tune:Tempo=110:4e2 4e2 2e2",
     ""},
    {"ComposerNoNotes", Composer, "Nothing:Tempo=100:", ""},
    {"ComposerTopTempo", Composer, "Max:Tempo=32767:4c1", ""},
    {"Stroll", Composer,
     "Stroll:Tempo=108:8e2 8e2 4f2 4g2 4g2 4f2 4e2 4d2 4c2 4c2 4d2 4e2 4.e2 8d2 2d2 8e2 8e2 4f2 "
     "4g2 4g2 4f2 4e2 4d2 4c2 4c2 4d2 4e2 4.d2 8c2 2c2 4- 16a1 16b1 8c2 8.#c2 16d2 32#d2 32e2 "
     "4f3 4g3 2a3 1b3",
     ""},
};

// Everything a reader of the ringtone gets back.
struct Reading {
    std::string sName;
    int16_t iTempo;
    std::string sDefaults;
    int16_t iCount;
    std::string sForms[3];
    std::string sErrors;
};

Reading Read(int32_t iSourceType, const std::string& sText) {
    CNokia nokia;
    nokia.SourceType = iSourceType;
    nokia.OriginalText = sText;
    nokia.Convert();
    return {nokia.RingToneName,
            nokia.Tempo,
            modNOK::DefaultDuration + "/" + modNOK::DefaultOctave,
            nokia.NoteCount(),
            {nokia.Notes.GetNotes(0), nokia.Notes.GetNotes(1), nokia.Notes.GetNotes(2)},
            modNOK::GetErrors()};
}

// Writes what Save and Export would from the converter's own name and tempo.
std::string Write(int32_t iSourceType, const std::string& sText) {
    CNokia nokia;
    nokia.SourceType = iSourceType;
    nokia.OriginalText = sText;
    nokia.Convert();
    nokia.ShowType = iSourceType == RTTTL ? 2 : 1;
    return RingToneText::Format(nokia.RingToneName, std::to_string(nokia.Tempo), nokia.ShowType,
                                nokia.ShowScreen());
}

class RoundTripTest : public ::testing::TestWithParam<RoundTripRow> {};

} // namespace

TEST_P(RoundTripTest, WrittenTextReadsBackTheSame) {
    const RoundTripRow& row = GetParam();
    const Reading original = Read(row.iSourceType, row.sText);
    EXPECT_EQ(original.sErrors.empty(), !row.bWarns) << original.sErrors;
    const std::string sWritten = Write(row.iSourceType, row.sText);
    EXPECT_EQ(sWritten, row.sWritten.empty() ? row.sText : row.sWritten);

    const Reading back = Read(row.iSourceType, sWritten);
    EXPECT_EQ(back.sName, original.sName);
    EXPECT_EQ(back.iTempo, original.iTempo);
    EXPECT_EQ(back.sDefaults, original.sDefaults);
    EXPECT_EQ(back.iCount, original.iCount);
    for (int iForm = 0; iForm < 3; ++iForm) {
        SCOPED_TRACE(iForm);
        EXPECT_EQ(back.sForms[iForm], original.sForms[iForm]);
    }
    EXPECT_EQ(back.sErrors, original.sErrors);
    EXPECT_EQ(Write(row.iSourceType, sWritten), sWritten);
}

INSTANTIATE_TEST_SUITE_P(Ringtones, RoundTripTest, ::testing::ValuesIn(Rows),
                         [](const auto& info) { return std::string(info.param.sName); });
