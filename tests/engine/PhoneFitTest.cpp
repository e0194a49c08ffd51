#include "engine/PhoneFit.h"
#include "engine/CNokia.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int32_t RTTTL = 0;
constexpr int32_t Composer = 1;

PhoneFit::Result FitText(int32_t iSourceType, const std::string& sText,
                         const std::string& sFallback = "Ringtone") {
    CNokia nokia;
    nokia.SourceType = iSourceType;
    nokia.OriginalText = sText;
    nokia.Convert();
    return PhoneFit::Fit(nokia, sFallback);
}

std::string Repeat(const std::string& sToken, int iTimes, const char* sSeparator = ",") {
    std::string s;
    for (int i = 0; i < iTimes; ++i)
        s += (i > 0 ? sSeparator : "") + sToken;
    return s;
}

struct FitRow {
    const char* sName;
    int32_t iSourceType;
    std::string sText;
    std::string sFitted;
    int32_t iOctaves, iFolded, iMended, iDropped, iKept, iOf;
    std::string sSummary;
};

std::ostream& operator<<(std::ostream& os, const FitRow& r) {
    return os << r.sName;
}

// clang-format off
const FitRow FitRows[] = {
    {"AlreadyFits", RTTTL, "T:d=4,o=5,b=100:c,8d6", "T:d=4,o=5,b=100:c,8d6", 0, 0, 0, 0, 2, 2, "The ringtone already fits the phone."},
    // Shift: most notes inside wins; a tie takes the smaller shift, then the upward one.
    {"ShiftUp", RTTTL, "T:d=4,o=4,b=100:c,d,e6", "T:d=4,o=5,b=100:c,d,e7", 1, 0, 0, 0, 3, 3, "Moved up one octave."},
    {"ShiftDownTwo", RTTTL, "T:d=4,o=8,b=90:c,d9,e9", "T:d=4,o=7,b=90:c6,d,e", -2, 0, 0, 0, 3, 3, "Moved down two octaves."},
    // A span beyond three octaves folds what is still outside into the nearest phone octave.
    {"TieKeepsNoShift", RTTTL, "T:d=4,o=5,b=100:c4,c5,c6,c7,g8", "T:d=4,o=5,b=100:c,c,c6,c7,g7", 0, 2, 0, 0, 5, 5, "Folded 2 notes into the phone's octaves."},
    {"TieTakesUpward", RTTTL, "T:d=4,o=5,b=100:c4,c8", "T:d=4,o=5,b=100:c,c7", 1, 1, 0, 0, 2, 2, ""},
    {"ShiftsThenFolds", RTTTL, "T:d=4,o=5,b=100:c4,c4,c5,c6,c8", "T:d=4,o=5,b=100:c,c,c6,c7,c7", 1, 1, 0, 0, 5, 5, "Moved up one octave; folded 1 note into the phone's octaves."},
    {"ComposerFoldsBothEnds", Composer, "T:Tempo=90:4c1 4c2 4c3 4a0 4e5", "T:Tempo=90:4c1 4c2 4c3 4a1 4e3", 0, 2, 0, 0, 5, 5, ""},
    // Mends: duration to the nearest the phone has, sharps it lacks, "h", notation variants.
    {"Duration64And3", RTTTL, "T:d=4,o=5,b=100:64c,3d,6e", "T:d=4,o=5,b=100:32c,d,8e", 0, 0, 3, 0, 3, 3, "Mended 3 notes."},
    {"SharpsThePhoneLacks", RTTTL, "T:d=4,o=5,b=100:e#,b#,b#7", "T:d=4,o=5,b=100:f,c6,c7", 0, 1, 3, 0, 3, 3, ""},
    {"GermanH", RTTTL, "T:d=4,o=5,b=100:h,8h6", "T:d=4,o=5,b=100:b,8b6", 0, 0, 2, 0, 2, 2, ""},
    {"UnderscoreSharpAndLateDot", RTTTL, "T:d=4,o=5,b=100:a_,8c#6.,C", "T:d=4,o=5,b=100:a#,8c#.6,c", 0, 0, 3, 0, 3, 3, ""},
    {"ComposerPauseAsP", Composer, "T:Tempo=90:4c1 8p 4d1", "T:Tempo=90:4c1 8- 4d1", 0, 0, 1, 0, 3, 3, ""},
    {"ComposerNoDurationNoOctave", Composer, "T:Tempo=90:c1 4d", "T:Tempo=90:4c1 4d1", 0, 0, 2, 0, 2, 2, ""},
    // A token that is no note at all is dropped.
    {"DropsNoNotes", RTTTL, "T:d=4,o=5,b=100:c,x,,8d,4", "T:d=4,o=5,b=100:c,8d", 0, 0, 0, 3, 2, 5, "Dropped 3 tokens that are no notes."},
    {"TrailingPausesDropped", RTTTL, "T:d=4,o=5,b=100:c,p,d,p,8p", "T:d=4,o=5,b=100:c,p,d", 0, 0, 0, 0, 3, 5, "Dropped the pauses at the end."},
    // A blank name takes the fallback; a Composer name with a colon survives.
    {"BlankName", RTTTL, "c,d", "Ringtone:d=4,o=5,b=0:c,d", 0, 0, 0, 0, 2, 2, ""},
    {"ComposerColonName", Composer, "A: B:Tempo=90:4c1", "A: B:Tempo=90:4c1", 0, 0, 0, 0, 1, 1, ""},
    {"NoNotes", RTTTL, "T:d=4,o=5,b=100:", "T:d=4,o=5,b=100:", 0, 0, 0, 0, 0, 0, "There is no note to fit."},
};
// clang-format on

