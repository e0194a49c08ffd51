#include "convert/CInputReader.h"

#include "engine/RingToneText.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

using RingToneText::MaxLength;

constexpr size_t ChunkSize = 256 * 1024;

// Keeps at most MaxLength + 1 bytes of the text: enough to know it is too
// large, whatever the input holds.
void Keep(std::string& sText, const char* pBytes, size_t iCount) {
    if (sText.size() <= MaxLength)
        sText.append(pBytes, std::min(iCount, MaxLength + 1 - sText.size()));
}

bool IsBlank(const std::string& sText) {
    return sText.find_first_not_of(' ') == std::string::npos;
}

} // namespace

bool CInputReader::Read(const std::string& sArgument, const Handler& onRingTone,
                        std::string& sError) const {
    const bool bStandard = sArgument == "-";
    CRingToneInput input;
    input.sSource = sArgument;
    if (!bStandard && !m_bLines)
        input.sFileName = std::filesystem::path(sArgument).filename().string();
    if (m_iSourceType)
        input.iSourceType = *m_iSourceType;
    else if (!bStandard)
        input.iSourceType =
            RingToneText::IsComposerFile(std::filesystem::path(sArgument).filename().string()) ? 1
                                                                                               : 0;

    std::FILE* pFile = bStandard ? stdin : std::fopen(sArgument.c_str(), "rb");
    if (!pFile) {
        sError = "cannot read " + sArgument + ": " + std::strerror(errno);
        return false;
    }
    const Outcome iOutcome =
        m_bLines ? ReadLines(pFile, input, onRingTone) : ReadWhole(pFile, input, onRingTone);
    const int iError = errno;
    if (!bStandard)
        std::fclose(pFile);
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

CInputReader::Outcome CInputReader::ReadWhole(std::FILE* pFile, CRingToneInput& input,
                                              const Handler& onRingTone) const {
    std::vector<char> chunk(ChunkSize);
    for (;;) {
        const size_t iCount = std::fread(chunk.data(), 1, chunk.size(), pFile);
        Keep(input.sText, chunk.data(), iCount);
        if (iCount < chunk.size() || input.sText.size() > MaxLength)
            break;
    }
    if (std::ferror(pFile))
        return Unreadable;
    // Like an empty clipboard, standard input with nothing but blanks holds
    // no ringtone; an empty file is still converted, as the window does.
    if (input.sSource == "-" && IsBlank(input.sText))
        return Blank;
    input.iRefusal = RingToneText::Check(input.sText);
    onRingTone(input);
    return Finished;
}

CInputReader::Outcome CInputReader::ReadLines(std::FILE* pFile, CRingToneInput& input,
                                              const Handler& onRingTone) const {
    std::vector<char> chunk(ChunkSize);
    size_t iLength = 0; // the whole line's, however much of it is kept
    bool bOpenLine = false;
    const auto emit = [&] {
        ++input.iLine;
        input.iRefusal = iLength > MaxLength ? RingToneText::Refusal::TooLarge
                                             : RingToneText::Check(input.sText);
        onRingTone(input);
        input.sText.clear();
        iLength = 0;
        bOpenLine = false;
    };
    size_t iCount = 0;
    while ((iCount = std::fread(chunk.data(), 1, chunk.size(), pFile)) > 0) {
        const char* pNext = chunk.data();
        const char* const pEnd = pNext + iCount;
        while (pNext < pEnd) {
            const auto* pFeed = static_cast<const char*>(
                std::memchr(pNext, '\n', static_cast<size_t>(pEnd - pNext)));
            const char* const pStop = pFeed ? pFeed : pEnd;
            const size_t iPiece = static_cast<size_t>(pStop - pNext);
            Keep(input.sText, pNext, iPiece);
            iLength += iPiece;
            bOpenLine = true;
            if (!pFeed)
                break;
            emit();
            pNext = pFeed + 1;
        }
    }
    if (std::ferror(pFile))
        return Unreadable;
    // A last line without a line feed still counts.
    if (bOpenLine)
        emit();
    return Finished;
}
