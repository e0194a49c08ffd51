#pragma once
// The error-list lines the engine writes, exactly as the user reads them.

#include <string>

namespace ErrorLines {

inline const std::string Octave4 = "[modNok.GetOctave] RTTTL Octave 4 Not supported by Nokia "
                                   "3210.  Please increase the default octave by 1 in Nokring "
                                   "(use octave 5,6,7 only).";
inline const std::string Octave8 = "[modNok.GetOctave] RTTTL Octave 8 is not a valid octave and "
                                   "is not supported by the Nokia 3210.";
inline const std::string TypeMismatch = "[CNote.NoteBatch] Type mismatch";
inline const std::string Overflow = "[CNote.NoteBatch] Overflow";

} // namespace ErrorLines
