#include "midi/CMidiFile.h"

#include "tests/midi/MidiFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

using MidiFiles::File;
using MidiFiles::Track;

namespace {

// A lead with a rest and a dotted note, chords on another track, drums.
std::string Accompanied() {
    return File(1, 480,
                {{"Conductor", {}, {{0, 100}}},
                 {"Lead", {{0, 480, 72}, {480, 240, 76}, {960, 720, 79}, {1680, 240, 78}}, {}, 73},
                 {"Chords",
                  {{0, 960, 60, 2},
                   {0, 960, 64, 2},
                   {0, 960, 67, 2},
                   {960, 960, 62, 2},
                   {960, 960, 65, 2},
                   {960, 960, 69, 2}}},
                 {"Drums",
                  {{0, 120, 36, 10},
                   {240, 120, 36, 10},
                   {480, 120, 36, 10},
                   {720, 120, 36, 10},
                   {960, 120, 36, 10}}}});
}

// One track, two channels; the tempo changes after the start.
std::string TypeZero() {
    return File(
        0, 96,
        {{"", {{0, 192, 57, 3}, {0, 48, 81}, {48, 48, 85}, {96, 96, 93}}, {{0, 90}, {96, 200}}}});
}

// Meta events beyond 127 bytes (libsmf misreads them) and a system
// exclusive message before the note.
std::string LongEvents() {
    CSmfWriter writer(1, 480);
    writer.BeginTrack();
    writer.Meta(0, 0x02, std::string(300, 'c'));
    writer.Meta(0, 0x03, std::string(130, 'N'));
    writer.Event(0, std::string("\xF0\x82\x00", 3) + std::string(255, 0x11) + "\xF7");
    writer.Event(0, {0x90, 60, 100});
    writer.Event(480, {0x80, 60, 0});
    writer.EndTrack(480);
    return writer.Bytes();
}

const std::string Header = std::string("MThd\0\0\0\6\0\0\0\1\1\xE0", 14);

struct ImportRow {
    const char* sName;
    std::string sBytes;
    int iLine;
    std::string sText;
};

std::ostream& operator<<(std::ostream& os, const ImportRow& r) {
    return os << r.sName;
}

// clang-format off
const ImportRow ImportRows[] = {
    {"LeadIsTheDefault", Accompanied(), 0, "Lead:d=4,o=5,b=100:4c5,8e5,8p,4g.5,8f#5"},
    {"ChordsGiveTheirTopNote", Accompanied(), 2, "Chords:d=4,o=5,b=100:2g4,2a4"},
    {"FirstTempoAndFileName", TypeZero(), 0, "Two Channels:d=4,o=5,b=90:8a5,8c#6,4a6"},
    {"OtherChannel", TypeZero(), 1, "Two Channels:d=4,o=5,b=90:2a3"},
    {"UnknownChunkPassedOver", TypeZero().insert(14, std::string("XFIH\0\0\0\4abcd", 12)), 0,
     "Two Channels:d=4,o=5,b=90:8a5,8c#6,4a6"},
    // A leading rest; triplet 8ths round to dotted 16ths; a silence under a
    // 32nd belongs to the note; 5 32nds of silence; a note beyond a dotted
    // whole is cut to it.
    {"LengthsRound",
     File(1, 480, {{"Round", {{480, 160, 72}, {640, 160, 74}, {800, 160, 76}, {990, 340, 77},
                              {1630, 4000, 79}}}}),
     0, "Round:d=4,o=5,b=120:4p,16c.5,16d.5,16e.5,8f.5,8p,32p,1g.5"},
    // g4 starts under c5 and is never heard, even after c5 ends; e5 and d5
    // start above what sounds and cut it short.
    {"Overlaps",
     File(1, 480, {{"Over", {{0, 960, 72}, {240, 960, 67}, {480, 240, 76}, {720, 480, 74},
                             {1200, 480, 72}}, {{0, 150}}}}),
     0, "Over:d=4,o=5,b=150:4c5,8e5,4d5,4c5"},
    // A silence is rounded to whole 32nds unless it is exactly a dotted
    // 32nd's rest.
    {"SilenceRounds", File(1, 480, {{"Gap", {{0, 240, 72}, {340, 240, 74}}}}), 0,
     "Gap:d=4,o=5,b=120:8c5,16p,8d5"},
    {"DottedThirtySecondRest", File(1, 480, {{"Gap", {{0, 240, 72}, {330, 240, 74}}}}), 0,
     "Gap:d=4,o=5,b=120:8c5,32p.,8d5"},
    // Running status across a system exclusive message (libsmf aborts on
    // it); the chord's top note is heard.
    {"RunningStatusAfterSysex",
     Header + std::string("MTrk\0\0\0\x17\0\x90\x3C\x40\0\xF0\1\xF7\0\x3E\x40"
                          "\x60\x80\x3C\0\0\x80\x3E\0\0\xFF\x2F\0",
                          31),
     0, "Two Channels:d=4,o=5,b=120:32d.4"},
    {"LongNameIsCut", LongEvents(), 0, std::string(127, 'N') + ":d=4,o=5,b=120:4c4"},
};
// clang-format on

class MidiImport : public testing::TestWithParam<ImportRow> {};

TEST_P(MidiImport, MelodyAsRtttl) {
    const ImportRow& row = GetParam();
    const CMidiFile file = CMidiFile::Read(row.sBytes, "Two Channels.mid");
    ASSERT_EQ(file.Error(), "");
    const CMidiFile::Ringtone ringtone = file.Rtttl(row.iLine);
    EXPECT_EQ(ringtone.Error, "");
    EXPECT_EQ(ringtone.Text, row.sText);
}

INSTANTIATE_TEST_SUITE_P(Midi, MidiImport, testing::ValuesIn(ImportRows),
                         [](const auto& info) { return std::string(info.param.sName); });

TEST(MidiLines, EachTrackAndChannelWithNotesButDrums) {
    const CMidiFile file = CMidiFile::Read(Accompanied(), "a.mid");
    ASSERT_EQ(file.Lines().size(), 2u);
    EXPECT_EQ(file.DefaultLine(), 0u);
    const CMidiLine& lead = file.Lines()[0];
    EXPECT_EQ(lead.Track, 2);
    EXPECT_EQ(lead.Channel, 1);
    EXPECT_EQ(lead.Program, 73);
    EXPECT_EQ(lead.TrackName, "Lead");
    EXPECT_EQ(lead.Melody.size(), 4u);
    const CMidiLine& chords = file.Lines()[1];
    EXPECT_EQ(chords.Track, 3);
    EXPECT_EQ(chords.Channel, 2);
    EXPECT_EQ(chords.Program, -1);
    EXPECT_EQ(chords.Melody.size(), 2u);

    // In a type 0 file the lines come in the order their notes start.
    const CMidiFile typeZero = CMidiFile::Read(TypeZero(), "b.mid");
    ASSERT_EQ(typeZero.Lines().size(), 2u);
    EXPECT_EQ(typeZero.Lines()[0].Channel, 3);
    EXPECT_EQ(typeZero.Lines()[1].Channel, 1);
    EXPECT_EQ(typeZero.DefaultLine(), 1u);
}

struct RefusalRow {
    const char* sName;
    std::string sBytes;
    std::string sError;
};

std::ostream& operator<<(std::ostream& os, const RefusalRow& r) {
    return os << r.sName;
}

// clang-format off
const RefusalRow RefusalRows[] = {
    {"Empty", "", "not a MIDI file"},
    {"Wave", std::string("RIFF\x24\0\0\0WAVEfmt ", 16), "not a MIDI file"},
    {"HeaderCut", Header.substr(0, 10), "the MIDI file is truncated"},
    {"TrackCut", Accompanied().substr(0, Accompanied().size() - 10), "the MIDI file is truncated"},
    {"TrackMissing", Accompanied().substr(0, 14) + std::string("MTrk\0\0\0\4\0\xFF\x2F\0", 12),
     "the MIDI file is truncated"},
    // A data byte where an event must begin.
    {"BadEvent", Header + std::string("MTrk\0\0\0\x08\0\x40\x40\x40\0\xFF\x2F\0", 16),
     "the MIDI file is corrupt: track 1 cannot be read"},
    // libsmf only warns here and keeps the note.
    {"NoEndOfTrack", Header + std::string("MTrk\0\0\0\x08\0\x90\x3C\x40\x60\x80\x3C\0", 16),
     "the MIDI file is corrupt: track 1 cannot be read"},
    {"DrumsOnly", File(0, 96, {{"", {{0, 96, 36, 10}, {96, 96, 38, 10}}}}),
     "the MIDI file holds no notes outside the drums (channel 10)"},
    {"TypeTwo", File(2, 96, {{"", {{0, 96, 60}}}}),
     "a type 2 MIDI file (independent patterns) cannot be read; only types 0 and 1 can"},
    {"Frames", File(0, 0xE728, {{"", {{0, 96, 60}}}}),
     "the MIDI file counts time in SMPTE frames, not beats; it cannot be read"},
};
// clang-format on

class MidiRefusal : public testing::TestWithParam<RefusalRow> {};

TEST_P(MidiRefusal, ClearMessageAndNothingElse) {
    const RefusalRow& row = GetParam();
    testing::internal::CaptureStderr();
    const CMidiFile file = CMidiFile::Read(row.sBytes, "x.mid");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(file.Error(), row.sError);
    EXPECT_TRUE(file.Lines().empty());
    EXPECT_EQ(file.Rtttl().Text, "");
    EXPECT_EQ(file.Rtttl().Error, row.sError);
}

INSTANTIATE_TEST_SUITE_P(Midi, MidiRefusal, testing::ValuesIn(RefusalRows),
                         [](const auto& info) { return std::string(info.param.sName); });

TEST(MidiRefusal, LineOutOfRange) {
    const CMidiFile file = CMidiFile::Read(Accompanied(), "a.mid");
    const std::string sError =
        "there is no line 3 in the MIDI file; it has 2 lines, numbered from 1";
    EXPECT_EQ(file.Rtttl(3).Error, sError);
    EXPECT_EQ(file.Rtttl(3).Text, "");
    EXPECT_EQ(file.Rtttl(-1).Text, "");
}

TEST(MidiRefusal, MelodyBeyond64KiB) {
    Track track{"Long", {}, {}};
    for (int64_t i = 0; i < 12'000; ++i)
        track.notes.push_back({i * 120, 120, 61});
    const CMidiFile file = CMidiFile::Read(File(0, 480, {track}), "a.mid");
    ASSERT_EQ(file.Error(), "");
    EXPECT_EQ(file.Rtttl().Text, "");
    EXPECT_EQ(file.Rtttl().Error,
              "the melody makes an RTTTL text larger than 64 KiB (65,536 bytes); not converted");
}

TEST(MidiLoad, ReadsAFileNamedAfterItself) {
    const std::filesystem::path folder =
        std::filesystem::path(testing::TempDir()) / "midi-load-test";
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / "My Song.MID";
    std::ofstream(path, std::ios::binary) << TypeZero();
    EXPECT_EQ(CMidiFile::Load(path.string()).Rtttl().Text, "My Song:d=4,o=5,b=90:8a5,8c#6,4a6");
    std::ofstream(path, std::ios::binary) << TypeZero().substr(0, 30);
    EXPECT_EQ(CMidiFile::Load(path.string()).Error(), "the MIDI file is truncated");
    EXPECT_EQ(CMidiFile::Load((folder / "none.mid").string()).Error(),
              "the MIDI file cannot be opened");
    std::filesystem::remove_all(folder);
}

} // namespace
