#include "engine/RingToneText.h"
#include "midi/CMidiFile.h"
#include "tests/convert/ProgramRun.h"
#include "tests/engine/ErrorLines.h"
#include "tests/midi/MidiFiles.h"
#include "tests/support/CFileSizeLimit.h"
#include "tune/CSoundFile.h"
#include "tune/CTune.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <sys/mount.h>
#include <vector>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

const std::string RtttlHeader = "[CNokia.Convert] This ringtone does not have valid RTTTL header "
                                "information.";

// A sound file a run should have written: "" for its standard output.
struct Heard {
    std::string sWhere;
    int iFormat; // libsndfile's major format
    int64_t iSamples;
};

void ExpectSound(const Heard& heard, const std::string& sStandardOutput, const fs::path& scratch) {
    SCOPED_TRACE(heard.sWhere);
    fs::path path = heard.sWhere;
    if (heard.sWhere.empty())
        ProgramRun::WriteAll(path = scratch / "heard", sStandardOutput);
    SF_INFO info{};
    SNDFILE* pFile = sf_open(path.c_str(), SFM_READ, &info);
    ASSERT_NE(pFile, nullptr) << sf_strerror(nullptr);
    EXPECT_EQ(info.format & SF_FORMAT_TYPEMASK, heard.iFormat);
    EXPECT_EQ(info.samplerate, CTune::SampleRate);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.frames, heard.iSamples);
    sf_close(pFile);
}

std::string Notes(int iCount) {
    std::string sNotes;
    for (int i = 0; i < iCount; ++i)
        sNotes += i == 0 ? "c" : ",c";
    return sNotes;
}

const std::string Tone = "Tone:d=8,o=6,b=140:8c,d,\n8e.,f#7";
const std::string Composer = "Comp:Tempo=90:8c2 4.#d3";
const std::string Blank = " :d=4,o=5,b=100:c,d";
const std::string Low = "Low:d=4,o=4,b=100:c,d";
const std::string Long = "Long:d=4,o=5,b=100:" + Notes(51);
const std::string Latin = "Caf\xE9:d=4,o=5,b=100:c";
const std::string Fast = "Fast:d=4,o=5,b=1000:c,d";
const std::string Untimed = "Untimed:8c2 4.#d3"; // Composer, no tempo

// One run of the program and all it should give.
struct Row {
    const char* sWhat;
    std::vector<std::string> args;
    std::string sInput;
    std::string sOut;
    int iStatus;
    std::string sErr;
    std::vector<Heard> sounds = {}; // one from standard output replaces sOut
    ProgramRun::Out iOut = ProgramRun::Out::Pipe;
};

class ConvertProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string sPattern = (fs::temp_directory_path() / "convert-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(sPattern.data()), nullptr);
        m_Folder = sPattern;
        for (const auto& [sName, sText] :
             std::vector<std::pair<std::string, std::string>>{{"tone.txt", Tone},
                                                              {"upper.TXT", Tone},
                                                              {"comp.321", Composer},
                                                              {"comp.key", Composer},
                                                              {"blank.txt", Blank},
                                                              {"low.txt", Low},
                                                              {"long.txt", Long},
                                                              {"latin.txt", Latin}})
            ProgramRun::WriteAll(m_Folder / sName, sText);
        fs::create_directory(m_Folder / "sounds");
    }
    void TearDown() override { fs::remove_all(m_Folder); }

    std::string At(const std::string& sName) const { return (m_Folder / sName).string(); }
    ProgramRun::Outcome Run(const std::vector<std::string>& args, const std::string& sInput = {},
                            ProgramRun::Out iOut = ProgramRun::Out::Pipe) {
        return ProgramRun::Run(args, sInput, m_Folder, iOut);
    }

    void ExpectRuns(const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.sWhat);
            const ProgramRun::Outcome outcome = Run(row.args, row.sInput, row.iOut);
            const bool bSoundOut = !row.sounds.empty() && row.sounds[0].sWhere.empty();
            if (!bSoundOut) {
                EXPECT_EQ(outcome.sOut, row.sOut);
            }
            EXPECT_EQ(outcome.iStatus, row.iStatus);
            EXPECT_EQ(outcome.sErr, row.sErr);
            for (const Heard& heard : row.sounds)
                ExpectSound(heard, outcome.sOut, m_Folder);
        }
    }

    fs::path m_Folder;
};

