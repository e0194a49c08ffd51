#pragma once
// Reads the inputs of ringwright-convert into ringtones: a whole input as one
// ringtone, as the window reads a file, or with --lines each line as one, as
// if pasted from the clipboard.

#include "engine/RingToneText.h"

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
        int32_t iSourceType = 0;
        std::string sText;
        RingToneText::Refusal iRefusal = RingToneText::Refusal::None;
    };
    using Handler = std::function<void(const RingTone&)>;

    // iSourceType: the notation given by --from, if any.
    CInputReader(bool bLines, std::optional<int32_t> iSourceType)
        : m_bLines(bLines), m_iSourceType(iSourceType) {}

    // Hands every ringtone of one input ("-": standard input) to onRingTone,
    // in order. Returns false with a message naming the input when it cannot
    // be read.
    bool Read(const std::string& sArgument, const Handler& onRingTone, std::string& sError) const;

private:
    enum Outcome { Finished, Unreadable, Blank };
    Outcome ReadWhole(int fd, RingTone& input, const Handler& onRingTone, int& iError) const;
    Outcome ReadLines(int fd, RingTone& input, const Handler& onRingTone, int& iError) const;

    bool m_bLines;
    std::optional<int32_t> m_iSourceType;
};
