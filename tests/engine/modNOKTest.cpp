#include "engine/modNOK.h"

#include "tests/engine/ErrorLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace modNOK;

namespace {

const std::string& Octave4Line = ErrorLines::Octave4;
const std::string& Octave8Line = ErrorLines::Octave8;

// The failure description a whole-number conversion ends with, or "" when it
// returns normally.
template <typename F> std::string FailureOf(F f) {
    try {
        f();
    } catch (const Failure& e) {
        return e.what();
    }
    return {};
}

// A key function called from a given phone state: the keys it gives, or the
// failure it ends with.
struct KeysRow {
    const char* sPhone;
    int16_t iNew;
    const char* sKeys;
    const char* sFailure;
};

void ExpectKeys(const std::vector<KeysRow>& rows, CSharedText& sPhoneState,
                std::string (*fnKeys)(int16_t)) {
    for (const auto& row : rows) {
        sPhoneState = row.sPhone;
        SCOPED_TRACE(std::string(row.sPhone) + " -> " + std::to_string(row.iNew));
        std::string sKeys;
        EXPECT_EQ(FailureOf([&] { sKeys = fnKeys(row.iNew); }), row.sFailure);
        EXPECT_EQ(sKeys, row.sKeys);
    }
}

} // namespace

TEST(TextNumbers, Numeric) {
    struct Row {
        const char* sText;
        bool bNumeric;
    };
    const std::vector<Row> rows = {
        {"16", true},     {"6", true},         {"6.", true},   {".5", true},
        {"+3", true},     {"-3", true},        {" 5  ", true}, {"1.5", true},
        {"007", true},    {"", false},         {".", false},   {"c", false},
        {"#", false},     {"4c", false},       {"+", false},   {"-.", false},
        {"1.2.3", false}, {"1e3", false},      {"3-", false},  {"1,000", false},
        {"1 6", false},   {"- 5", false},      {"\t5", false}, {"5\xc2\xa0", false},
        {"   ", false},   {"\xd9\xa3", false}, // the last: an Arabic-Indic three
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sText);
        EXPECT_EQ(IsNumeric(row.sText), row.bNumeric);
    }
}

TEST(TextNumbers, ValueIsExactAndSkipsBlanks) {
    struct Row {
        const char* sText;
        const char* sValue;
    };
    const std::vector<Row> rows = {
        {"16", "16"},     {"04", "4"},
        {"", "0"},        {"c", "0"},
        {"1 6", "16"},    {"- 5", "-5"},
        {"+7", "7"},      {"4c", "4"},
        {"6.", "6"},      {"2.50", "2.5"},
        {" 8 ", "8"},     {"8.4x", "8.4"},
        {"1.2.3", "1.2"}, {"-0", "0"},
        {"\t5", "0"},     {"12345678901234567890", "12345678901234567890"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sText);
        EXPECT_EQ(Value(row.sText), row.sValue);
    }
    EXPECT_TRUE(SameValue("04", "4"));
    EXPECT_TRUE(SameValue("", "0"));
    EXPECT_TRUE(SameValue("8.0", "8"));
    EXPECT_FALSE(SameValue("12345678901234567890", "12345678901234567891"));
    EXPECT_FALSE(SameValue("0.10000000000000000001", "0.1"));
}

TEST(TextNumbers, WholeNumberRoundsHalfToEvenWithin16Bits) {
    struct Row {
        const char* sText;
        int iValue;
        const char* sFailure;
    };
    // clang-format off
    const std::vector<Row> rows = {
        {"2.5", 2, ""}, {"3.5", 4, ""}, {"2.50000000000000001", 3, ""},
        {"2.49999999999999999999", 2, ""}, {"-2.5", -2, ""}, {"-3.5", -4, ""}, {"0.5", 0, ""},
        {"1.5", 2, ""}, {"-0.5", 0, ""}, {" 7 ", 7, ""}, {"+7", 7, ""}, {"6.", 6, ""},
        {"000000000001", 1, ""}, {"32767", 32767, ""}, {"32767.4", 32767, ""},
        {"-32768", -32768, ""}, {"-32768.5", -32768, ""}, {"32767.5", 0, Overflow},
        {"32768", 0, Overflow}, {"-32769", 0, Overflow}, {"99999", 0, Overflow},
        {"123456789012345678901234", 0, Overflow}, {"", 0, TypeMismatch}, {"x", 0, TypeMismatch},
        {"1 6", 0, TypeMismatch}, {"4c", 0, TypeMismatch}, {".", 0, TypeMismatch},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sText);
        int iValue = 0;
        EXPECT_EQ(FailureOf([&] { iValue = WholeNumber(row.sText); }), row.sFailure);
        EXPECT_EQ(iValue, row.iValue);
    }
}

TEST(NoteKeys, GetNoteKey) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"c", "1"}, {"d", "2"}, {"e", "3"}, {"f", "4"}, {"g", "5"}, {"a", "6"}, {"b", "7"},
        {"-", "0"}, {"C", ""},  {"p", ""},  {"h", ""},  {"", ""},   {"cc", ""}, {" c", ""},
    };
    for (const auto& [sNote, sKey] : rows) {
        SCOPED_TRACE(sNote);
        EXPECT_EQ(GetNoteKey(sNote), sKey);
    }
}