TEST_F(ConvertProgramTest, InvocationsGiveTheWindowsTextStatusAndProblems) {
    const std::string sTooMany = RingToneText::TooManyNotes;
    fs::create_symlink(At("none"), At("dangling.KEY"));
    fs::create_symlink(At("loop.mp3"), At("loop.mp3"));
    const std::string sNoTerminal = "ringwright-convert: not writing sound to a terminal: name a "
                                    "file with -o, or redirect standard output\n";
    const std::vector<Row> rows = {
        {"standard input, keys", {}, Tone, "Tone:Tempo=140:18*, 2, (hold 3), 4*#\n", 0, ""},
        {"\"-\" is standard input",
         {"-", "-t", "composer"},
         Tone,
         "Tone:Tempo=140:8c2 8d2 8.e2 8#f3\n",
         0,
         ""},
        {"RTTTL header of this ringtone",
         {"--to", "rtttl", At("tone.txt")},
         "",
         "Tone:d=8,o=6,b=140:c,d,e.,f#7\n",
         0,
         ""},
        {"extension in capitals",
         {At("upper.TXT")},
         "",
         "Tone:Tempo=140:18*, 2, (hold 3), 4*#\n",
         0,
         ""},
        {".321 is Composer",
         {"-t", "rtttl", At("comp.321")},
         "",
         "Comp:d=4,o=5,b=90:8c6,d#.7\n",
         0,
         ""},
        {"other extensions RTTTL",
         {At("comp.key")},
         "",
         "Comp:Tempo=0:\n",
         1,
         At("comp.key") + ": " + RtttlHeader + "\n"},
        {"--from overrides",
         {"-f", "composer", "-"},
         Composer,
         "Comp:Tempo=90:18*, (hold 2)9*#\n",
         0,
         ""},
        {"blank name from a file", {At("blank.txt")}, "", "blank:Tempo=100:1, 2\n", 0, ""},
        {"blank name from standard input",
         {},
         Blank,
         ":Tempo=0:\n",
         1,
         "standard input: " + RtttlHeader + "\n"},
        {"--lines, empty and unterminated last line",
         {"--lines", "-t", "composer"},
         "A:b=100:c\n\nB:b=90:8d",
         "A:Tempo=100:4c1"s + "\n" + ":Tempo=0:"s + "\n" + "B:Tempo=90:8d1\n",
         0,
         ""},
        {"--lines reads no file name",
         {"--lines", At("blank.txt")},
         "",
         ":Tempo=0:\n",
         1,
         At("blank.txt") + ":1: " + RtttlHeader + "\n"},
        {"error lines give 1, results still written",
         {},
         Low,
         "Low:Tempo=100:1, 2\n",
         1,
         "standard input: "s + ErrorLines::Octave4 + "\nstandard input: " + ErrorLines::Octave4 +
             "\n"},
        {"more than 50 notes is no error",
         {},
         Long,
         "Long:Tempo=100:1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1"s +
             "\n",
         0,
         "standard input: " + sTooMany + "\n"},
        {"Latin-1 is read as the window reads it",
         {"-t", "rtttl"},
         Latin,
         "Caf\xC3\xA9:d=4,o=5,b=100:c\n",
         0,
         ""},
        {"UTF-16 is read as the window reads it",
         {"-t", "rtttl"},
         "\xFF\xFEU\0:\0d\0=\0\x34\0,\0o\0=\0\x35\0,\0b\0=\0\x31\0\x30\0\x30\0:\0c\0"s,
         "U:d=4,o=5,b=100:c\n",
         0,
         ""},
        {"a lone CR ends a line",
         {"--lines", "-t", "rtttl"},
         "A:d=4,o=5,b=100:c\rB:d=4,o=5,b=100:d\r\nC:d=4,o=5,b=100:e",
         "A:d=4,o=5,b=100:c\nB:d=4,o=5,b=100:d\nC:d=4,o=5,b=100:e\n",
         0,
         ""},
        {"a dangling link is not replaced",
         {"-o", At("dangling.KEY")},
         Tone,
         "",
         2,
         "ringwright-convert: cannot write " + At("dangling.KEY") +
             ": The name is a symbolic link to something that does not exist\n"},
        {"a link loop is not replaced",
         {"-t", "mp3", "-o", At("loop.mp3")},
         Tone,
         "",
         2,
         "ringwright-convert: cannot write " + At("loop.mp3") +
             ": The name is a symbolic link that leads round in a loop\n"},
        {"unreadable input gives 2, the others still convert",
         {At("missing.txt"), At("low.txt")},
         "",
         "Low:Tempo=100:1, 2\n",
         2,
         "ringwright-convert: cannot read " + At("missing.txt") + ": No such file or directory\n" +
             At("low.txt") + ": " + ErrorLines::Octave4 + "\n" + At("low.txt") + ": " +
             ErrorLines::Octave4 + "\n"},
        {"a folder is unreadable",
         {At("")},
         "",
         "",
         2,
         "ringwright-convert: cannot read " + At("") + ": Is a directory\n"},
        {"empty standard input",
         {},
         "",
         "",
         2,
         "ringwright-convert: standard input holds no ringtone text\n"},
        {"over 64 KiB refused",
         {},
         "Big:" + std::string(RingToneText::MaxLength, 'c'),
         "\n",
         2,
         "standard input: the ringtone text is larger than 64 KiB (65,536 bytes); not converted\n"},
        {"64 KiB exactly converts",
         {"--check"},
         std::string(RingToneText::MaxLength - 1, ' ') + "c",
         "-: (no name): 1 note, fits (49 left), 0 problems\nTotal: 1 ringtone, 1 fit the phone, "
         "0 too long, 0 with problems, 0 not converted\n",
         0,
         ""},
        {"binary data refused",
         {"--lines"},
         "A:c\nB:\0c"s,
         "A:Tempo=0:1"s + "\n\n",
         2,
         "standard input:2: not a ringtone text (it holds NUL bytes); not converted\n"},
        {"unwritable output",
         {"-o", At("tone.txt/out.KEY")},
         Tone,
         "",
         2,
         "ringwright-convert: cannot write " + At("tone.txt/out.KEY") +
             ": The folder does not exist\n"},
        {"several results need a folder",
         {"--lines", "-o", At("tone.txt")},
         Tone,
         "",
         2,
         "ringwright-convert: cannot write into " + At("tone.txt") + ": not a folder\n"},
        {"--to wav onto a pipe", {"-t", "wav"}, Tone, "", 0, "", {{"", SF_FORMAT_WAV, 42525}}},
        {"--to flac into the file named",
         {"-t", "flac", "-o", At("tone.flac"), At("tone.txt")},
         "",
         "",
         0,
         "",
         {{At("tone.flac"), SF_FORMAT_FLAC, 42525}}},
        {"--to ogg, a tempo out of range plays at 63",
         {"--to", "ogg"},
         Fast,
         "",
         0,
         "standard input: the tempo 1000 is not from 25 to 900; the sound plays at 63 beats per "
         "minute\n",
         {{"", SF_FORMAT_OGG, 84000}}},
        {"--to mp3, no tempo plays at 63",
         {"-f", "composer", "-t", "mp3"},
         Untimed,
         "",
         0,
         "standard input: the ringtone gives no tempo; the sound plays at 63 beats per minute\n",
         {{"", SF_FORMAT_MPEG, 84000}}},
        {"several sounds into a folder",
         {"-t", "wav", "-o", At("sounds"), At("tone.txt"), At("comp.321")},
         "",
         "",
         0,
         "",
         {{At("sounds/tone.wav"), SF_FORMAT_WAV, 42525},
          {At("sounds/comp.wav"), SF_FORMAT_WAV, 58800}}},
        {"no sound onto a terminal",
         {"-t", "mp3"},
         Tone,
         "",
         2,
         sNoTerminal,
         {},
         ProgramRun::Out::Terminal},
        {"several sounds need a folder",
         {"--lines", "-t", "ogg"},
         "A:c\nB:d",
         "",
         2,
         "ringwright-convert: several ringtones give several sounds: name a folder for them with "
         "-o\n"},
        {"unwritable sound",
         {"-t", "wav", "-o", At("tone.txt/out.wav")},
         Tone,
         "",
         2,
         "ringwright-convert: cannot write " + At("tone.txt/out.wav") +
             ": The folder does not exist\n"},
        {"--json describes the sound",
         {"--json", "-t", "flac"},
         "J:d=4,o=5,b=120:c,d",
         "{\"source\":\"-\",\"name\":\"J\",\"tempo\":120,\"notes\":2,\"remaining\":48,"
         "\"text\":null,\"sound\":{\"tempo\":120,\"seconds\":1.0},\"errors\":[]}\n",
         0,
         ""},
        {"unknown form",
         {"-t", "aiff"},
         Tone,
         "",
         2,
         "ringwright-convert: --to: aiff not in {keys,composer,rtttl,wav,flac,ogg,mp3,midi}\nRun "
         "with "
         "--help for more "
         "information.\n"},
        {"unknown option",
         {"--bogus"},
         Tone,
         "",
         2,
         "ringwright-convert: The following argument was not expected: --bogus\nRun with --help "
         "for more "
         "information.\n"},
        {"--json and --check exclude each other",
         {"--json", "--check"},
         Tone,
         "",
         2,
         "ringwright-convert: --json excludes --check\nRun with --help for more information.\n"},
        {"--version", {"--version"}, "", "ringwright-convert 2.0\n", 0, ""},
        {"the extension of -o names the form",
         {"-o", At("named.mp3"), At("tone.txt")},
         "",
         "",
         0,
         "",
         {{At("named.mp3"), SF_FORMAT_MPEG, 42525}}},
        {"a --to that contradicts the extension",
         {"-t", "mp3", "-o", At("named.wav"), At("tone.txt")},
         "",
         "",
         2,
         "ringwright-convert: --to mp3 contradicts the extension of " + At("named.wav") + "\n"},
        {"a missing folder",
         {"--lines", "-o", At("nowhere")},
         Tone,
         "",
         2,
         "ringwright-convert: cannot write into " + At("nowhere") +
             ": the folder does not exist\n"},
        {"a blank line is no ringtone",
         {},
         "\n",
         "",
         2,
         "ringwright-convert: standard input holds no ringtone text\n"},
    };
    ExpectRuns(rows);
}

