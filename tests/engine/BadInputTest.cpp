// Texts that are not ringtones, or barely: whatever arrives, the engine
// converts without failing towards its caller and reports problems as
// error-list lines.

#include "engine/CNokia.h"
#include "engine/modNOK.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <malloc.h>
#include <ostream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::string_literals;

namespace {

struct CleanCase {
    std::string sRaw;
    std::string sClean;
};

void PrintTo(const CleanCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.sRaw);
}

class CleanLineEndsTest : public ::testing::TestWithParam<CleanCase> {};

TEST_P(CleanLineEndsTest, RemovesLineEndsAndOuterBlanks) {
    EXPECT_EQ(modNOK::CleanNoteText(GetParam().sRaw), GetParam().sClean);
}

// Line ends and blanks mixed at the ends, where removing and trimming in
// one pass must agree with doing it step by step.
INSTANTIATE_TEST_SUITE_P(
    Table, CleanLineEndsTest,
    ::testing::Values(CleanCase{"\r\n\r\n\n\r", ""}, CleanCase{"\n\n  a  \r\r", "a"},
                      CleanCase{" \n \r ,", ""}, CleanCase{"a\0b\n\0"s, "a\0b\0"s},
                      CleanCase{"\nc,\r", "c"}, CleanCase{"   ", ""},
                      CleanCase{" \r \n x \n \r ", "x"}, CleanCase{"a \n b", "a  b"},
                      CleanCase{"c,,\n", "c,"}, CleanCase{"c, \n", "c"}));

const char* const RtttlHeader =
    "[CNokia.Convert] This ringtone does not have valid RTTTL header information.";
const char* const ComposerHeader =
    "[CNokia.Convert] This ringtone does not have valid COMPOSER header information.";

struct HostileCase {
    const char* sName;
    int32_t iSourceType;
    std::string sFileName;
    std::string sText;
    int32_t iNotes;
    std::string sErrors;
};

void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.sName;
}

class HostileTextTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileTextTest, ConvertsWithoutFailingTowardsTheCaller) {
    const auto& c = GetParam();
    CNokia nokia;
    nokia.Clear();
    nokia.SourceType = c.iSourceType;
    nokia.FileName = c.sFileName;
    nokia.OriginalText = c.sText;
    ASSERT_NO_THROW(nokia.Convert());
    EXPECT_EQ(nokia.Notes.Count(), c.iNotes);
    EXPECT_EQ(modNOK::GetErrors(), c.sErrors);
    for (int16_t iType = 0; iType <= 2; ++iType) {
        nokia.ShowType = iType;
        EXPECT_NO_THROW(nokia.ShowScreen());
    }
    EXPECT_EQ(modNOK::GetErrors(), c.sErrors) << "rendering added error lines";
}

std::string Times(const std::string& sPiece, size_t iCount) {
    std::string s;
    for (size_t i = 0; i < iCount; ++i)
        s += sPiece;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Table, HostileTextTest,
    ::testing::Values(
        // A blank name from the clipboard has no file name to stand in for it.
        HostileCase{"ColonsFromClipboard", 0, "", Times(":", 1000), 0, RtttlHeader},
        HostileCase{"ColonsFromFile", 0, "tone.TXT", Times(":", 1000), 1, ""},
        HostileCase{"EqualsSigns", 0, "", Times("=", 1000), 1, ""},
        HostileCase{"EqualsSignsComposer", 1, "", Times("=", 1000), 1,
                    "[CNote.NoteBatch] Type mismatch"},
        HostileCase{"DurationKeyAtTheEnd", 0, "", "Tone:8c,8d,d=", 0, RtttlHeader},
        HostileCase{"TempoKeyAtTheEnd", 0, "", "Tone:8c,8d,b=", 0, RtttlHeader},
        HostileCase{"ComposerTempoKeyAtTheEnd", 1, "", "Tone:4c1 8d1 Tempo=", 0, ComposerHeader},
        HostileCase{"HeaderKeysOnly", 0, "", Times("d=o=b=", 500), 0, RtttlHeader},
        HostileCase{"NulBytes", 0, "", "Tone:d=4,o=5,b=100:8c\0,\0,8d"s, 3, ""},
        HostileCase{"OneLongLine", 0, "", "Tone:d=4,o=5,b=125:" + Times("8c#6", 250000), 1, ""},
        HostileCase{"ThousandDigitOctave", 0, "", "Tone:d=4,o=5,b=125:8c" + Times("6", 1000), 1,
                    ""},
        HostileCase{"ThousandDigitComposerOctave", 1, "", "Tone:4c" + Times("1", 1000), 1,
                    "[CNote.NoteBatch] Overflow"},
        HostileCase{"ThousandDigitTempo", 1, "", "Tone:Tempo=" + Times("1", 1000) + ":4c1", 0,
                    ComposerHeader},
        HostileCase{"BlanksOnly", 1, "", "Tone:" + Times(" ", 1000), 0, ""},
        // One trailing comma is dropped; the others separate empty notes.
        HostileCase{"CommasOnly", 0, "", Times(",", 40000), 40000, ""}));

