#include "files/RingToneFile.h"

#include "engine/RingToneText.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace RingToneFile {

static_assert(MaxBytes == 4 + 4 * RingToneText::MaxLength);

namespace {

void AppendUtf8(std::string& sText, char32_t c) {
    if (c < 0x80) {
        sText += static_cast<char>(c);
    } else if (c < 0x800) {
        sText += static_cast<char>(0xC0 | (c >> 6));
        sText += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        sText += static_cast<char>(0xE0 | (c >> 12));
        sText += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        sText += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        sText += static_cast<char>(0xF0 | (c >> 18));
        sText += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        sText += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        sText += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsScalar(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

uint8_t Byte(std::string_view bytes, size_t i) {
    return static_cast<uint8_t>(bytes[i]);
}

// Strict UTF-8: no overlong forms, surrogates or cut-off sequences.
std::optional<std::string> FromUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const uint8_t b = Byte(bytes, i);
        size_t iMore = 0;
        char32_t c = 0;
        if (b < 0x80) {
            ++i;
            continue;
        }
        if (b >= 0xC2 && b <= 0xDF) {
            iMore = 1;
            c = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            iMore = 2;
            c = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            iMore = 3;
            c = b & 0x07;
        } else {
            return std::nullopt;
        }
        if (i + iMore >= bytes.size())
            return std::nullopt;
        for (size_t k = 1; k <= iMore; ++k) {
            const uint8_t next = Byte(bytes, i + k);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        const char32_t iLeast = iMore == 1 ? 0x80 : iMore == 2 ? 0x800 : 0x10000;
        if (c < iLeast || !IsScalar(c))
            return std::nullopt;
        i += iMore + 1;
    }
    return std::string(bytes);
}

std::optional<std::string> FromUtf16(std::string_view bytes, bool bBig) {
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    const auto unit = [&](size_t i) {
        return static_cast<char32_t>(bBig ? Byte(bytes, i) << 8 | Byte(bytes, i + 1)
                                          : Byte(bytes, i + 1) << 8 | Byte(bytes, i));
    };
    std::string sText;
    for (size_t i = 0; i < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF)
                return std::nullopt;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            return std::nullopt;
        }
        AppendUtf8(sText, c);
    }
    return sText;
}

std::optional<std::string> FromUtf32(std::string_view bytes, bool bBig) {
    if (bytes.size() % 4 != 0)
        return std::nullopt;
    std::string sText;
    for (size_t i = 0; i < bytes.size(); i += 4) {
        char32_t c = 0;
        for (size_t k = 0; k < 4; ++k)
            c = c << 8 | Byte(bytes, bBig ? i + k : i + 3 - k);
        if (!IsScalar(c))
            return std::nullopt;
        AppendUtf8(sText, c);
    }
    return sText;
}

std::string FromLatin1(std::string_view bytes) {
    std::string sText;
    sText.reserve(bytes.size());
    for (const char c : bytes)
        AppendUtf8(sText, static_cast<uint8_t>(c));
    return sText;
}

bool StartsWith(std::string_view bytes, std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
}

} // namespace

std::string Decode(std::string_view bytes) {
    using namespace std::string_view_literals;
    std::optional<std::string> sText;
    // The marks are tried longest first: UTF-32 LE begins as UTF-16 LE does.
    if (StartsWith(bytes, "\x00\x00\xFE\xFF"sv))
        sText = FromUtf32(bytes.substr(4), true);
    else if (StartsWith(bytes, "\xFF\xFE\x00\x00"sv))
        sText = FromUtf32(bytes.substr(4), false);
    else if (StartsWith(bytes, "\xEF\xBB\xBF"sv))
        sText = FromUtf8(bytes.substr(3));
    else if (StartsWith(bytes, "\xFE\xFF"sv))
        sText = FromUtf16(bytes.substr(2), true);
    else if (StartsWith(bytes, "\xFF\xFE"sv))
        sText = FromUtf16(bytes.substr(2), false);
    else
        sText = FromUtf8(bytes);
    return sText ? *sText : FromLatin1(bytes);
}

bool Fits(std::string_view sText) {
    return sText.size() <= RingToneText::MaxLength;
}

Result Interpret(std::string_view bytes, bool bJoin) {
    Result result;
    if (bytes.size() > MaxBytes) {
        result.iOutcome = Outcome::TooLarge;
        return result;
    }
    std::string sText = Decode(bytes);
    if (!Fits(sText))
        result.iOutcome = Outcome::TooLarge;
    else if (sText.find('\0') != std::string::npos)
        result.iOutcome = Outcome::NotText;
    else {
        result.iOutcome = Outcome::Read;
        result.sText = bJoin ? RingToneText::JoinLines(std::move(sText)) : std::move(sText);
    }
    return result;
}

Result ReadFrom(int fd) {
    std::string bytes(MaxBytes + 1, '\0');
    size_t iDone = 0;
    while (iDone < bytes.size()) {
        const ssize_t iRead = ::read(fd, bytes.data() + iDone, bytes.size() - iDone);
        if (iRead == 0)
            break;
        if (iRead < 0) {
            if (errno == EINTR)
                continue;
            Result failed;
            failed.iError = errno;
            return failed;
        }
        iDone += static_cast<size_t>(iRead);
    }
    bytes.resize(iDone);
    return Interpret(bytes);
}

Result Read(const std::string& sPath) {
    Result failed;
    struct stat info {};
    if (::stat(sPath.c_str(), &info) != 0) {
        failed.iError = errno;
        return failed;
    }
    if (!S_ISREG(info.st_mode)) {
        failed.iError = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return failed;
    }
    const int fd = ::open(sPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        failed.iError = errno;
        return failed;
    }
    Result result = ReadFrom(fd);
    ::close(fd);
    return result;
}

} // namespace RingToneFile