TEST_F(ConvertProgramTest, HelpListsTheFormsWritten) {
    const ProgramRun::Outcome outcome = Run({"--help"});
    EXPECT_EQ(outcome.iStatus, 0);
    EXPECT_NE(outcome.sOut.find("-t,--to keys|composer|rtttl|wav|flac|ogg|mp3|midi"),
              std::string::npos);
}

TEST_F(ConvertProgramTest, OutputFilesAreWrittenAsSaveWritesThem) {
    // One input: PATH is the file. Several: a folder, each result named
    // after its input.
    EXPECT_EQ(Run({"-o", At("one.KEY"), At("tone.txt")}).iStatus, 0);
    EXPECT_EQ(ProgramRun::ReadAll(At("one.KEY")), "Tone:Tempo=140:18*, 2, (hold 3), 4*#\r\n");

    fs::create_directory(At("out"));
    EXPECT_EQ(Run({"-t", "composer", "-o", At("out"), At("tone.txt"), At("comp.321")}).iStatus, 0);
    EXPECT_EQ(ProgramRun::ReadAll(At("out/tone.321")), "Tone:Tempo=140:8c2 8d2 8.e2 8#f3\r\n");
    EXPECT_EQ(ProgramRun::ReadAll(At("out/comp.321")), "Comp:Tempo=90:8c2 4.#d3\r\n");

    EXPECT_EQ(Run({"--lines", "-o", At("out"), "-"}, "A:c\nB:d\n").iStatus, 0);
    EXPECT_EQ(ProgramRun::ReadAll(At("out/stdin-2.KEY")), "B:Tempo=0:2\r\n");

    // Nothing else is left behind: no temporary files.
    EXPECT_EQ(std::distance(fs::directory_iterator(At("out")), fs::directory_iterator()), 4);

    // Through a link, the file it names is replaced and the link stays.
    fs::create_symlink(At("one.KEY"), At("link.KEY"));
    EXPECT_EQ(Run({"-o", At("link.KEY"), At("comp.321")}).iStatus, 0);
    EXPECT_TRUE(fs::is_symlink(At("link.KEY")));
    EXPECT_EQ(ProgramRun::ReadAll(At("one.KEY")), "Comp:Tempo=90:18*, (hold 2)9*#\r\n");

    // An input that cannot be read leaves an existing output as it was.
    EXPECT_EQ(Run({"-o", At("one.KEY"), At("missing.txt")}).iStatus, 2);
    EXPECT_EQ(ProgramRun::ReadAll(At("one.KEY")), "Comp:Tempo=90:18*, (hold 2)9*#\r\n");
}

