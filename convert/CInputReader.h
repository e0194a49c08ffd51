#pragma once
// Reads the inputs of ringwright-convert into ringtones: a whole input as one
// ringtone, as the window reads a file, or with --lines each line as one, as
// if pasted from the clipboard; a MIDI file as the RTTTL text of one line.

#include "engine/Forms.h"
#include "engine/RingToneText.h"
#include "midi/CMidiFile.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class CInputReader {
public:
    // One ringtone as read, before it is converted.
    struct RingTone {
        std::string sSource;   // the input as named, "-" for standard input
        int64_t iLine = 0;     // from 1 with --lines, 0 for a whole input
        std::string sFileName; // stands in for a blank name; empty as for the clipboard
        int32_t iSourceType = Notation::Rtttl;
        std::string sText;
        RingToneText::Refusal iRefusal = RingToneText::Refusal::None;
    };
    using Handler = std::function<void(const RingTone&)>;

    // iSourceType: the notation given by --from, if any. bMidi: every input
    // is MIDI, not only files named so; iTrack: the line of a MIDI file,
    // from 1, or 0 for its default.
    CInputReader(bool bLines, std::optional<int32_t> iSourceType, bool bMidi = false,
                 int iTrack = 0)
        : m_bLines(bLines), m_iSourceType(iSourceType), m_bMidi(bMidi), m_iTrack(iTrack) {}

    bool IsMidi(const std::string& sArgument) const {
        return m_bMidi || CMidiFile::IsMidiName(sArgument);
    }
    // One input read as a MIDI file; false with a message naming the input
    // when it cannot be read or is no MIDI file.
    static bool ReadMidi(const std::string& sArgument, CMidiFile& file, std::string& sError);

    // Hands every ringtone of one input ("-": standard input) to onRingTone,
    // in order. Returns false with a message naming the input when it cannot
    // be read.
    bool Read(const std::string& sArgument, const Handler& onRingTone, std::string& sError) const;

private:
    enum Outcome { Finished, Unreadable, Blank };
    Outcome ReadWhole(int fd, RingTone& input, const Handler& onRingTone, int& iError) const;
    Outcome ReadLines(int fd, RingTone& input, const Handler& onRingTone, int& iError) const;

    bool ReadMelody(const std::string& sArgument, const Handler& onRingTone,
                    std::string& sError) const;

    bool m_bLines;
    std::optional<int32_t> m_iSourceType;
    bool m_bMidi;
    int m_iTrack;
};
