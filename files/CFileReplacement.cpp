#include "files/CFileReplacement.h"

#include "files/SaveTarget.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t BufferSize = 64 * 1024;

// The permissions a new file gets, or those of the file it replaces.
mode_t ModeFor(const std::string& sPath) {
    struct stat info {};
    if (::stat(sPath.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t iMask = ::umask(0);
    ::umask(iMask);
    return 0666 & ~iMask;
}

} // namespace

CFileReplacement::~CFileReplacement() {
    Abandon();
}

void CFileReplacement::FailWith(int iError) {
    Fail(std::strerror(iError ? iError : EIO));
}

void CFileReplacement::Fail(const std::string& sReason) {
    if (m_sReason.empty())
        m_sReason = sReason;
}

void CFileReplacement::Reset() {
    Abandon();
    m_bOwned = m_bDirect = false;
    m_sTarget.clear();
    m_iPosition = m_iFlushed = m_iLength = 0;
    m_sReason.clear();
}

bool CFileReplacement::Open(const std::string& sPath, bool bDirect) {
    Reset();
    const SaveTarget::Place place = SaveTarget::Examine(sPath);
    if (const std::string sRefusal = SaveTarget::Refusal(place, bDirect); !sRefusal.empty()) {
        Fail(sRefusal);
        return false;
    }
    m_bOwned = true;
    if (place.iKind == SaveTarget::Kind::Pipe || place.iKind == SaveTarget::Kind::Device) {
        m_bDirect = true;
        m_fd = ::open(sPath.c_str(), O_WRONLY | O_CLOEXEC);
        if (m_fd < 0)
            FailWith(errno);
        return m_fd >= 0;
    }
    m_sTarget = place.sTarget;
    const auto iSlash = m_sTarget.rfind('/');
    const std::string sFolder = iSlash == std::string::npos ? "" : m_sTarget.substr(0, iSlash + 1);
    const std::string sName =
        iSlash == std::string::npos ? m_sTarget : m_sTarget.substr(iSlash + 1);
    std::string sPattern = sFolder + "." + sName + ".XXXXXX";
    m_fd = ::mkostemp(sPattern.data(), O_CLOEXEC);
    if (m_fd < 0) {
        FailWith(errno);
        return false;
    }
    m_sTemporary = sPattern;
    if (::fchmod(m_fd, ModeFor(m_sTarget)) != 0) {
        FailWith(errno);
        Abandon();
        return false;
    }
    return true;
}

bool CFileReplacement::OpenUnnamed(const std::string& sFolder) {
    Reset();
    std::string sPattern = sFolder + "/ringwright-XXXXXX";
    m_fd = ::mkostemp(sPattern.data(), O_CLOEXEC);
    if (m_fd < 0) {
        FailWith(errno);
        return false;
    }
    ::unlink(sPattern.c_str());
    m_bOwned = true;
    return true;
}

void CFileReplacement::Attach(int fd) {
    Reset();
    m_fd = fd;
    m_bOwned = false;
    m_bDirect = true;
}

bool CFileReplacement::Put(const char* pBytes, size_t iCount) {
    // A write that stops short reports no error of its own; writing the
    // rest again brings out the system's reason (a full disk, a size limit).
    while (iCount > 0) {
        const ssize_t iWritten =
            m_bDirect ? ::write(m_fd, pBytes, iCount)
                      : ::pwrite(m_fd, pBytes, iCount, static_cast<off_t>(m_iFlushed));
        if (iWritten < 0) {
            if (errno == EINTR)
                continue;
            FailWith(errno);
            return false;
        }
        if (iWritten == 0) {
            FailWith(EIO);
            return false;
        }
        pBytes += iWritten;
        iCount -= static_cast<size_t>(iWritten);
        m_iFlushed += iWritten;
    }
    return true;
}

bool CFileReplacement::Flush() {
    if (Failed())
        return false;
    const bool bPut = Put(m_Buffer.data(), m_Buffer.size());
    m_Buffer.clear();
    m_iFlushed = m_iPosition;
    return bPut;
}

bool CFileReplacement::Write(const void* pBytes, size_t iCount) {
    if (Failed() || m_fd < 0)
        return false;
    if (m_Buffer.size() + iCount > BufferSize && !Flush())
        return false;
    if (iCount >= BufferSize) {
        if (!Put(static_cast<const char*>(pBytes), iCount))
            return false;
    } else {
        m_Buffer.append(static_cast<const char*>(pBytes), iCount);
    }
    m_iPosition += static_cast<int64_t>(iCount);
    m_iLength = std::max(m_iLength, m_iPosition);
    if (m_Buffer.empty())
        m_iFlushed = m_iPosition;
    return true;
}

int64_t CFileReplacement::Seek(int64_t iOffset, int iWhence) {
    if (m_bDirect || !Flush())
        return -1;
    int64_t iTo = iOffset;
    if (iWhence == SEEK_CUR)
        iTo += m_iPosition;
    else if (iWhence == SEEK_END)
        iTo += m_iLength;
    if (iTo < 0)
        return -1;
    m_iPosition = m_iFlushed = iTo;
    return iTo;
}

int64_t CFileReplacement::Read(void* pBytes, size_t iCount) {
    if (m_bDirect || !Flush())
        return -1;
    const ssize_t iRead = ::pread(m_fd, pBytes, iCount, static_cast<off_t>(m_iPosition));
    if (iRead < 0) {
        FailWith(errno);
        return -1;
    }
    m_iPosition = m_iFlushed = m_iPosition + iRead;
    return iRead;
}

bool CFileReplacement::Commit() {
    if (m_fd < 0)
        return false;
    Flush();
    if (!m_bDirect) {
        struct stat info {};
        if (!Failed() && ::fstat(m_fd, &info) != 0)
            FailWith(errno);
        if (!Failed() && info.st_size != m_iLength)
            FailWith(EIO);
        if (!Failed() && ::fsync(m_fd) != 0)
            FailWith(errno);
    }
    if (m_bOwned && ::close(m_fd) != 0)
        FailWith(errno);
    m_fd = -1;
    if (!Failed() && !m_sTemporary.empty() &&
        std::rename(m_sTemporary.c_str(), m_sTarget.c_str()) != 0)
        FailWith(errno);
    if (Failed()) {
        Abandon();
        return false;
    }
    m_sTemporary.clear();
    return true;
}

void CFileReplacement::Abandon() {
    if (m_fd >= 0 && m_bOwned)
        ::close(m_fd);
    m_fd = -1;
    m_Buffer.clear();
    if (!m_sTemporary.empty())
        ::unlink(m_sTemporary.c_str());
    m_sTemporary.clear();
}