TEST_F(ConvertProgramTest, AFailedSoundLeavesTheOldFileAsItWas) {
    ProgramRun::WriteAll(At("old.wav"), "the old file");
    // The file-size limit, passed on to the program, fails the writing part way.
    const ProgramRun::Outcome outcome = [&] {
        const CFileSizeLimit limit(4096);
        return Run({"-t", "wav", "-o", At("old.wav"), At("tone.txt")});
    }();
    EXPECT_EQ(outcome.iStatus, 2);
    // The reason is the writer's own words.
    EXPECT_EQ(outcome.sErr.rfind("ringwright-convert: cannot write " + At("old.wav") + ": ", 0),
              0u);
    EXPECT_NE(outcome.sErr.find("File too large"), std::string::npos) << outcome.sErr;
    EXPECT_EQ(ProgramRun::ReadAll(At("old.wav")), "the old file");
    // Nothing else is left behind: the eight tunes, "sounds", the old file
    // and the two streams, no temporary file.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_Folder), fs::directory_iterator()), 12);
}

TEST_F(ConvertProgramTest, JsonLinesCarryTheFiguresOfEachRingtone) {
    const ProgramRun::Outcome outcome =
        Run({"--json", "--lines", "-t", "rtttl", "-"},
            Tone.substr(0, Tone.find('\n')) + "\n" + Latin + "\n" + Long + "\n" + Low);
    const std::string sTone = "Tone:d=8,o=6,b=140:c,d";
    const std::string sLong =
        "Long:d=4,o=5,b=100:c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c"s;
    EXPECT_EQ(outcome.sOut,
              "{\"source\":\"-\",\"line\":1,\"name\":\"Tone\",\"tempo\":140,\"notes\":2,"
              "\"remaining\":48,\"text\":\"" +
                  sTone +
                  "\",\"errors\":[]}\n"
                  "{\"source\":\"-\",\"line\":2,\"name\":\"Caf\xC3\xA9\",\"tempo\":100,\"notes\":1,"
                  "\"remaining\":49,\"text\":\"Caf\xC3\xA9:d=4,o=5,b=100:c\",\"errors\":[]}\n"
                  "{\"source\":\"-\",\"line\":3,\"name\":\"Long\",\"tempo\":100,\"notes\":51,"
                  "\"remaining\":null,\"text\":\"" +
                  sLong +
                  "\",\"errors\":[]}\n"
                  "{\"source\":\"-\",\"line\":4,\"name\":\"Low\",\"tempo\":100,\"notes\":2,"
                  "\"remaining\":48,\"text\":\"" +
                  "Low:d=4,o=4,b=100:c,d"s + "\",\"errors\":[\"" + ErrorLines::Octave4 + "\",\"" +
                  ErrorLines::Octave4 + "\"]}\n");
    EXPECT_EQ(outcome.iStatus, 1);
}

