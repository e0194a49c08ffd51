#include "engine/CNote.h"
#include "engine/modNOK.h"

#include "tests/engine/ErrorLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string& Octave4Line = ErrorLines::Octave4;
const std::string& Octave8Line = ErrorLines::Octave8;
const std::string& TypeMismatchLine = ErrorLines::TypeMismatch;
const std::string& OverflowLine = ErrorLines::Overflow;

// One token and everything the note makes of it. Parts are written
// duration/dot/sharp/letter/octave.
struct NoteRow {
    std::string sToken;
    std::string sComposerParts;
    std::string sRTTTLParts;
    std::string sComposerNote;
    std::string sRTTTLNote;
    std::string sKeypresses;
    std::string sPhoneDuration;
    std::string sPhoneOctave;
};

// Tokens converted in order from the start of a conversion, as the
// converter would: every note's keys depend on the notes before it.
struct NoteSequence {
    std::string sName;
    int32_t iSourceType;
    std::string sDefaultDuration;
    std::string sDefaultOctave;
    std::vector<NoteRow> rows;
    std::string sErrors;
};

std::ostream& operator<<(std::ostream& os, const NoteSequence& s) {
    return os << s.sName;
}

constexpr int32_t RTTTL = 0;
constexpr int32_t Composer = 1;

// clang-format off
const NoteSequence Sequences[] = {
    {"ComposerTable", Composer, "4", "5", {
        {"4c1", "4///c/1", "///c/", "4c1", "c", "1", "4", "1"},
        {"8d1", "8///d/1", "8///d/", "8d1", "8d", "28", "8", "1"},
        {"8.#f2", "8/./#/f/2", "8/./#/f/6", "8.#f2", "8f#.6", "(hold 4)*#", "8", "2"},
        {"4-", "4///-/5", "///p/", "4-", "p", "09", "8", "2"},
        {"16a3", "16///a/3", "16///a/7", "16a3", "16a7", "68*", "16", "3"},
        {"2g1", "2///g/1", "2///g/", "2g1", "2g", "5999*", "2", "1"},
    }, ""},
    {"RtttlTable", RTTTL, "4", "5", {
        {"c", "4///c/1", "///c/", "4c1", "c", "1", "4", "1"},
        {"8c#.6", "8/./#/c/2", "8/./#/c/6", "8.#c2", "8c#.6", "(hold 1)8*#", "8", "2"},
        {"p", "4///-/1", "///p/", "4-", "p", "09**", "8", "2"},
        {"4e", "4///e/1", "///e/", "4e1", "e", "39**", "4", "1"},
        {"16g#7", "16//#/g/3", "16//#/g/7", "16#g3", "16g#7", "588**#", "16", "3"},
    }, ""},
    {"RtttlDefaults8And6", RTTTL, "8", "6", {
        {"c", "8///c/2", "///c/", "8c2", "c", "18*", "8", "2"},
        {"8d", "8///d/2", "///d/", "8d2", "d", "2", "8", "2"},
        {"p", "8///-/2", "///p/", "8-", "p", "0", "8", "2"},
        {"4e7", "4///e/3", "4///e/7", "4e3", "4e7", "39*", "4", "3"},
    }, ""},
    {"ComposerDotAndSharp", Composer, "4", "5", {
        {"8.c2", "8/.//c/2", "8/.//c/6", "8.c2", "8c.6", "(hold 1)8*", "8", "2"},
        {"16#f2", "16//#/f/2", "16//#/f/6", "16#f2", "16f#6", "48#", "16", "2"},
        // The sharp before the dot: "." becomes the letter and "c2" is no octave.
        {"8#.c2", "8//#/./5", "8//#/./", "8#.5", "8.#", "9#", "8", "5"},
    }, ""},
    {"ComposerPausesKeepThePhoneState", Composer, "4", "5", {
        {"4.-", "4/.//-/5", "/.//p/", "4-", "p.", "(hold 0)", "4", "1"},
        {"8-2", "8///-/2", "8///p/6", "8-", "8p6", "08*", "4", "1"},
    }, ""},
    {"ComposerOddDurationsAndMissingOctave", Composer, "4", "5", {
        {"3c1", "3///c/1", "3///c/", "3c1", "3c", "1", "3", "1"},
        {"4d1", "4///d/1", "///d/", "4d1", "d", "2", "4", "1"},
        {"64e1", "64///e/1", "64///e/", "64e1", "64e", "3", "64", "1"},
        {"8h1", "8///h/1", "8///h/", "8h1", "8h", "", "8", "1"},
        {"8c", "8///c/5", "8///c/", "8c5", "8c", "1", "8", "5"},
    }, ""},
    {"ComposerOctave8IsMappedAndReported", Composer, "4", "5", {
        {"4c8", "4///c/8", "///c/4", "4c8", "c4", "1", "4", "8"},
        {"4d1", "4///d/1", "///d/", "4d1", "d", "2", "4", "1"},
    }, Octave8Line},
    {"RtttlOctaveTextVariants", RTTTL, "4", "5", {
        // Dot after the octave: "6." is numeric but not an octave GetOctave knows.
        {"8c#6.", "8//#/c/1", "8//#/c/6.", "8#c1", "8c#6.", "18#", "8", "1"},
        // A Composer octave in an RTTTL token maps the other way.
        {"c2", "4///c/6", "///c/2", "4c6", "c2", "19", "4", "6"},
        // No guard against a dot in the duration.
        {"8.c", "8.///c/1", "8.///c/", "8.c1", "8.c", "18", "8.", "1"},
        // Untrimmed: the blank stays in the RTTTL octave.
        {"8c6 ", "8///c/1", "8///c/6 ", "8c1", "8c6 ", "1", "8", "1"},
        {"4c06", "4///c/1", "///c/06", "4c1", "c06", "19", "4", "1"},
    }, ""},
    {"RtttlOctaves4And8AreReportedNotFailed", RTTTL, "4", "5", {
        {"2a4", "2///a/0", "2///a/4", "2a0", "2a4", "69", "2", "0"},
        {"2b6", "2///b/2", "2///b/6", "2b2", "2b6", "7", "2", "2"},
        {"p4", "4///-/0", "///p/4", "4-", "p4", "08", "2", "2"},
        {"c8", "4///c/4", "///c/8", "4c4", "c8", "18", "4", "4"},
        {"d", "4///d/1", "///d/", "4d1", "d", "2", "4", "1"},
    }, Octave4Line + "\r" + Octave4Line + "\r" + Octave8Line},
    {"RtttlUpperCaseAndDashAreNoPauses", RTTTL, "4", "5", {
        {"8c6", "8///c/2", "8///c/6", "8c2", "8c6", "18*", "8", "2"},
        {"P", "4///P/1", "///P/", "4P1", "P", "9**", "4", "1"},
        {"8-", "8///-/1", "8///-/", "8-", "8-", "08", "4", "1"},
        {"", "4////1", "////", "41", "", "", "4", "1"},
    }, ""},
    {"ComposerTokenWithoutDurationFails", Composer, "4", "5", {
        {"c2", "///c/2", "///c/6", "c2", "c6", "1", "4", "1"},
        {".c2", "/.//c/2", "/.//c/6", ".c2", "c.6", "(hold 1)", "4", "1"},
    }, TypeMismatchLine + "\r" + TypeMismatchLine},
    {"RtttlInvalidDefaultOctaveFails", RTTTL, "4", "9", {
        {"c", "4///c/", "///c/", "4c", "c", "1", "4", "1"},
        {"c6", "4///c/2", "///c/6", "4c2", "c6", "1*", "4", "2"},
    }, TypeMismatchLine},
    {"ComposerOctaveBeyond16BitsOverflows", Composer, "4", "5", {
        {"4c99999", "4///c/99999", "///c/", "4c99999", "c", "1", "4", "1"},
        {"8c100000000000000000001", "8///c/100000000000000000001", "8///c/",
         "8c100000000000000000001", "8c", "18", "4", "1"},
    }, OverflowLine + "\r" + OverflowLine},
};
// clang-format on