class FitTest : public ::testing::TestWithParam<FitRow> {};

} // namespace

TEST_P(FitTest, TextCountsAndSummary) {
    const FitRow& row = GetParam();
    const PhoneFit::Result r = FitText(row.iSourceType, row.sText);
    EXPECT_EQ(r.Text, row.sFitted);
    EXPECT_EQ(r.Octaves, row.iOctaves);
    EXPECT_EQ(r.Folded, row.iFolded);
    EXPECT_EQ(r.Mended, row.iMended);
    EXPECT_EQ(r.Dropped, row.iDropped);
    EXPECT_EQ(r.Kept, row.iKept);
    EXPECT_EQ(r.Of, row.iOf);
    if (!row.sSummary.empty()) {
        EXPECT_EQ(PhoneFit::Summary(r), row.sSummary);
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, FitTest, ::testing::ValuesIn(FitRows),
                         [](const auto& info) { return std::string(info.param.sName); });

struct CutRow {
    const char* sName;
    std::string sNotes;
    int32_t iKept;
    std::string sSummary;
};

std::ostream& operator<<(std::ostream& os, const CutRow& r) {
    return os << r.sName;
}

// clang-format off
const CutRow CutRows[] = {
    // The longest beginning of at most 50 notes that a pause follows.
    {"AtPhraseEnd", Repeat("c", 48) + ",p," + Repeat("d", 10), 48, "Kept the first 48 of 59 notes."},
    {"PauseAfterFifty", Repeat("c", 50) + ",p,d", 50, "Kept the first 50 of 52 notes."},
    // A phrase of 39 notes is too short: the first 50 are kept.
    {"BelowFloor", Repeat("c", 39) + ",p," + Repeat("d", 20), 50, ""},
    {"AtFloor", Repeat("c", 40) + ",p," + Repeat("d", 20), 40, ""},
    // Pauses before the cut end the phrase too, and go with it.
    {"PausesBeforeCut", Repeat("c", 45) + ",p,p," + Repeat("d", 10), 45, ""},
    {"FiftyAfterEndPauses", Repeat("c", 50) + ",p,p", 50, "Dropped the pauses at the end."},
};
// clang-format on

class CutTest : public ::testing::TestWithParam<CutRow> {};

TEST_P(CutTest, KeepsAPhraseOfTheTune) {
    const CutRow& row = GetParam();
    const PhoneFit::Result r = FitText(RTTTL, "T:d=4,o=5,b=100:" + row.sNotes);
    EXPECT_EQ(r.Kept, row.iKept);
    EXPECT_EQ(r.Origins.size(), static_cast<size_t>(row.iKept));
    if (!row.sSummary.empty()) {
        EXPECT_EQ(PhoneFit::Summary(r), row.sSummary);
    }
}

INSTANTIATE_TEST_SUITE_P(Length, CutTest, ::testing::ValuesIn(CutRows),
                         [](const auto& info) { return std::string(info.param.sName); });

TEST(PhoneFitTest, SummaryJoinsWhatWasDone) {
    PhoneFit::Result r;
    r.Octaves = 1;
    r.Cut = true;
    r.Kept = 48;
    r.Of = 64;
    EXPECT_EQ(PhoneFit::Summary(r), "Moved up one octave; kept the first 48 of 64 notes.");
    r = {};
    r.Octaves = -3;
    r.Folded = 2;
    r.Mended = 1;
    r.Dropped = 1;
    r.Kept = 5;
    EXPECT_EQ(PhoneFit::Summary(r), "Moved down three octaves; folded 2 notes into the phone's "
                                    "octaves; mended 1 note; dropped 1 token that is no note.");
}

TEST(PhoneFitTest, FallbackNameIsTheFileNameWithoutExtension) {
    EXPECT_EQ(PhoneFit::FallbackName("tone.TXT"), "tone");
    EXPECT_EQ(PhoneFit::FallbackName("my.tone.321"), "my.tone");
    EXPECT_EQ(PhoneFit::FallbackName(""), "Ringtone");
    EXPECT_EQ(FitText(RTTTL, "c,d", "tone").Text, "tone:d=4,o=5,b=0:c,d");
    // A colon would end an RTTTL name early and leave a header that does not read.
    EXPECT_EQ(FitText(RTTTL, "c,d", "Artist: Tune, 2").Text, "Artist- Tune, 2:d=4,o=5,b=0:c,d");
    EXPECT_EQ(FitText(Composer, "4c1", "Artist: Tune").Text, "Artist: Tune:Tempo=0:4c1");
}

TEST(PhoneFitTest, NeedsFittingOnlyWhatFitMends) {
    struct {
        int32_t iSourceType;
        std::string sText;
        bool bNeeds;
    } rows[] = {
        {RTTTL, "T:d=4,o=5,b=100:c,8d#6,16p.,32b7", false},
        {Composer, "T:Tempo=90:4c1 8.#d2 16- 32b3", false},
        {RTTTL, "T:d=4,o=5,b=100:" + Repeat("c", 50), false},
        {RTTTL, "T:d=4,o=5,b=100:" + Repeat("c", 51), true},
        {RTTTL, "T:d=4,o=5,b=100:c,d4", true},
        {RTTTL, "T:d=4,o=5,b=100:c,64d", true},
        {RTTTL, "T:d=4,o=5,b=100:c,e#", true},
        {RTTTL, "T:d=4,o=5,b=100:c,a_", true},
        {Composer, "T:Tempo=90:4c1 4c4", true},
        {Composer, "T:Tempo=90:4c1 4c", true},
    };
    for (const auto& row : rows) {
        CNokia nokia;
        nokia.SourceType = row.iSourceType;
        nokia.OriginalText = row.sText;
        nokia.Convert();
        EXPECT_EQ(PhoneFit::NeedsFitting(nokia), row.bNeeds) << row.sText;
    }
}

TEST(PhoneFitTest, FittedTextConvertsToEnterableNotes) {
    CNokia fitted;
    fitted.OriginalText =
        FitText(RTTTL, "T:d=4,o=4,b=100:" + Repeat("c#", 30) + ",64h,x," + Repeat("e#8", 30)).Text;
    fitted.Convert();
    EXPECT_FALSE(PhoneFit::NeedsFitting(fitted)) << fitted.OriginalText;
    EXPECT_EQ(fitted.NoteCount(), 50);
}
