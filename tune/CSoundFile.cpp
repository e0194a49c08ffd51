#include "tune/CSoundFile.h"

#include "tune/CTune.h"
#include "tune/CTuneRenderer.h"

#include <sndfile.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <random>
#include <unistd.h>

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

std::string SystemReason(int iError) {
    return std::strerror(iError);
}

// A new file of a name no other file has, in the target's folder so that
// the final rename stays within one file system. Returns its descriptor.
int CreateTemporary(const std::string& sPath, std::string& sTemporary, std::string& sReason) {
    const auto iSlash = sPath.rfind('/');
    const std::string sFolder =
        iSlash == std::string::npos ? std::string() : sPath.substr(0, iSlash + 1);
    const std::string sName = iSlash == std::string::npos ? sPath : sPath.substr(iSlash + 1);
    std::random_device device;
    std::mt19937 random(device());
    for (int iTry = 0; iTry < 100; ++iTry) {
        char sSuffix[16];
        std::snprintf(sSuffix, sizeof sSuffix, ".%08x", static_cast<unsigned>(random()));
        sTemporary = sFolder + "." + sName + sSuffix;
        const int fd = ::open(sTemporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            break;
    }
    sReason = SystemReason(errno);
    return -1;
}

// Encodes the whole tune into the open file; returns the reason it failed.
// bSync: the file is synced too, as a file about to replace another must be.
std::string Encode(const CTune& tune, int fd, CSoundFile::Kind iKind, bool bSync) {
    SF_INFO info{};
    info.samplerate = CTune::SampleRate;
    info.channels = 1;
    info.format = FormatOf(iKind);
    SNDFILE* pFile = sf_open_fd(fd, SFM_WRITE, &info, SF_FALSE);
    if (!pFile)
        return sf_strerror(nullptr);

    std::string sReason;
    CTuneRenderer renderer(tune);
    std::array<int16_t, 8192> samples;
    while (!renderer.AtEnd() && sReason.empty()) {
        const auto iCount =
            static_cast<sf_count_t>(renderer.Render(samples.data(), samples.size()));
        if (sf_write_short(pFile, samples.data(), iCount) != iCount)
            sReason = sf_strerror(pFile);
    }
    const int iClosed = sf_close(pFile);
    if (sReason.empty() && iClosed != 0)
        sReason = sf_error_number(iClosed);
    if (bSync && sReason.empty() && ::fsync(fd) != 0)
        sReason = SystemReason(errno);
    return sReason;
}

// Copies what the file fd holds, from its start, onto the descriptor out.
std::string CopyOut(int fd, int out) {
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return SystemReason(errno);
    std::array<char, 65536> buffer;
    for (;;) {
        const ssize_t iRead = ::read(fd, buffer.data(), buffer.size());
        if (iRead == 0)
            return {};
        if (iRead < 0) {
            if (errno == EINTR)
                continue;
            return SystemReason(errno);
        }
        for (ssize_t iDone = 0; iDone < iRead;) {
            const ssize_t iWritten =
                ::write(out, buffer.data() + iDone, static_cast<size_t>(iRead - iDone));
            if (iWritten < 0 && errno != EINTR)
                return SystemReason(errno);
            iDone += iWritten > 0 ? iWritten : 0;
        }
    }
}

// A file of its own in the temporary folder, gone from it as soon as made,
// so that nothing is left behind however the program ends.
int CreateUnnamed(std::string& sReason) {
    const char* sFolder = std::getenv("TMPDIR");
    std::string sPattern =
        std::string(sFolder && *sFolder ? sFolder : "/tmp") + "/ringwright-XXXXXX";
    const int fd = ::mkstemp(sPattern.data());
    if (fd < 0) {
        sReason = SystemReason(errno);
        return -1;
    }
    ::unlink(sPattern.c_str());
    return fd;
}

} // namespace

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

std::string CSoundFile::Write(const CTune& tune, const std::string& sPath, Kind iKind) {
    std::string sTemporary;
    std::string sReason;
    int fd = -1;
    try {
        fd = CreateTemporary(sPath, sTemporary, sReason);
        if (fd >= 0)
            sReason = Encode(tune, fd, iKind, true);
    } catch (const std::bad_alloc&) {
        sReason = SystemReason(ENOMEM);
    } catch (const std::exception& e) {
        sReason = e.what();
    }
    if (fd < 0)
        return sReason;
    if (::close(fd) != 0 && sReason.empty())
        sReason = SystemReason(errno);
    if (sReason.empty() && std::rename(sTemporary.c_str(), sPath.c_str()) != 0)
        sReason = SystemReason(errno);
    if (!sReason.empty())
        ::unlink(sTemporary.c_str());
    return sReason;
}

bool CSoundFile::Streams(Kind iKind) {
    return iKind == Kind::OggVorbis;
}

std::string CSoundFile::WriteTo(const CTune& tune, int fd, Kind iKind) {
    std::string sReason;
    int iTemporary = -1;
    try {
        if (Streams(iKind))
            return Encode(tune, fd, iKind, false);
        iTemporary = CreateUnnamed(sReason);
        if (iTemporary >= 0)
            sReason = Encode(tune, iTemporary, iKind, false);
        if (iTemporary >= 0 && sReason.empty())
            sReason = CopyOut(iTemporary, fd);
    } catch (const std::bad_alloc&) {
        sReason = SystemReason(ENOMEM);
    } catch (const std::exception& e) {
        sReason = e.what();
    }
    if (iTemporary >= 0)
        ::close(iTemporary);
    return sReason;
}