TEST_F(ConvertProgramTest, CheckCountsNotesAndProblems) {
    const ProgramRun::Outcome outcome = Run({"--check", "--lines", "-"}, Long + "\n\n" + Low);
    EXPECT_EQ(outcome.sOut, "-:1: Long: 51 notes, too long for the phone (50 at most), 0 problems\n"
                            "-:2: (no name): 0 notes, fits (50 left), 0 problems\n"
                            "-:3: Low: 2 notes, fits (48 left), 2 problems\n"
                            "Total: 3 ringtones, 2 fit the phone, 1 too long, 1 with problems, 0 "
                            "not converted\n");
    EXPECT_EQ(outcome.iStatus, 1);
}

TEST_F(ConvertProgramTest, FitWritesTheFittedRingtoneAfterTheProblemsAsRead) {
    const std::string sLow = At("low.txt") + ": ";
    const std::string sLong = At("long.txt") + ": ";
    const std::vector<Row> rows = {
        {"moved up, the status that of the fitted ringtone",
         {"--fit", At("low.txt")},
         "",
         "Low:Tempo=100:1, 2\n",
         0,
         sLow + ErrorLines::Octave4 + "\n" + sLow + ErrorLines::Octave4 + "\n" + sLow +
             "Moved up one octave.\n"},
        {"cut to 50 notes, described in JSON",
         {"--fit", "--json", "-t", "rtttl", At("long.txt")},
         "",
         "{\"source\":\"" + At("long.txt") +
             "\",\"name\":\"Long\",\"tempo\":100,\"notes\":50,\"remaining\":0,\"text\":"
             "\"Long:d=4,o=5,b=100:" +
             Notes(50) +
             "\",\"errors\":[],\"fit\":{\"octaves\":0,\"folded\":0,\"mended\":0,"
             "\"dropped\":0,\"kept\":50,\"of\":51}}\n",
         0,
         sLong + RingToneText::TooManyNotes + "\n" + sLong + "Kept the first 50 of 51 notes.\n"},
        {"a blank name becomes the file's",
         {"--fit", "-t", "rtttl", At("blank.txt")},
         "",
         "blank:d=4,o=5,b=100:c,d\n",
         0,
         At("blank.txt") + ": The ringtone already fits the phone.\n"},
        {"mended and dropped, a line named as the clipboard's",
         {"--fit", "--lines", "-t", "rtttl"},
         "M:d=4,o=6,b=90:64e#,h,x,p\n",
         "M:d=4,o=6,b=90:32f,b\n",
         0,
         "standard input:1: Mended 2 notes; dropped 1 token that is no note; dropped the pause "
         "at the end.\n"},
        {"nothing to fit: the ringtone and its status stay",
         {"--fit", "-t", "rtttl"},
         Blank,
         ":d=4,o=5,b=0:\n",
         1,
         "standard input: " + RtttlHeader + "\nstandard input: There is no note to fit.\n"},
    };
    ExpectRuns(rows);
}

