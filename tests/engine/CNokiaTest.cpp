#include "engine/CNokia.h"
#include "engine/modNOK.h"

#include "tests/engine/ErrorLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int32_t RTTTL = 0;
constexpr int32_t Composer = 1;

const std::string RTTTLHeaderFailure =
    "[CNokia.Convert] This ringtone does not have valid RTTTL header information.";
const std::string ComposerHeaderFailure =
    "[CNokia.Convert] This ringtone does not have valid COMPOSER header information.";
const std::string Octave8Warning = "[CNokia.Convert] RTTTL Octave 8 Not supported by Nokia 3210.";
const std::string& Octave8Line = ErrorLines::Octave8;

struct ConvertRow {
    const char* sName;
    int32_t iSourceType;
    std::string sFileName;
    std::string sText;
    std::string sRingToneName;
    int16_t iTempo;
    std::string sDefaultDuration;
    std::string sDefaultOctave;
    std::vector<std::string> tokens; // as handed to the note parser
    std::string sErrors;
};

std::ostream& operator<<(std::ostream& os, const ConvertRow& r) {
    return os << r.sName;
}

// clang-format off
const ConvertRow ConvertRows[] = {
    {"FullHeader", RTTTL, "", "Tone:d=8,o=6,b=140:8c,8d", "Tone", 140, "8", "6", {"8c", "8d"}, ""},
    {"TempoOnly", RTTTL, "", "Tone:b=140:8c,8d", "Tone", 140, "4", "5", {"8c", "8d"}, ""},
    {"DurationAndTempo", RTTTL, "", "Tone:d=16,b=90:c", "Tone", 90, "16", "5", {"c"}, ""},
    {"OctaveAndTempo", RTTTL, "", "Tone:o=6,b=90:c", "Tone", 90, "4", "6", {"c"}, ""},
    {"NoColon", RTTTL, "", "8c,8d,8e", "", 0, "4", "5", {"8c", "8d", "8e"}, ""},
    {"HeaderTakenAsName", RTTTL, "", "d=4,o=5,b=100:8c,8d", "d=4,o=5,b=100", 0, "4", "5", {"8c", "8d"}, ""},
    {"NameUntrimmed", RTTTL, "", "My Tone :b=90:c", "My Tone ", 90, "4", "5", {"c"}, ""},
    {"FieldsOutOfOrder", RTTTL, "", "Tone:o=5,d=4,b=100:8c", "Tone", 0, "4", "5", {}, RTTTLHeaderFailure},
    {"DefaultOctave8", RTTTL, "", "Tone:d=4,o=8,b=100:8c", "Tone", 100, "4", "8", {"8c"}, Octave8Warning + "\r" + Octave8Line},
    // A failed octave keeps what was read before it, and its own text.
    {"OctaveNotNumeric", RTTTL, "", "Tone:d=8,o=x,b=100:8c", "Tone", 0, "8", "x", {}, RTTTLHeaderFailure},
    {"TempoEmpty", RTTTL, "", "Tone:d=4,o=5,b=:8c", "Tone", 0, "4", "5", {}, RTTTLHeaderFailure},
    {"TempoOverflow", RTTTL, "", "Tone:d=4,o=5,b=40000:8c", "Tone", 0, "4", "5", {}, RTTTLHeaderFailure},
    {"TempoHalfDown", RTTTL, "", "Tone:b=120.5:c", "Tone", 120, "4", "5", {"c"}, ""},
    {"TempoHalfUp", RTTTL, "", "Tone:b=121.5:c", "Tone", 122, "4", "5", {"c"}, ""},
    {"DurationWithoutComma", RTTTL, "", "Tone:d=8", "Tone", 0, "4", "5", {}, RTTTLHeaderFailure},
    {"DurationEmpty", RTTTL, "", "Tone:d=,o=6,b=100:", "Tone", 100, "", "6", {}, ""},
    {"TempoKeyAtTheEnd", RTTTL, "", "Tone:c,d,b=", "Tone", 0, "4", "5", {}, RTTTLHeaderFailure},
    // Keys are plain substring searches: "o=" is found inside "Tempo=".
    {"OctaveKeyInsideTempoFails", RTTTL, "", "Tone:Tempo=120:c,d", "Tone", 0, "4", "120:c", {}, RTTTLHeaderFailure},
    {"OctaveKeyInsideTempoReads", RTTTL, "", "Tone:Tempo=6,b=100:c", "Tone", 100, "4", "6", {"c"}, ""},
    {"Octave08Warns", RTTTL, "", "Tone:d=4,o=08,b=100:", "Tone", 100, "4", "08", {}, Octave8Warning},
    {"Octave8Point0Warns", RTTTL, "", "Tone:d=4,o=8.0,b=100:", "Tone", 100, "4", "8.0", {}, Octave8Warning},
    {"OctaveBlank8Warns", RTTTL, "", "Tone:d=4,o= 8,b=100:", "Tone", 100, "4", " 8", {}, Octave8Warning},
    {"Octave8Point4DoesNotWarn", RTTTL, "", "Tone:d=4,o=8.4,b=100:", "Tone", 100, "4", "8.4", {}, ""},
    {"Octave99999IsNoFailure", RTTTL, "", "Tone:d=4,o=99999,b=100:", "Tone", 100, "4", "99999", {}, ""},
    {"BlankNameFromFile", RTTTL, "tone.TXT", ":d=4,o=5,b=100:8c", "tone", 100, "4", "5", {"8c"}, ""},
    {"BlankNameFromClipboard", RTTTL, "", ":d=4,o=5,b=100:8c", "", 0, "4", "5", {}, RTTTLHeaderFailure},
    {"BlankNameShortFileName", Composer, "a.b", ":Tempo=100:4c1", "", 0, "4", "5", {}, ComposerHeaderFailure},
    {"BlankNameFourCharFileName", Composer, "tone", ":Tempo=100:4c1", "", 100, "4", "5", {"4c1"}, ""},
    {"SingleNote", RTTTL, "", "Tone:d=4,o=5,b=100:8c", "Tone", 100, "4", "5", {"8c"}, ""},
    {"NoNotes", RTTTL, "", "Tone:d=4,o=5,b=100:", "Tone", 100, "4", "5", {}, ""},
    {"TokensAreNotTrimmed", RTTTL, "", "8c ,8d", "", 0, "4", "5", {"8c ", "8d"}, ""},
    {"BlanksAfterCommas", RTTTL, "", "Tone:c, d,  e", "Tone", 0, "4", "5", {"c", "d", "e"}, ""},
    {"TrailingCommaIgnored", RTTTL, "", "Tone:d=4,o=5,b=100:8c,8d,", "Tone", 100, "4", "5", {"8c", "8d"}, ""},
    {"EmptyLastTokenKept", RTTTL, "", "c,d, ,", "", 0, "4", "5", {"c", "d", ""}, ""},
    {"LinesJoined", RTTTL, "", "Tone:d=4,o=5,b=1\r\n00:8c,8\nd\r\n", "Tone", 100, "4", "5", {"8c", "8d"}, ""},
    {"Empty", RTTTL, "", "", "", 0, "4", "5", {}, ""},
    {"ComposerTempo", Composer, "", "Tone:Tempo=120:4c2 8d2 16-", "Tone", 120, "4", "5", {"4c2", "8d2", "16-"}, ""},
    {"ComposerCommas", Composer, "", "4c2, 8d2", "", 0, "4", "5", {"4c2", "8d2"}, ""},
    {"ComposerRunsOfBlanks", Composer, "", "Tone:Tempo=100:4c1   8d1", "Tone", 100, "4", "5", {"4c1", "8d1"}, ""},
    {"ComposerSplitsAtCommaOnly", Composer, "", "4c2,8d2 16e2", "", 0, "4", "5", {"4c2", "8d2 16e2"}, ""},
    // Only the space character is a blank: a tab separates nothing.
    {"ComposerTabIsNoBlank", Composer, "", "4c1\t8d1", "", 0, "4", "5", {"4c1\t8d1"}, ""},
    {"ComposerWithoutTempo", Composer, "", "Tone:4c1 8d1", "Tone", 0, "4", "5", {"4c1", "8d1"}, ""},
    {"ComposerTempoRounded", Composer, "", "Tone:Tempo=99.5:4c1", "Tone", 100, "4", "5", {"4c1"}, ""},
    {"ComposerTempoNotNumeric", Composer, "", "Tone:Tempo=abc:4c1", "Tone", 0, "4", "5", {}, ComposerHeaderFailure},
    {"ComposerTempoWithoutColon", Composer, "", "Tone:Tempo=120", "Tone", 0, "4", "5", {}, ComposerHeaderFailure},
    // A name with a colon: the name runs to the colon before "Tempo=" once the plain reading fails.
    {"ComposerNameWithColon", Composer, "", "Abba: Mamma Mia:Tempo=40:32f2 8#d2", "Abba: Mamma Mia", 40, "4", "5", {"32f2", "8#d2"}, ""},
    {"ComposerNameWithTwoColons", Composer, "", "A: B: C:Tempo=90:4c1", "A: B: C", 90, "4", "5", {"4c1"}, ""},
    {"ComposerBlankNameBeforeColonName", Composer, "", ": Title:Tempo=90:4c1", ": Title", 90, "4", "5", {"4c1"}, ""},
    {"ComposerColonNameBadTempoFails", Composer, "", "A: B:Tempo=x:4c1", "A: B", 0, "4", "5", {}, ComposerHeaderFailure},
    // Left alone: texts the plain reading accepts, and RTTTL.
    {"ComposerColonNameWithoutTempoKept", Composer, "", "A: B:4c1 8d1", "A", 0, "4", "5", {"B:4c1", "8d1"}, "[CNote.NoteBatch] Type mismatch"},
    {"ComposerTempoInNotesKept", Composer, "", "Tone:Tempo=90:4c1 x:Tempo=5:", "Tone", 90, "4", "5", {"4c1", "x:Tempo=5:"}, "[CNote.NoteBatch] Type mismatch"},
    {"RTTTLNameWithColonNotMended", RTTTL, "", "A: B:Tempo=90:4c1", "A", 0, "4", "5", {}, RTTTLHeaderFailure},
};
// clang-format on

