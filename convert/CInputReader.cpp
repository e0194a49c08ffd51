#include "convert/CInputReader.h"

#include "engine/Forms.h"
#include "engine/RingToneText.h"
#include "files/CLineSplitter.h"
#include "files/RingToneFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using RingToneText::MaxLength;

constexpr size_t ChunkSize = 256 * 1024;

RingToneText::Refusal RefusalOf(RingToneFile::Outcome iOutcome) {
    switch (iOutcome) {
    case RingToneFile::Outcome::TooLarge:
        return RingToneText::Refusal::TooLarge;
    case RingToneFile::Outcome::NotText:
        return RingToneText::Refusal::NotText;
    default:
        break;
    }
    return RingToneText::Refusal::None;
}

bool IsBlank(const std::string& sText) {
    return sText.find_first_not_of(' ') == std::string::npos;
}

// Hands every piece of an open descriptor on as it comes; 0 at its end, or
// the errno of a failed read.
int ReadChunks(int fd, const std::function<void(std::string_view)>& onChunk) {
    std::vector<char> chunk(ChunkSize);
    for (;;) {
        const ssize_t iCount = ::read(fd, chunk.data(), chunk.size());
        if (iCount == 0)
            return 0;
        if (iCount < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        onChunk(std::string_view(chunk.data(), static_cast<size_t>(iCount)));
    }
}

std::string NameOf(const std::string& sArgument) {
    return sArgument == "-" ? "standard input" : sArgument;
}

} // namespace

bool CInputReader::ReadMidi(const std::string& sArgument, CMidiFile& file, std::string& sError) {
    const bool bStandard = sArgument == "-";
    // Said as for any other input that cannot be read.
    const int fd = bStandard ? STDIN_FILENO : ::open(sArgument.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        sError = "cannot read " + sArgument + ": " + std::strerror(errno);
        return false;
    }
    if (bStandard) {
        std::string sBytes;
        if (const int iError =
                ReadChunks(fd, [&](std::string_view sChunk) { sBytes.append(sChunk); });
            iError != 0) {
            sError = "cannot read standard input: " + std::string(std::strerror(iError));
            return false;
        }
        file = CMidiFile::Read(sBytes, "");
    } else {
        ::close(fd);
        file = CMidiFile::Load(sArgument);
    }
    if (file.Error().empty())
        return true;
    sError = NameOf(sArgument) + ": " + file.Error();
    return false;
}

// The chosen line's melody, as the window imports it: an RTTTL text from a
// file named after the MIDI file.
bool CInputReader::ReadMelody(const std::string& sArgument, const Handler& onRingTone,
                              std::string& sError) const {
    CMidiFile file;
    if (!ReadMidi(sArgument, file, sError))
        return false;
    const CMidiFile::Ringtone melody = file.Rtttl(m_iTrack);
    if (!melody.Error.empty()) {
        sError = NameOf(sArgument) + ": " + melody.Error;
        return false;
    }
    RingTone input;
    input.sSource = sArgument;
    if (sArgument != "-")
        input.sFileName = std::filesystem::path(sArgument).filename().string();
    input.sText = melody.Text;
    onRingTone(input);
    return true;
}

bool CInputReader::Read(const std::string& sArgument, const Handler& onRingTone,
                        std::string& sError) const {
    if (IsMidi(sArgument))
        return ReadMelody(sArgument, onRingTone, sError);
    const bool bStandard = sArgument == "-";
    RingTone input;
    input.sSource = sArgument;
    if (!bStandard && !m_bLines)
        input.sFileName = std::filesystem::path(sArgument).filename().string();
    if (m_iSourceType)
        input.iSourceType = *m_iSourceType;
    else if (!bStandard)
        input.iSourceType =
            RingToneText::IsComposerFile(std::filesystem::path(sArgument).filename().string())
                ? Notation::Composer
                : Notation::Rtttl;

    const int fd = bStandard ? STDIN_FILENO : ::open(sArgument.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        sError = "cannot read " + sArgument + ": " + std::strerror(errno);
        return false;
    }
    int iError = 0;
    const Outcome iOutcome = m_bLines ? ReadLines(fd, input, onRingTone, iError)
                                      : ReadWhole(fd, input, onRingTone, iError);
    if (!bStandard)
        ::close(fd);
    const std::string sName = bStandard ? "standard input" : sArgument;
    switch (iOutcome) {
    case Finished:
        return true;
    case Blank:
        sError = sName + " holds no ringtone text";
        return false;
    case Unreadable:
        break;
    }
    sError = "cannot read " + sName + ": " + std::strerror(iError);
    return false;
}

// Read as the window reads a file: decoded, refused when too large or binary.
CInputReader::Outcome CInputReader::ReadWhole(int fd, RingTone& input, const Handler& onRingTone,
                                              int& iError) const {
    const RingToneFile::Result read = RingToneFile::ReadFrom(fd);
    if (read.iError != 0) {
        iError = read.iError;
        return Unreadable;
    }
    input.sText = read.sText;
    // Like an empty clipboard, standard input with nothing but blanks holds
    // no ringtone; an empty file is still converted, as the window does.
    if (read.iOutcome == RingToneFile::Outcome::Read && input.sSource == "-" &&
        IsBlank(input.sText))
        return Blank;
    input.iRefusal = RefusalOf(read.iOutcome);
    onRingTone(input);
    return Finished;
}

CInputReader::Outcome CInputReader::ReadLines(int fd, RingTone& input, const Handler& onRingTone,
                                              int& iError) const {
    CLineSplitter lines(MaxLength + 1, [&](const std::string& sLine, size_t iLength) {
        ++input.iLine;
        RingToneFile::Result line = RingToneFile::Interpret(sLine);
        input.iRefusal =
            iLength > MaxLength ? RingToneText::Refusal::TooLarge : RefusalOf(line.iOutcome);
        input.sText = std::move(line.sText);
        onRingTone(input);
    });
    iError = ReadChunks(fd, [&](std::string_view sChunk) { lines.Feed(sChunk); });
    if (iError != 0)
        return Unreadable;
    lines.Finish();
    return Finished;
}
