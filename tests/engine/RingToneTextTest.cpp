#include "engine/RingToneText.h"
#include "engine/CNokia.h"
#include "engine/modNOK.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(RingToneTextTest, WrittenFormsOfAConvertedRingtone) {
    CNokia nokia;
    nokia.OriginalText = "Tone:d=4,o=6,b=140:8c,d";
    nokia.Convert();
    ASSERT_EQ(modNOK::GetErrors(), "");
    struct Row {
        int16_t iShowType;
        const char* sText;
    };
    const std::vector<Row> rows = {
        {0, "Tone:Tempo=140:18*, 29"},
        {1, "Tone:Tempo=140:8c2 4d2"},
        {2, "Tone:d=4,o=6,b=140:8c,d"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.iShowType);
        nokia.ShowType = row.iShowType;
        EXPECT_EQ(RingToneText::Format(nokia.RingToneName, std::to_string(nokia.Tempo),
                                       row.iShowType, nokia.ShowScreen()),
                  row.sText);
    }
}

TEST(RingToneTextTest, NameTempoAndBodyAreTakenAsTheyStand) {
    modNOK::DefaultDuration = "8";
    modNOK::DefaultOctave = "7";
    struct Row {
        const char* sName;
        const char* sTempo;
        int16_t iShowType;
        const char* sBody;
        const char* sText;
    };
    const std::vector<Row> rows = {
        {"", "140", 2, "c,d", ":d=8,o=7,b=140:c,d"},
        {"", "140", 1, "8c3", ":Tempo=140:8c3"},
        {"", "", 0, "", ":Tempo=:"},
        {" My Tone ", " 99x", 1, "typed text", " My Tone :Tempo= 99x:typed text"},
        {"Tone", "100", 2, "", "Tone:d=8,o=7,b=100:"},
        {"Tone", "100", 0, "1, 2", "Tone:Tempo=100:1, 2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sText);
        EXPECT_EQ(RingToneText::Format(row.sName, row.sTempo, row.iShowType, row.sBody), row.sText);
    }
}

TEST(RingToneTextTest, FileExtensions) {
    EXPECT_EQ(RingToneText::Extension(0), ".KEY");
    EXPECT_EQ(RingToneText::Extension(1), ".321");
    EXPECT_EQ(RingToneText::Extension(2), ".TXT");
}