TEST(NoteKeys, GetDurationKeysFullTable) {
    const int durations[] = {1, 2, 4, 8, 16, 32};
    const char* const table[6][6] = {
        {"", "8", "88", "888", "8888", "88888"}, {"9", "", "8", "88", "888", "8888"},
        {"99", "9", "", "8", "88", "888"},       {"999", "99", "9", "", "8", "88"},
        {"9999", "999", "99", "9", "", "8"},     {"99999", "9999", "999", "99", "9", ""},
    };
    for (int iCurrent = 0; iCurrent < 6; ++iCurrent) {
        for (int iNew = 0; iNew < 6; ++iNew) {
            PhoneDuration = std::to_string(durations[iCurrent]);
            SCOPED_TRACE(PhoneDuration + " -> " + std::to_string(durations[iNew]));
            EXPECT_EQ(GetDurationKeys(static_cast<int16_t>(durations[iNew])),
                      table[iCurrent][iNew]);
        }
    }
}

TEST(NoteKeys, GetDurationKeysOutsideTheTable) {
    const std::vector<KeysRow> rows = {
        {"4", 32, "888", ""},       {"4", 1, "99", ""},         {"4", 3, "", ""},
        {"4", 64, "", ""},          {"4", -4, "", ""},          {"3", 1, "", ""},
        {"3", 32, "", ""},          {"04", 8, "8", ""},         {"", 8, "", TypeMismatch},
        {"x", 8, "", TypeMismatch}, {"99999", 8, "", Overflow},
    };
    ExpectKeys(rows, PhoneDuration, GetDurationKeys);
}

TEST(NoteKeys, GetOctaveKeys) {
    const std::vector<KeysRow> rows = {
        {"1", 1, "", ""},          {"1", 2, "*", ""},          {"1", 3, "**", ""},
        {"2", 1, "**", ""},        {"2", 2, "", ""},           {"2", 3, "*", ""},
        {"3", 1, "*", ""},         {"3", 2, "**", ""},         {"3", 3, "", ""},
        {"0", 1, "", ""},          {"0", 2, "", ""},           {"5", 1, "", ""},
        {"5", 3, "", ""},          {"1", 0, "", ""},           {"1", 4, "", ""},
        {"", 1, "", TypeMismatch}, {"99999", 1, "", Overflow},
    };
    ExpectKeys(rows, PhoneOctave, GetOctaveKeys);
}

TEST(NoteKeys, GetOctaveMapsBothWaysAndReportsUnplayableOctaves) {
    struct Row {
        const char* sOctave;
        const char* sResult;
        std::string sErrors;
    };
    const std::vector<Row> rows = {
        {"1", "5", ""}, {"2", "6", ""}, {"3", "7", ""}, {"4", "0", Octave4Line},
        {"5", "1", ""}, {"6", "2", ""}, {"7", "3", ""}, {"8", "4", Octave8Line},
        {"9", "", ""},  {"0", "", ""},  {"", "", ""},   {" 5", "", ""},
        {"05", "", ""}, {"6.", "", ""}, {"-1", "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sOctave);
        ErrorList.clear();
        EXPECT_EQ(GetOctave(row.sOctave), row.sResult);
        EXPECT_EQ(GetErrors(), row.sErrors);
    }
}

TEST(ErrorListTest, AddErrorJoinsLinesWithALoneCarriageReturn) {
    ErrorList.clear();
    AddError("modNok.GetOctave",
             "RTTTL Octave 8 is not a valid octave and is not supported by the Nokia 3210.");
    EXPECT_EQ(GetErrors(), Octave8Line);
    AddError("CNote.NoteBatch", "Overflow");
    EXPECT_EQ(GetErrors(), Octave8Line + "\r[CNote.NoteBatch] Overflow");
    // Reading does not clear the list.
    EXPECT_EQ(GetErrors(), Octave8Line + "\r[CNote.NoteBatch] Overflow");

    // Only an exactly empty list takes a line without a carriage return.
    ErrorList = " ";
    AddError("a", "b");
    EXPECT_EQ(GetErrors(), " \r[a] b");
    ErrorList.clear();
    AddError("", "");
    EXPECT_EQ(GetErrors(), "[] ");
}

TEST(CleanNoteTextTest, JoinsLinesTrimsAndDropsOneTrailingComma) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"  4c1,\r\n8d1,  ", "4c1,8d1"},
        {"4c1\r\n8d1", "4c18d1"},
        {"a,,", "a,"},
        {"", ""},
        {",", ""},
        {" , ", ""},
        {"a , ", "a "},
        {"\n 4c1 \n", "4c1"},
        {"\r 4c1 \r", "4c1"},
        {"4c\n1,\r\n \r", "4c1"},
        {"\t4c1\t", "\t4c1\t"},
        {"a\rb\nc", "abc"},
    };
    for (const auto& [sRaw, sClean] : rows) {
        SCOPED_TRACE(sRaw);
        EXPECT_EQ(CleanNoteText(sRaw), sClean);
    }
}
