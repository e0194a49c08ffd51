#pragma once
// A Standard MIDI File (type 0 or 1) read for its melodies: the lines that
// could become a ringtone, and any of them written as an RTTTL text.

#include "midi/CMidiLine.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

class CMidiFile {
public:
    // The tempo when the file gives none, in quarter notes per minute.
    static constexpr int DefaultTempo = 120;

    // Whether a file name ends in ".mid" or ".midi", in any letter case.
    static bool IsMidiName(const std::string& sFileName);

    // Reads the file one track at a time, so memory follows the largest
    // track rather than the file. Reading swaps GLib's default log handler
    // for a while: one thread at a time.
    static CMidiFile Load(const std::string& sPath);
    // Reads a file's bytes; sFileName (extension and folder are dropped)
    // names the ringtone when its track has no name.
    static CMidiFile Read(std::string_view bytes, const std::string& sFileName);

    // Why the file was refused, a sentence for the user; empty when read.
    const std::string& Error() const { return m_sError; }
    // Each (track, channel) pair with notes, drums (channel 10) left out, in
    // the order of the file; empty when refused.
    const std::vector<CMidiLine>& Lines() const { return m_Lines; }
    // Index into Lines() of the line whose melody has the most notes, the
    // first of those on a tie.
    size_t DefaultLine() const { return m_iDefaultLine; }
    int TicksPerQuarter() const { return m_iTicksPerQuarter; }
    // The first tempo of the file, in quarter notes per minute, rounded.
    int Tempo() const { return m_iTempo; }

    struct Ringtone {
        std::string Text;  // the RTTTL ringtone; empty when refused
        std::string Error; // why not, a sentence for the user
    };
    // Line iLine counted from 1 (0 for the default line) as an RTTTL text in
    // which every note has its own duration and octave.
    Ringtone Rtttl(int iLine = 0) const;

private:
    void ReadFrom(std::istream& in, uint64_t iSize);
    bool ReadTrack(const std::string& sChunk, int32_t iTrack);
    void Refuse(std::string sError);

    std::string m_sError;
    std::string m_sFileName;
    std::vector<CMidiLine> m_Lines;
    size_t m_iDefaultLine = 0;
    int m_iTicksPerQuarter = 0;
    int m_iTempo = DefaultTempo;
    int64_t m_iTempoTick = -1; // where the first tempo was found; -1 for none
};
