// What the compact keeping of notes could get wrong: defaults and tokens that
// do not fit a record, a store emptied and filled again, notes written
// through their members, and the places and error lines read without
// building the notes.

#include "ErrorLines.h"
#include "engine/CNokia.h"
#include "engine/modNOK.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Forms {
    std::string sKeys;
    std::string sComposer;
    std::string sRTTTL;
};

Forms FormsOf(const CNokia& nokia) {
    return {nokia.Notes.GetNotes(0), nokia.Notes.GetNotes(1), nokia.Notes.GetNotes(2)};
}

void ExpectForms(const CNokia& nokia, const Forms& expected) {
    const Forms forms = FormsOf(nokia);
    EXPECT_EQ(forms.sKeys, expected.sKeys);
    EXPECT_EQ(forms.sComposer, expected.sComposer);
    EXPECT_EQ(forms.sRTTTL, expected.sRTTTL);
}

void Convert(CNokia& nokia, const std::string& sText) {
    nokia.Clear();
    nokia.SourceType = 0;
    nokia.OriginalText = sText;
    nokia.Convert();
}

TEST(NoteStoreTest, LongDefaultThenClearAndConvertAgain) {
    CNokia nokia;
    const std::string sLong = std::string(40, '0') + "8";
    Convert(nokia, "x:d=" + sLong + ",o=5,b=100:c,16d,c");
    ExpectForms(nokia, {"18, 28, 19", sLong + "c1 16d1 " + sLong + "c1", "c,16d,c"});
    EXPECT_EQ(modNOK::PhoneDuration, sLong);

    // The next ringtone's defaults, not the last one's, after the store was freed.
    Convert(nokia, "y:d=16,o=6,b=100:c,8e7");
    ExpectForms(nokia, {"188*, 39*", "16c2 8e3", "c,8e7"});
    EXPECT_EQ(nokia.Notes.Item(1).Duration_Part, "16");
    EXPECT_EQ(modNOK::GetErrors(), "");
}

// A token too long for a record is parsed by the note itself, in its place
// in the phone state.
TEST(NoteStoreTest, OddTokenAmongOrdinaryNotes) {
    CNokia nokia;
    const std::string sOdd = "c" + std::string(70000, '#');
    Convert(nokia, "x:d=4,o=5,b=100:8d," + sOdd + ",e");
    ExpectForms(nokia, {"28, 19#, 3", "8d1 4#c1 4e1", "8d,c#,e"});
    EXPECT_EQ(nokia.Notes.Item(2).NoteBatch(), sOdd);
}

TEST(NoteStoreTest, NoteWrittenThroughItsMembersIsWhatIsRendered) {
    CNokia nokia;
    Convert(nokia, "x:d=4,o=5,b=100:c,d");
    CNote& note = nokia.Notes.Item(2);
    EXPECT_EQ(note.Note_Part, "d");
    EXPECT_EQ(note.Keypresses, "2");
    note.Note_Part = "e";
    note.RNote_Part = "e";
    note.Keypresses = "3";
    EXPECT_EQ(&nokia.Notes.Item(2), &note);
    ExpectForms(nokia, {"1, 3", "4c1 4e1", "c,e"});
    std::vector<std::string> walked;
    for (const auto& walkedNote : nokia.Notes)
        walked.push_back(walkedNote->Note_Part);
    EXPECT_EQ(walked, (std::vector<std::string>{"c", "e"}));
}

TEST(NoteStoreTest, PlacesAndErrorLinesOfEachNote) {
    CNokia nokia;
    Convert(nokia, "x:d=4,o=5,b=100:c,2a4,p");
    std::vector<CNotes::Place> places;
    EXPECT_EQ(nokia.Notes.GetNotesWithin(1, 100, places), "4c1 2a0 4-");
    const std::vector<std::pair<uint32_t, uint32_t>> expected{{0, 3}, {4, 3}, {8, 2}};
    std::vector<std::pair<uint32_t, uint32_t>> found;
    for (const CNotes::Place& place : places)
        found.emplace_back(place.iStart, place.iLength);
    EXPECT_EQ(found, expected);
    EXPECT_EQ(nokia.Notes.GetNotesWithin(0, 3, places), std::nullopt);
    EXPECT_EQ(nokia.Notes.ParseErrorLines(1), "");
    EXPECT_EQ(nokia.Notes.ParseErrorLines(2), ErrorLines::Octave4);
    EXPECT_EQ(nokia.Notes.ParseErrorLines(3), "");
}

} // namespace