TEST_F(ConvertProgramTest, AMidiFilesMelodyIsReadAsItsRtttlText) {
    // A melody, chords on another track and drums: the melody is the default.
    ProgramRun::WriteAll(
        At("song.MID"),
        MidiFiles::File(1, 480,
                        {{"Lead", {{0, 480, 60}, {480, 480, 62}, {960, 480, 64}}, {{0, 120}}, 73},
                         {"", {{0, 1440, 48, 2}, {0, 1440, 55, 2}}},
                         {"Drums", {{0, 240, 36, 10}, {480, 240, 36, 10}}}}));
    const std::string sSong = At("song.MID") + ": ";
    ExpectRuns({
        {"to keypresses in one command",
         {"--fit", At("song.MID")},
         "",
         "Lead:Tempo=120:1, 2, 3\n",
         0,
         sSong + ErrorLines::Octave4 + "\n" + sSong + ErrorLines::Octave4 + "\n" + sSong +
             ErrorLines::Octave4 + "\n" + sSong + "Moved up one octave.\n"},
        {"the lines listed",
         {"--list-tracks", At("song.MID")},
         "",
         sSong + "1: \"Lead\", track 1, channel 1, instrument 74, 3 notes, the default\n" + sSong +
             "2: (no name), track 2, channel 2, no instrument, 1 note\n",
         0,
         ""},
        {"another line, the top note of its chord",
         {"--track", "2", "-t", "rtttl", At("song.MID")},
         "",
         "song:d=4,o=5,b=120:2g.3\n",
         0,
         ""},
        {"a line out of range",
         {"--track", "3", At("song.MID")},
         "",
         "",
         2,
         "ringwright-convert: " + sSong +
             "there is no line 3 in the MIDI file; it has 2 lines, numbered from 1\n"},
        {"--from midi on standard input that is no MIDI",
         {"--from", "midi"},
         Tone,
         "",
         2,
         "ringwright-convert: standard input: not a MIDI file\n"},
    });
}

