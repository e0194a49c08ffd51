#pragma once
// Writes a tune as a WAV, FLAC, Ogg Vorbis or MP3 file, never damaging the
// file it replaces when the writing fails.

#include <optional>
#include <string>
#include <string_view>

class CTune;

class CSoundFile {
public:
    enum class Kind { Wav, Flac, OggVorbis, Mp3 };

    // The kind a file name's ending names (".wav", ".flac", ".ogg", ".mp3",
    // in any case); none for any other name.
    static std::optional<Kind> KindOf(std::string_view sFileName);
    // The ending without its dot: "wav", "flac", "ogg", "mp3".
    static const char* Extension(Kind iKind);

    // Writes every sample of the tune (16-bit mono, CTune::SampleRate) to a
    // new file beside sPath and renames it to sPath once it is complete and
    // closed, replacing any file of that name. Returns empty text when the
    // file is in place, otherwise the system's reason, and then sPath is as
    // it was. Never throws.
    static std::string Write(const CTune& tune, const std::string& sPath, Kind iKind);

    // Whether a kind can be encoded straight onto a stream that cannot seek,
    // such as a pipe. Only Ogg Vorbis can: libsndfile refuses WAV there, and
    // FLAC and MP3 would go out without the length their first bytes must
    // give (readers then find no length, or a wrong one).
    static bool Streams(Kind iKind);
    // Writes every sample of the tune onto the open descriptor fd, which need
    // not be seekable: a kind that cannot stream is encoded into an unnamed
    // temporary file ($TMPDIR, else /tmp) and then copied onto fd. Returns
    // empty text when all of it was written, otherwise the reason. Never
    // throws; fd stays open.
    static std::string WriteTo(const CTune& tune, int fd, Kind iKind);
};
