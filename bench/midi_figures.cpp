// MIDI import and round trips measured by hand; judges nothing.
//
//   midi_figures large FILE [BYTES]   writes a type 1 file of about BYTES bytes
//                                     (default 1,000,000): a melody, chords on
//                                     another track and drums
//   midi_figures import FILE [LINE]   imports FILE as the program does and says
//                                     what came of it (for /usr/bin/time -v)
//   midi_figures roundtrip FILE       saves every RTTTL tune of FILE (one a
//                                     line) as MIDI, imports it back and prints
//                                     the share whose sounding notes are the same

#include "engine/CNokia.h"
#include "midi/CMidiFile.h"
#include "midi/CSmfWriter.h"
#include "midi/MidiExport.h"
#include "tune/CTune.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <tuple>
#include <vector>

namespace {

int Large(const std::string& sPath, size_t iBytes) {
    // About 32 bytes of events a beat across the three tracks.
    const int64_t iBeats = static_cast<int64_t>(iBytes / 32);
    const int iQuarter = 480;
    CSmfWriter writer(1, iQuarter);
    writer.BeginTrack();
    writer.Meta(0, 0x51, std::string("\x07\xA1\x20", 3));
    writer.EndTrack(0);
    static const int Scale[] = {0, 2, 4, 5, 7, 9, 11, 12};
    // The melody: an 8th and a dotted 8th with a 16th's rest, over and over.
    writer.BeginTrack();
    writer.Meta(0, 0x03, "Melody");
    for (int64_t iBeat = 0; iBeat < iBeats; ++iBeat) {
        const auto iKey = static_cast<uint8_t>(72 + Scale[iBeat % 8]);
        writer.Event(iBeat * iQuarter, {0x90, iKey, 100});
        writer.Event(iBeat * iQuarter + 240, {0x80, iKey, 0});
        writer.Event(iBeat * iQuarter + 240, {0x90, static_cast<uint8_t>(iKey - 3), 100});
        writer.Event(iBeat * iQuarter + 360, {0x80, static_cast<uint8_t>(iKey - 3), 0});
    }
    writer.EndTrack(iBeats * iQuarter);
    // Chords below, one a bar.
    writer.BeginTrack();
    writer.Meta(0, 0x03, "Chords");
    for (int64_t iBar = 0; iBar < iBeats / 4; ++iBar) {
        for (uint8_t iKey : {48, 52, 55})
            writer.Event(iBar * 4 * iQuarter, {0x91, iKey, 80});
        for (uint8_t iKey : {48, 52, 55})
            writer.Event((iBar + 1) * 4 * iQuarter, {0x81, iKey, 0});
    }
    writer.EndTrack(iBeats * iQuarter);
    // Drums on every beat.
    writer.BeginTrack();
    for (int64_t iBeat = 0; iBeat < iBeats; ++iBeat) {
        writer.Event(iBeat * iQuarter, {0x99, 36, 100});
        writer.Event(iBeat * iQuarter + 120, {0x89, 36, 0});
    }
    writer.EndTrack(iBeats * iQuarter);
    const std::string sBytes = writer.Bytes();
    std::ofstream(sPath, std::ios::binary) << sBytes;
    std::printf("%zu bytes written to %s\n", sBytes.size(), sPath.c_str());
    return 0;
}

int Import(const std::string& sPath, int iLine) {
    const auto start = std::chrono::steady_clock::now();
    const CMidiFile file = CMidiFile::Load(sPath);
    const CMidiFile::Ringtone ringtone = file.Rtttl(iLine);
    const double dMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (!file.Error().empty()) {
        std::printf("refused: %s (%.1f ms)\n", file.Error().c_str(), dMs);
        return 1;
    }
    for (size_t i = 0; i < file.Lines().size(); ++i) {
        const CMidiLine& line = file.Lines()[i];
        std::printf("%zu%s track %d channel %d program %d \"%s\": %zu notes\n", i + 1,
                    i == file.DefaultLine() ? "*" : " ", line.Track, line.Channel, line.Program,
                    line.TrackName.c_str(), line.Melody.size());
    }
    if (ringtone.Error.empty())
        std::printf("%zu characters of RTTTL", ringtone.Text.size());
    else
        std::printf("%s", ringtone.Error.c_str());
    std::printf(" (%.1f ms, reading and writing the text)\n", dMs);
    return 0;
}

// Pitch, first sample and length of each note that sounds.
std::vector<std::tuple<int32_t, int64_t, int64_t>> Sounding(const CTune& tune) {
    std::vector<std::tuple<int32_t, int64_t, int64_t>> notes;
    for (const CTuneNote& note : tune.Notes())
        if (!note.IsRest())
            notes.emplace_back(note.Pitch, note.FirstSample, note.Samples);
    return notes;
}

int RoundTrip(const std::string& sPath) {
    std::ifstream in(sPath);
    std::string sLine;
    int iTunes = 0, iSame = 0, iSilent = 0;
    CNokia nokia;
    while (std::getline(in, sLine)) {
        if (sLine.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        ++iTunes;
        nokia.Clear();
        nokia.OriginalText = sLine;
        nokia.Convert();
        const CTune tune(nokia.Notes, nokia.Tempo);
        const auto original = Sounding(tune);
        const std::string sName = nokia.RingToneName;
        const CMidiFile::Ringtone ringtone =
            CMidiFile::Read(MidiExport::Bytes(tune, sName), "tune.mid").Rtttl();
        if (original.empty()) {
            // Nothing sounds, so the file has no notes and is refused.
            ++iSilent;
            std::fprintf(stderr, "%d %s: no note sounds\n", iTunes, sName.c_str());
            continue;
        }
        if (!ringtone.Error.empty()) {
            std::fprintf(stderr, "%d %s: %s\n", iTunes, sName.c_str(), ringtone.Error.c_str());
            continue;
        }
        nokia.Clear();
        nokia.OriginalText = ringtone.Text;
        nokia.Convert();
        const CTune back(nokia.Notes, nokia.Tempo);
        if (back.Tempo() == tune.Tempo() && Sounding(back) == original) {
            ++iSame;
            continue;
        }
        const auto imported = Sounding(back);
        size_t i = 0;
        while (i < original.size() && i < imported.size() && original[i] == imported[i])
            ++i;
        std::fprintf(stderr, "%d %s: differs from sounding note %zu (tempo %d, back %d)\n", iTunes,
                     sName.c_str(), i + 1, tune.Tempo(), back.Tempo());
    }
    std::printf("%d of %d tunes (%.1f %%) give the same melody back", iSame, iTunes - iSilent,
                iTunes - iSilent > 0 ? 100.0 * iSame / (iTunes - iSilent) : 0.0);
    std::printf("; %d more have no note that sounds\n", iSilent);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[0] == "large")
        return Large(args[1], args.size() > 2 ? std::stoul(args[2]) : 1'000'000);
    if (args.size() >= 2 && args[0] == "import")
        return Import(args[1], args.size() > 2 ? std::stoi(args[2]) : 0);
    if (args.size() == 2 && args[0] == "roundtrip")
        return RoundTrip(args[1]);
    std::fprintf(stderr, "usage: midi_figures large FILE [BYTES] | import FILE [LINE] | "
                         "roundtrip FILE\n");
    return 2;
}