TEST_F(ConvertProgramTest, ToMidiWritesTheTuneAsItPlays) {
    // By -o's extension, or --to midi onto standard output.
    EXPECT_EQ(Run({"-o", At("tone.midi"), At("tone.txt")}).iStatus, 0);
    EXPECT_EQ(CMidiFile::Load(At("tone.midi")).Rtttl().Text,
              "Tone:d=4,o=5,b=140:8c6,8d6,8e.6,8f#7");
    const ProgramRun::Outcome outcome = Run({"--to", "midi", "--from", "composer"}, Untimed);
    EXPECT_EQ(outcome.iStatus, 0);
    EXPECT_EQ(CMidiFile::Read(outcome.sOut, "").Rtttl().Text, "Untimed:d=4,o=5,b=63:8c6,4d#.7");
}

TEST_F(ConvertProgramTest, AnOutputNeverReplacesItsOwnInput) {
    fs::create_directory(At("tunes"));
    ProgramRun::WriteAll(At("tunes/Mine.KEY"), Tone);
    // The same file under another name: compared as files, not names.
    fs::create_hard_link(At("tunes/Mine.KEY"), At("Mine.txt"));
    const ProgramRun::Outcome outcome = Run({"-o", At("tunes"), At("Mine.txt"), At("tone.txt")});
    EXPECT_EQ(outcome.iStatus, 2);
    EXPECT_EQ(outcome.sErr, "ringwright-convert: not writing " + At("tunes/Mine.KEY") + " for " +
                                At("Mine.txt") + ": it is one of the inputs\n");
    EXPECT_EQ(ProgramRun::ReadAll(At("tunes/Mine.KEY")), Tone);
    EXPECT_EQ(ProgramRun::ReadAll(At("tunes/tone.KEY")),
              "Tone:Tempo=140:18*, 2, (hold 3), 4*#\r\n");

    EXPECT_EQ(Run({"-t", "rtttl", "-o", At("low.txt"), At("low.txt")}).sErr,
              "ringwright-convert: not writing " + At("low.txt") + ": it is one of the inputs\n");
    EXPECT_EQ(ProgramRun::ReadAll(At("low.txt")), Low);
}

