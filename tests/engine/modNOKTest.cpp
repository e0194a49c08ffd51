#include "engine/CNokia.h"
#include "engine/modNOK.h"

#include <gtest/gtest.h>

TEST(Smoke, ComposerExampleConverts) {
    CNokia nokia;
    nokia.SourceType = 1;
    nokia.OriginalText = "Tone:Tempo=120:4c1 8d1 8.#f2 4- 16a3 2g1";
    nokia.Convert();
    EXPECT_EQ(nokia.RingToneName, "Tone");
    EXPECT_EQ(nokia.Tempo, 120);
    EXPECT_EQ(nokia.Notes.GetNotes(0), "1, 28, (hold 4)*#, 09, 68*, 5999*");
    EXPECT_EQ(nokia.Notes.GetNotes(2), "c,8d,8f#.6,p,16a7,2g");
    EXPECT_EQ(modNOK::GetErrors(), "");
}
