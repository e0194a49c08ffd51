#pragma once
// A tune written as a Standard MIDI File, as the tune engine plays it.

#include <string>

class CTune;

namespace MidiExport {

// Ticks per quarter note of the files written: a multiple of 16, so that
// every length the tune engine plays, a dotted 32nd included, is whole.
constexpr int TicksPerQuarter = 480;

// The bytes of a type 0 file: one track named sName, the tune's tempo, and
// each note on channel 1 at the tune's pitch for its whole length (no gap
// between notes); rests are silence.
std::string Bytes(const CTune& tune, const std::string& sName);

} // namespace MidiExport