TEST(HostileText, CountBeyondSixteenBitsFailsInsteadOfWrapping) {
    CNokia nokia;
    nokia.Clear();
    nokia.OriginalText = Times("c,", 40000);
    nokia.Convert();
    ASSERT_EQ(nokia.Notes.Count(), 40000);
    EXPECT_THROW(nokia.NoteCount(), modNOK::Failure);
}

TEST(HostileText, BinaryDataNeverFailsTowardsTheCaller) {
    // A fixed pseudo-random byte stream, so a failure repeats.
    uint32_t iState = 12345;
    std::string sText;
    for (int i = 0; i < 20000; ++i) {
        iState = iState * 1103515245u + 12345u;
        sText += static_cast<char>(iState >> 24);
    }
    for (int32_t iSourceType : {0, 1}) {
        CNokia nokia;
        nokia.Clear();
        nokia.SourceType = iSourceType;
        nokia.OriginalText = sText;
        ASSERT_NO_THROW(nokia.Convert());
        for (int16_t iType = 0; iType <= 2; ++iType) {
            nokia.ShowType = iType;
            EXPECT_NO_THROW(nokia.ShowScreen());
        }
        EXPECT_NO_THROW(nokia.NoteCount());
        EXPECT_NO_THROW(nokia.Clear());
        EXPECT_EQ(nokia.Notes.Count(), 0);
    }
}

// Every note takes the one stored copy of a long default, instead of
// 32,720 copies of 32,800 characters (a gigabyte).
TEST(HostileText, LongDefaultIsSharedByEveryNote) {
    CNokia nokia;
    nokia.Clear();
    nokia.OriginalText = "x:d=" + std::string(32799, '0') + "4,o=5,b=100:c" + Times(",", 32720);
    nokia.Convert();
    ASSERT_EQ(nokia.Notes.Count(), 32720);
    ASSERT_TRUE(modNOK::DefaultDuration.Shared());
    for (const auto& note : nokia.Notes)
        ASSERT_EQ(note->Duration_Part.Shared(), modNOK::DefaultDuration.Shared());
    EXPECT_EQ(modNOK::GetErrors(), "");
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool bSanitized = true;
#else
constexpr bool bSanitized = false;
#endif

// Runs out of memory for real, in a child process held to a few megabytes
// more than it uses: the conversion and the rendering still return, and the
// error list names the failure.
TEST(HostileText, RunningOutOfMemoryIsRecorded) {
    if (bSanitized)
        GTEST_SKIP() << "the sanitizers' allocator does not fail under an address-space limit";
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // Large blocks come from fresh mappings, not from what earlier tests
        // freed, so the limit below holds for them.
        mallopt(M_MMAP_THRESHOLD, 128 * 1024);
        CNokia nokia;
        nokia.Clear();
        nokia.OriginalText = "x:d=4,o=5,b=100:" + Times("8c#6,", 400000);
        long iPages = 0;
        std::ifstream("/proc/self/statm") >> iPages;
        const rlim_t iLimit = static_cast<rlim_t>(iPages * sysconf(_SC_PAGESIZE)) + (4 << 20);
        const rlimit limit{iLimit, iLimit};
        if (setrlimit(RLIMIT_AS, &limit) != 0)
            _exit(2);
        nokia.Convert();
        nokia.ShowType = 1;
        const std::string sShown = nokia.ShowScreen();
        const bool bRecorded = modNOK::ErrorList.find("std::bad_alloc") != std::string::npos;
        _exit(bRecorded && nokia.Notes.Count() < 400000 ? 0 : 3);
    }
    int iStatus = 0;
    ASSERT_EQ(waitpid(pid, &iStatus, 0), pid);
    ASSERT_TRUE(WIFEXITED(iStatus)) << "ended by signal " << WTERMSIG(iStatus);
    EXPECT_EQ(WEXITSTATUS(iStatus), 0);
}

} // namespace