class ConvertTest : public ::testing::TestWithParam<ConvertRow> {};

} // namespace

TEST_P(ConvertTest, NameHeaderTokensAndErrors) {
    const ConvertRow& row = GetParam();
    CNokia nokia;
    nokia.SourceType = row.iSourceType;
    nokia.FileName = row.sFileName;
    nokia.OriginalText = row.sText;
    nokia.Convert();
    EXPECT_EQ(nokia.RingToneName, row.sRingToneName);
    EXPECT_EQ(nokia.Tempo, row.iTempo);
    EXPECT_EQ(modNOK::DefaultDuration, row.sDefaultDuration);
    EXPECT_EQ(modNOK::DefaultOctave, row.sDefaultOctave);
    std::vector<std::string> tokens;
    for (const auto& note : nokia.Notes)
        tokens.push_back(note->NoteBatch());
    EXPECT_EQ(tokens, row.tokens);
    EXPECT_EQ(nokia.NoteCount(), static_cast<int16_t>(row.tokens.size()));
    EXPECT_EQ(modNOK::GetErrors(), row.sErrors);
    EXPECT_EQ(nokia.OriginalText, row.sText);
}

INSTANTIATE_TEST_SUITE_P(Ringtones, ConvertTest, ::testing::ValuesIn(ConvertRows),
                         [](const auto& info) { return std::string(info.param.sName); });

