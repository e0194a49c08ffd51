#pragma once
// Writes a tune as a WAV, FLAC, Ogg Vorbis or MP3 file, every byte checked,
// never damaging the file it replaces when the writing fails.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class CFileReplacement;
class CTune;

namespace CSoundFile {
enum class Kind { Wav, Flac, OggVorbis, Mp3 };

// The longest sound written, of any kind: two hours.
constexpr int64_t MaxSeconds = 2 * 60 * 60;
// What a WAV file can hold: its sizes are 32-bit.
constexpr int64_t MaxWavBytes = 0xFFFFFFFFLL;

// Told the samples written so far and in all; returning false cancels
// the save, which then keeps the old file.
using Progress = std::function<bool(int64_t iWritten, int64_t iTotal)>;

struct Details {
    std::string sTitle; // the ringtone's name, stored as the title
    Progress OnProgress;
};

// The reason given for a cancelled save.
extern const char* const Cancelled;

// The kind a file name's ending names (".wav", ".flac", ".ogg", ".mp3",
// in any case); none for any other name.
std::optional<Kind> KindOf(std::string_view sFileName);
// The ending without its dot: "wav", "flac", "ogg", "mp3".
const char* Extension(Kind iKind);

// Why a sound of iSamples cannot be written as the kind (too long for
// any file, or more than a WAV file holds); empty when it can.
std::string Refusal(int64_t iSamples, Kind iKind);

// Writes every sample of the tune (16-bit mono, CTune::SampleRate) into
// the open output and commits it. A kind that cannot be made on a pipe
// (see Streams) is made in an unnamed file in $TMPDIR (else /tmp) first
// and copied on. Returns empty text when the output is complete,
// otherwise the reason (the system's, or Cancelled), and then a file
// replaced is as it was. Never throws.
std::string Write(const CTune& tune, Kind iKind, CFileReplacement& output,
                         const Details& details = {});
// The same into the file sPath, refusing what Save refuses.
std::string Write(const CTune& tune, const std::string& sPath, Kind iKind,
                         const Details& details = {});

// Whether a kind can be encoded straight onto a stream that cannot seek,
// such as a pipe. Only Ogg Vorbis can: libsndfile refuses WAV there, and
// FLAC and MP3 would go out without the length their first bytes must
// give (readers then find no length, or a wrong one).
bool Streams(Kind iKind);
} // namespace CSoundFile
