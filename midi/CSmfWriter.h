#pragma once
// Builds the bytes of a Standard MIDI File, track by track, from events at
// absolute ticks.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

class CSmfWriter {
public:
    CSmfWriter(int iFormat, int iTicksPerQuarter);

    void BeginTrack();
    // A channel message or any other event bytes; ticks never go back
    // within a track (an earlier tick is written at the last one).
    void Event(int64_t iTick, std::initializer_list<uint8_t> bytes);
    void Event(int64_t iTick, std::string_view bytes);
    void Meta(int64_t iTick, uint8_t iType, std::string_view data);
    // Closes the track with its End of Track event.
    void EndTrack(int64_t iTick);

    // The header and every track ended so far.
    std::string Bytes() const;

    // A variable-length quantity: seven bits a byte, most significant first.
    static void AppendVariable(std::string& s, uint32_t i);

private:
    void Delta(int64_t iTick);

    int m_iFormat;
    int m_iTicksPerQuarter;
    int m_iTracks = 0;
    int64_t m_iLastTick = 0;
    std::string m_sTrack;
    std::string m_sTracks;
};