TEST(CNokiaTest, ConvertStartsFromAFreshState) {
    CNokia nokia;
    nokia.RingToneName = "Old";
    nokia.Tempo = 5;
    modNOK::ErrorList = "[Old] line";
    modNOK::PhoneDuration = "x";
    modNOK::PhoneOctave = "x";
    modNOK::DefaultDuration = "32";
    modNOK::DefaultOctave = "7";
    nokia.SourceType = Composer;
    nokia.OriginalText = "4c1 8d2";
    nokia.Convert();
    EXPECT_EQ(nokia.RingToneName, "");
    EXPECT_EQ(nokia.Tempo, 0);
    EXPECT_EQ(nokia.Notes.GetNotes(0), "1, 28*");
    EXPECT_EQ(nokia.Notes.GetNotes(2), "c,8d6");
    EXPECT_EQ(modNOK::GetErrors(), "");
}

TEST(CNokiaTest, ConvertingTwiceWithoutClearKeepsBothConversions) {
    CNokia nokia;
    nokia.OriginalText = "Tone:d=8,o=6,b=140:c,d";
    nokia.Convert();
    nokia.Convert();
    EXPECT_EQ(nokia.NoteCount(), 4);
    nokia.ShowType = 2;
    EXPECT_EQ(nokia.ShowScreen(), "c,d,c,d");
}

TEST(CNokiaTest, ShowScreenRendersTheCurrentShowType) {
    CNokia nokia;
    nokia.SourceType = Composer;
    nokia.OriginalText = "Tone:Tempo=120:4c1 8d1 8.#f2 4- 16a3 2g1";
    nokia.Convert();
    const char* const expected[] = {"1, 28, (hold 4)*#, 09, 68*, 5999*",
                                    "4c1 8d1 8.#f2 4- 16a3 2g1", "c,8d,8f#.6,p,16a7,2g", ""};
    for (int16_t iType = 0; iType < 4; ++iType) {
        SCOPED_TRACE(iType);
        nokia.ShowType = iType;
        EXPECT_EQ(nokia.ShowScreen(), expected[iType]);
        EXPECT_EQ(nokia.ShowScreen(), nokia.Notes.GetNotes(iType));
    }
    EXPECT_EQ(modNOK::GetErrors(), "");
}

