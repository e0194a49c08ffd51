#include "convert/COutput.h"

#include "convert/COutputPath.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

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

COutput::~COutput() {
    if (m_bDirect) {
        std::fclose(m_pFile);
    } else if (!m_sTemporary.empty()) {
        std::fclose(m_pFile);
        std::remove(m_sTemporary.c_str());
    }
}

std::string COutput::Named() const {
    return m_sPath.empty() ? "standard output" : m_sPath;
}

bool COutput::Open(const std::string& sPath, std::string& sError) {
    m_sPath = sPath;
    const COutputPath place(sPath);
    if (place.Is() == COutputPath::Folder) {
        sError = "cannot write " + sPath + ": Is a directory";
        return false;
    }
    if (place.Is() == COutputPath::Device) {
        m_pFile = std::fopen(sPath.c_str(), "wb");
        if (!m_pFile) {
            sError = "cannot write " + sPath + ": " + std::strerror(errno);
            m_pFile = stdout;
            return false;
        }
        m_bDirect = true;
        return true;
    }
    m_sTarget = place.Target();
    const std::filesystem::path folder = std::filesystem::path(m_sTarget).has_parent_path()
                                             ? std::filesystem::path(m_sTarget).parent_path()
                                             : std::filesystem::path(".");
    const std::string sPattern =
        (folder / ("." + std::filesystem::path(m_sTarget).filename().string() + ".XXXXXX"))
            .string();
    std::vector<char> name(sPattern.begin(), sPattern.end());
    name.push_back('\0');
    const int iFile = ::mkstemp(name.data());
    if (iFile < 0) {
        sError = "cannot write " + sPath + ": " + std::strerror(errno);
        return false;
    }
    m_sTemporary = name.data();
    ::fchmod(iFile, ModeFor(m_sTarget));
    m_pFile = ::fdopen(iFile, "wb");
    if (!m_pFile) {
        sError = "cannot write " + sPath + ": " + std::strerror(errno);
        ::close(iFile);
        std::remove(m_sTemporary.c_str());
        m_sTemporary.clear();
        m_pFile = stdout;
        return false;
    }
    return true;
}

void COutput::Write(std::string_view sBytes) {
    if (m_iError == 0 && std::fwrite(sBytes.data(), 1, sBytes.size(), m_pFile) != sBytes.size())
        m_iError = errno ? errno : EIO;
}

bool COutput::Commit(std::string& sError) {
    if (m_iError == 0 && std::fflush(m_pFile) != 0)
        m_iError = errno ? errno : EIO;
    if (m_bDirect) {
        if (std::fclose(m_pFile) != 0 && m_iError == 0)
            m_iError = errno ? errno : EIO;
        m_pFile = stdout;
        m_bDirect = false;
    } else if (!m_sTemporary.empty()) {
        if (m_iError == 0 && ::fsync(::fileno(m_pFile)) != 0)
            m_iError = errno;
        if (std::fclose(m_pFile) != 0 && m_iError == 0)
            m_iError = errno ? errno : EIO;
        m_pFile = stdout;
        if (m_iError == 0 && std::rename(m_sTemporary.c_str(), m_sTarget.c_str()) != 0)
            m_iError = errno;
        if (m_iError != 0)
            std::remove(m_sTemporary.c_str());
        m_sTemporary.clear();
    }
    if (m_iError == 0)
        return true;
    sError = "cannot write " + Named() + ": " + std::strerror(m_iError);
    return false;
}
