#include "engine/CNotes.h"
#include "engine/modNOK.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int32_t RTTTL = 0;
constexpr int32_t Composer = 1;

// The state a conversion starts in, with the RTTTL defaults of its header.
void StartConversion(const std::string& sDefaultDuration = "4",
                     const std::string& sDefaultOctave = "5") {
    modNOK::ErrorList.clear();
    modNOK::PhoneDuration = "4";
    modNOK::PhoneOctave = "1";
    modNOK::DefaultDuration = sDefaultDuration;
    modNOK::DefaultOctave = sDefaultOctave;
}

struct ListRow {
    const char* sName;
    int32_t iSourceType;
    std::vector<std::string> tokens;
    std::string sKeypresses;
    std::string sComposer;
    std::string sRTTTL;
    std::string sErrors;
};

std::ostream& operator<<(std::ostream& os, const ListRow& r) {
    return os << r.sName;
}

const ListRow ListRows[] = {
    {"Empty", RTTTL, {}, "", "", "", ""},
    {"OneNote", RTTTL, {"8c"}, "18", "8c1", "8c", ""},
    {"ThreeNotes", RTTTL, {"8c", "8d", "4e"}, "18, 2, 39", "8c1 8d1 4e1", "8c,8d,4e", ""},
    // A rejected token keeps its place and its partial renderings.
    {"RejectedTokenCounts",
     Composer,
     {"4c1", "c2", "8d1"},
     "1, 1, 28",
     "4c1 c2 8d1",
     "4c,c6,8d",
     "[CNote.NoteBatch] Type mismatch"},
    // The trailing blank of the joined keypresses goes, the comma before it stays.
    {"EmptyLastRendering",
     Composer,
     {"4c1", ""},
     "1,",
     "4c1 5",
     "4c,",
     "[CNote.NoteBatch] Type mismatch"},
};

class GetNotesTest : public ::testing::TestWithParam<ListRow> {};

} // namespace

TEST_P(GetNotesTest, JoinsEveryFormAndChangesNothing) {
    const ListRow& row = GetParam();
    // A default duration of 16 lets '8c' and '4e' keep their durations in RTTTL.
    StartConversion("16", "5");
    CNotes notes;
    for (const auto& sToken : row.tokens)
        notes.Add(sToken, row.iSourceType);
    EXPECT_EQ(notes.Count(), static_cast<int32_t>(row.tokens.size()));
    const std::string sPhone = modNOK::PhoneDuration + "/" + modNOK::PhoneOctave;
    for (int iPass = 0; iPass < 2; ++iPass) {
        EXPECT_EQ(notes.GetNotes(0), row.sKeypresses);
        EXPECT_EQ(notes.GetNotes(1), row.sComposer);
        EXPECT_EQ(notes.GetNotes(2), row.sRTTTL);
        EXPECT_EQ(notes.GetNotes(3), "");
        EXPECT_EQ(notes.GetNotes(-1), "");
    }
    EXPECT_EQ(modNOK::PhoneDuration + "/" + modNOK::PhoneOctave, sPhone);
    EXPECT_EQ(modNOK::GetErrors(), row.sErrors);
}

INSTANTIATE_TEST_SUITE_P(Lists, GetNotesTest, ::testing::ValuesIn(ListRows),
                         [](const auto& info) { return std::string(info.param.sName); });

TEST(CNotesTest, AddAppendsParsesAndReturnsTheNote) {
    StartConversion();
    CNotes notes;
    const auto first = notes.Add("8c6", RTTTL);
    const auto second = notes.Add("4d2", Composer);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(&notes.Item(1), first.get());
    EXPECT_EQ(&notes.Item(2), second.get());
    EXPECT_EQ(first->SourceType, RTTTL);
    EXPECT_EQ(second->SourceType, Composer);
    EXPECT_EQ(first->Full_ComposerNote(), "8c2");
    EXPECT_EQ(second->Full_RTTTLNote(), "d6");
    std::vector<std::string> walked;
    for (const auto& note : notes)
        walked.push_back(note->NoteBatch());
    EXPECT_EQ(walked, (std::vector<std::string>{"8c6", "4d2"}));
}

TEST(CNotesTest, DeleteAndItemCountFromOne) {
    StartConversion();
    CNotes notes;
    notes.Add("c", RTTTL);
    const auto second = notes.Add("d", RTTTL);
    const auto third = notes.Add("e", RTTTL);
    notes.Delete(1);
    EXPECT_EQ(notes.Count(), 2);
    EXPECT_EQ(&notes.Item(1), second.get());
    EXPECT_EQ(&notes.Item(2), third.get());
    notes.Delete(2);
    EXPECT_EQ(notes.Count(), 1);
    EXPECT_EQ(notes.GetNotes(2), "d");
}

TEST(CNotesTest, PositionsOutsideTheListThrow) {
    StartConversion();
    CNotes notes;
    EXPECT_THROW(notes.Item(1), std::out_of_range);
    EXPECT_THROW(notes.Delete(1), std::out_of_range);
    notes.Add("c", RTTTL);
    notes.Add("d", RTTTL);
    for (const int32_t iIndex : {-1, 0, 3, 1000}) {
        SCOPED_TRACE(iIndex);
        EXPECT_THROW(notes.Item(iIndex), std::out_of_range);
        EXPECT_THROW(notes.Delete(iIndex), std::out_of_range);
    }
    EXPECT_EQ(notes.Count(), 2);
    EXPECT_EQ(modNOK::GetErrors(), "");
}