TEST(CNokiaTest, ClearResetsTheRingtoneAndKeepsTheSettings) {
    CNokia nokia;
    nokia.FilePath = "/music";
    nokia.FileName = "tone.TXT";
    nokia.SourceType = RTTTL;
    nokia.ShowType = 1;
    nokia.OriginalText = "Tone:d=8,o=7,b=140:c,d,e4";
    nokia.Convert();
    ASSERT_EQ(nokia.NoteCount(), 3);
    ASSERT_NE(modNOK::GetErrors(), "");
    const std::string sPhone = modNOK::PhoneDuration + "/" + modNOK::PhoneOctave;

    nokia.Clear();
    EXPECT_EQ(nokia.RingToneName, "");
    EXPECT_EQ(nokia.FileName, "");
    EXPECT_EQ(nokia.OriginalText, "");
    EXPECT_EQ(nokia.Tempo, 100);
    EXPECT_EQ(nokia.NoteCount(), 0);
    EXPECT_EQ(nokia.ShowScreen(), "");
    EXPECT_EQ(modNOK::GetErrors(), "");
    EXPECT_EQ(modNOK::DefaultDuration, "4");
    EXPECT_EQ(modNOK::DefaultOctave, "5");
    EXPECT_EQ(nokia.FilePath, "/music");
    EXPECT_EQ(nokia.SourceType, RTTTL);
    EXPECT_EQ(nokia.ShowType, 1);
    EXPECT_EQ(modNOK::PhoneDuration + "/" + modNOK::PhoneOctave, sPhone);
}

TEST(CNokiaTest, NoteCountOverflowsInsteadOfWrapping) {
    CNokia nokia;
    std::string sText(32767 * 2 - 1, ',');
    for (size_t i = 0; i < sText.size(); i += 2)
        sText[i] = 'c';
    nokia.OriginalText = sText;
    nokia.Convert();
    EXPECT_EQ(nokia.NoteCount(), 32767);

    nokia.OriginalText = "c";
    nokia.Convert();
    ASSERT_EQ(nokia.Notes.Count(), 32768);
    try {
        (void)nokia.NoteCount();
        ADD_FAILURE() << "no failure beyond 16 bits";
    } catch (const modNOK::Failure& e) {
        EXPECT_STREQ(e.what(), modNOK::Overflow);
    }
    nokia.Clear();
    EXPECT_EQ(nokia.NoteCount(), 0);
}

// Each note keeps the lines its own parse added; the header's own warning
// belongs to no note, and the process-wide list stays whole.
TEST(CNokiaTest, EachNoteKeepsItsOwnErrorLines) {
    struct Row {
        const char* sName;
        int32_t iSourceType;
        std::string sText;
        std::vector<std::vector<std::string>> perNote;
        std::string sErrors;
    };
    const Row rows[] = {
        {"TwoBadRTTTLNotes",
         RTTTL,
         "T:d=4,o=5,b=100:8c8,d,2a4",
         {{Octave8Line}, {}, {ErrorLines::Octave4}},
         Octave8Line + "\r" + ErrorLines::Octave4},
        {"HeaderWarningStaysOut",
         RTTTL,
         "T:d=4,o=8,b=100:c6,d",
         {{}, {Octave8Line}},
         Octave8Warning + "\r" + Octave8Line},
        {"TwoLinesOfOneNote",
         Composer,
         "T:Tempo=100:4d1 c4",
         {{}, {ErrorLines::Octave4, ErrorLines::TypeMismatch}},
         ErrorLines::Octave4 + "\r" + ErrorLines::TypeMismatch},
        {"FirstLineOfTheList",
         Composer,
         "T:Tempo=100:c2 4d1",
         {{ErrorLines::TypeMismatch}, {}},
         ErrorLines::TypeMismatch},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.sName);
        CNokia nokia;
        nokia.SourceType = row.iSourceType;
        nokia.OriginalText = row.sText;
        nokia.Convert();
        std::vector<std::vector<std::string>> perNote;
        for (const auto& note : nokia.Notes)
            perNote.push_back(note->ParseErrors());
        EXPECT_EQ(perNote, row.perNote);
        EXPECT_EQ(modNOK::GetErrors(), row.sErrors);
    }
}
