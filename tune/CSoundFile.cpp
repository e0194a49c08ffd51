#include "tune/CSoundFile.h"

#include "files/CFileReplacement.h"
#include "tune/CTune.h"
#include "tune/CTuneRenderer.h"

#include <sndfile.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

int FormatOf(CSoundFile::Kind iKind) {
    switch (iKind) {
    case CSoundFile::Kind::Flac:
        return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    case CSoundFile::Kind::OggVorbis:
        return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    case CSoundFile::Kind::Mp3:
        return SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    case CSoundFile::Kind::Wav:
        break;
    }
    return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
}

// libsndfile reaches the output only through these, so that every byte the
// encoder writes, however it ignores its own failures, is checked.
CFileReplacement& Output(void* pOutput) {
    return *static_cast<CFileReplacement*>(pOutput);
}
SF_VIRTUAL_IO VirtualOutput() {
    SF_VIRTUAL_IO io{};
    io.get_filelen = [](void* p) -> sf_count_t { return Output(p).Length(); };
    io.seek = [](sf_count_t iOffset, int iWhence, void* p) -> sf_count_t {
        return Output(p).Seek(iOffset, iWhence);
    };
    io.read = [](void* pBytes, sf_count_t iCount, void* p) -> sf_count_t {
        return Output(p).Read(pBytes, static_cast<size_t>(iCount));
    };
    io.write = [](const void* pBytes, sf_count_t iCount, void* p) -> sf_count_t {
        return Output(p).Write(pBytes, static_cast<size_t>(iCount)) ? iCount : 0;
    };
    io.tell = [](void* p) -> sf_count_t { return Output(p).Position(); };
    return io;
}

// libsndfile's own texts are not for the user: a failure of the output
// itself already carries the system's reason.
void EncoderFailed(CFileReplacement& output) {
    output.Fail("The sound could not be encoded");
}

void Encode(const CTune& tune, CSoundFile::Kind iKind, CFileReplacement& output,
            const CSoundFile::Details& details) {
    SF_INFO info{};
    info.samplerate = CTune::SampleRate;
    info.channels = 1;
    info.format = FormatOf(iKind);
    SF_VIRTUAL_IO io = VirtualOutput();
    SNDFILE* pFile = sf_open_virtual(&io, SFM_WRITE, &info, &output);
    if (!pFile) {
        EncoderFailed(output);
        return;
    }
    // Before any sample: the compressed kinds write their tags first.
    if (!details.sTitle.empty())
        sf_set_string(pFile, SF_STR_TITLE, details.sTitle.c_str());
    sf_set_string(pFile, SF_STR_SOFTWARE, "Ringwright");
    // MP3's tags have no software field that libsndfile writes.
    if (iKind == CSoundFile::Kind::Mp3)
        sf_set_string(pFile, SF_STR_COMMENT, "Ringwright");

    CTuneRenderer renderer(tune);
    const int64_t iTotal = tune.TotalSamples();
    int64_t iWritten = 0;
    std::array<int16_t, 8192> samples;
    while (!renderer.AtEnd() && !output.Failed()) {
        const auto iCount =
            static_cast<sf_count_t>(renderer.Render(samples.data(), samples.size()));
        if (sf_write_short(pFile, samples.data(), iCount) != iCount)
            EncoderFailed(output);
        iWritten += iCount;
        if (details.OnProgress && !details.OnProgress(iWritten, iTotal))
            output.Fail(CSoundFile::Cancelled);
    }
    if (sf_close(pFile) != 0)
        EncoderFailed(output);
}

std::string TemporaryFolder() {
    const char* sFolder = std::getenv("TMPDIR");
    return sFolder && *sFolder ? sFolder : "/tmp";
}

// Makes the whole sound in an unnamed file, then copies it onto output.
void EncodeThenCopy(const CTune& tune, CSoundFile::Kind iKind, CFileReplacement& output,
                    const CSoundFile::Details& details) {
    CFileReplacement whole;
    if (whole.OpenUnnamed(TemporaryFolder()))
        Encode(tune, iKind, whole, details);
    if (!whole.Failed() && whole.Seek(0, SEEK_SET) != 0)
        whole.Fail(std::strerror(EIO));
    std::array<char, 65536> buffer;
    int64_t iCopied = 0;
    while (!whole.Failed() && !output.Failed()) {
        const int64_t iRead = whole.Read(buffer.data(), buffer.size());
        if (iRead <= 0)
            break;
        output.Write(buffer.data(), static_cast<size_t>(iRead));
        iCopied += iRead;
    }
    if (!whole.Failed() && iCopied != whole.Length())
        whole.Fail(std::strerror(EIO));
    if (whole.Failed())
        output.Fail(whole.Reason());
}

} // namespace

const char* const CSoundFile::Cancelled = "Cancelled";

std::optional<CSoundFile::Kind> CSoundFile::KindOf(std::string_view sFileName) {
    const auto iDot = sFileName.rfind('.');
    if (iDot == std::string_view::npos)
        return std::nullopt;
    std::string sEnding(sFileName.substr(iDot + 1));
    for (char& c : sEnding)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (const Kind iKind : {Kind::Wav, Kind::Flac, Kind::OggVorbis, Kind::Mp3})
        if (sEnding == Extension(iKind))
            return iKind;
    return std::nullopt;
}

const char* CSoundFile::Extension(Kind iKind) {
    switch (iKind) {
    case Kind::Flac:
        return "flac";
    case Kind::OggVorbis:
        return "ogg";
    case Kind::Mp3:
        return "mp3";
    case Kind::Wav:
        break;
    }
    return "wav";
}

std::string CSoundFile::Refusal(int64_t iSamples, Kind iKind) {
    // The header, and room for the tags, beside two bytes a sample.
    constexpr int64_t WavOverhead = 64 * 1024;
    if (iKind == Kind::Wav && iSamples > (MaxWavBytes - WavOverhead) / 2)
        return "The sound is too long for a WAV file, which holds at most 4 GiB";
    if (iSamples > MaxSeconds * CTune::SampleRate)
        return "The sound would last more than 2 hours, the longest that is saved";
    return {};
}

std::string CSoundFile::Write(const CTune& tune, Kind iKind, CFileReplacement& output,
                              const Details& details) {
    if (std::string sRefusal = Refusal(tune.TotalSamples(), iKind); !sRefusal.empty()) {
        output.Abandon();
        return sRefusal;
    }
    try {
        if (output.Seekable() || Streams(iKind))
            Encode(tune, iKind, output, details);
        else
            EncodeThenCopy(tune, iKind, output, details);
    } catch (const std::bad_alloc&) {
        output.Fail(std::strerror(ENOMEM));
    } catch (const std::exception&) {
        EncoderFailed(output);
    }
    if (output.Commit())
        return {};
    return output.Reason().empty() ? std::strerror(EIO) : output.Reason();
}

std::string CSoundFile::Write(const CTune& tune, const std::string& sPath, Kind iKind,
                              const Details& details) {
    if (std::string sRefusal = Refusal(tune.TotalSamples(), iKind); !sRefusal.empty())
        return sRefusal;
    CFileReplacement output;
    if (!output.Open(sPath, false))
        return output.Reason();
    return Write(tune, iKind, output, details);
}

bool CSoundFile::Streams(Kind iKind) {
    return iKind == Kind::OggVorbis;
}