std::string ComposerParts(const CNote& n) {
    return n.Duration_Part + "/" + n.Dotted_Part + "/" + n.Sharp_Part + "/" + n.Note_Part + "/" +
           n.Octave_Part;
}

std::string RTTTLParts(const CNote& n) {
    return n.RDuration_Part + "/" + n.RDotted_Part + "/" + n.RSharp_Part + "/" + n.RNote_Part +
           "/" + n.ROctave_Part;
}

class NoteSequenceTest : public ::testing::TestWithParam<NoteSequence> {};

} // namespace

TEST_P(NoteSequenceTest, PartsRenderingsKeypressesAndPhoneState) {
    const NoteSequence& seq = GetParam();
    modNOK::ErrorList.clear();
    modNOK::PhoneDuration = "4";
    modNOK::PhoneOctave = "1";
    modNOK::DefaultDuration = seq.sDefaultDuration;
    modNOK::DefaultOctave = seq.sDefaultOctave;
    for (const NoteRow& row : seq.rows) {
        SCOPED_TRACE("token \"" + row.sToken + "\"");
        CNote note;
        note.SourceType = seq.iSourceType;
        note.setNoteBatch(row.sToken);
        EXPECT_EQ(note.NoteBatch(), row.sToken);
        EXPECT_EQ(ComposerParts(note), row.sComposerParts);
        EXPECT_EQ(RTTTLParts(note), row.sRTTTLParts);
        EXPECT_EQ(note.Full_ComposerNote(), row.sComposerNote);
        EXPECT_EQ(note.Full_RTTTLNote(), row.sRTTTLNote);
        EXPECT_EQ(note.Keypresses, row.sKeypresses);
        EXPECT_EQ(modNOK::PhoneDuration, row.sPhoneDuration);
        EXPECT_EQ(modNOK::PhoneOctave, row.sPhoneOctave);
    }
    EXPECT_EQ(modNOK::GetErrors(), seq.sErrors);
}

INSTANTIATE_TEST_SUITE_P(Notes, NoteSequenceTest, ::testing::ValuesIn(Sequences),
                         [](const auto& info) { return info.param.sName; });