// Text and sound are replaced alike: the old file's permissions stay, and a
// link leads to the file it names.
TEST_F(ConvertProgramTest, ReplacedFilesKeepTheirPermissionsAndLinks) {
    for (const char* sName : {"out.KEY", "out.wav", "out.mp3"}) {
        SCOPED_TRACE(sName);
        ProgramRun::WriteAll(At(sName), "old");
        fs::permissions(At(sName), fs::perms::owner_read | fs::perms::owner_write);
        const std::string sForm = fs::path(sName).extension() == ".KEY" ? "keys" : sName + 4;
        EXPECT_EQ(Run({"-t", sForm, "-o", At(sName), At("tone.txt")}).iStatus, 0);
        EXPECT_NE(ProgramRun::ReadAll(At(sName)), "old");
        EXPECT_EQ(fs::status(At(sName)).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write);
    }
    fs::create_symlink(At("out.wav"), At("link.wav"));
    EXPECT_EQ(Run({"-t", "wav", "-o", At("link.wav"), At("long.txt")}).iStatus, 0);
    EXPECT_TRUE(fs::is_symlink(At("link.wav")));
    EXPECT_GT(fs::file_size(At("out.wav")), 1000000u);
}

// Every kind of sound on a real full file system (a 256 KiB tmpfs), or
// under a file-size limit where mounting is refused: to a file, into a
// folder, and to standard output through a full temporary folder.
TEST_F(ConvertProgramTest, AFullDiskFailsEverySoundAndKeepsTheOldFile) {
    const std::string sDisk = At("disk");
    fs::create_directory(sDisk);
    const bool bMounted = ::mount("tmpfs", sDisk.c_str(), "tmpfs", 0, "size=256k") == 0;
    std::cout << (bMounted ? "Ran on a real 256 KiB tmpfs\n"
                           : "Mounting refused: ran under RLIMIT_FSIZE\n");
    const std::string sReason = bMounted ? "No space left on device" : "File too large";
    for (const std::string sKind : {"wav", "flac", "ogg", "mp3"})
        ProgramRun::WriteAll(sDisk + "/long." + sKind, "old");
    if (bMounted) {
        std::ofstream fill(sDisk + "/fill", std::ios::binary);
        const std::string sPage(4096, 'x');
        while (fill.write(sPage.data(), sPage.size()))
            ;
    }
    for (const std::string sKind : {"wav", "flac", "ogg", "mp3"}) {
        SCOPED_TRACE(sKind);
        const std::string sOld = sDisk + "/long." + sKind;
        // After the 50-note message, which long.txt earns.
        const auto failure = [](const ProgramRun::Outcome& outcome) {
            return outcome.sErr.substr(
                std::min(outcome.sErr.find("ringwright-convert:"), outcome.sErr.size()));
        };
        const auto run = [&](const std::vector<std::string>& args) {
            std::optional<CFileSizeLimit> limit;
            if (!bMounted)
                limit.emplace(4096);
            return Run(args);
        };
        ProgramRun::Outcome outcome = run({"-t", sKind, "-o", sOld, At("long.txt")});
        EXPECT_EQ(outcome.iStatus, 2);
        EXPECT_EQ(failure(outcome),
                  "ringwright-convert: cannot write " + sOld + ": " + sReason + "\n");
        outcome = run({"-t", sKind, "-o", sDisk, At("long.txt"), At("low.txt")});
        EXPECT_EQ(outcome.iStatus, 2);
        EXPECT_NE(outcome.sErr.find(sReason), std::string::npos) << outcome.sErr;
        EXPECT_EQ(ProgramRun::ReadAll(sOld), "old");
        EXPECT_FALSE(fs::exists(sDisk + "/low." + sKind));
        if (!CSoundFile::Streams(*CSoundFile::KindOf("." + sKind))) {
            ::setenv("TMPDIR", sDisk.c_str(), 1);
            outcome = run({"-t", sKind, At("long.txt")});
            ::unsetenv("TMPDIR");
            EXPECT_EQ(outcome.iStatus, 2);
            EXPECT_EQ(failure(outcome),
                      "ringwright-convert: cannot write standard output: " + sReason + "\n");
            EXPECT_EQ(outcome.sOut, "");
        }
    }
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(sDisk))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    const std::vector<std::string> left = {"fill", "long.flac", "long.mp3", "long.ogg", "long.wav"};
    EXPECT_EQ(names, std::vector<std::string>(left.begin() + (bMounted ? 0 : 1), left.end()));
    if (bMounted)
        ::umount2(sDisk.c_str(), MNT_DETACH);
}

} // namespace
