#include "midi/MidiExport.h"

#include "midi/CSmfWriter.h"
#include "tune/CTune.h"

#include <cmath>

namespace MidiExport {

std::string Bytes(const CTune& tune, const std::string& sName) {
    CSmfWriter writer(0, TicksPerQuarter);
    writer.BeginTrack();
    writer.Meta(0, 0x03, sName);
    const auto iMicroseconds =
        static_cast<uint32_t>(std::lround(60'000'000.0 / static_cast<double>(tune.Tempo())));
    const std::string sTempo = {static_cast<char>(iMicroseconds >> 16),
                                static_cast<char>((iMicroseconds >> 8) & 0xFF),
                                static_cast<char>(iMicroseconds & 0xFF)};
    writer.Meta(0, 0x51, sTempo);
    // A note's seconds are its quarters x 60 / tempo; quarters come out
    // whole in sixteenths, so rounding only removes the floating point.
    int64_t iTick = 0;
    for (const CTuneNote& note : tune.Notes()) {
        const int64_t iQuarterSixteenths =
            std::llround(note.Seconds * static_cast<double>(tune.Tempo()) * 16.0 / 60.0);
        const int64_t iLength = iQuarterSixteenths * (TicksPerQuarter / 16);
        if (!note.IsRest()) {
            const auto iKey = static_cast<uint8_t>(60 + note.Pitch);
            writer.Event(iTick, {0x90, iKey, 100});
            writer.Event(iTick + iLength, {0x80, iKey, 0});
        }
        iTick += iLength;
    }
    writer.EndTrack(iTick);
    return writer.Bytes();
}

} // namespace MidiExport
