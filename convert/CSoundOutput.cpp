#include "convert/CSoundOutput.h"

#include "convert/COutputPath.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool Failed(const std::string& sOutput, const std::string& sReason, std::string& sError) {
    if (sReason.empty())
        return false;
    sError = "cannot write " + sOutput + ": " + sReason;
    return true;
}

} // namespace

bool CSoundOutput::ToPath(const CTune& tune, CSoundFile::Kind iKind, const std::string& sPath,
                          std::string& sError) {
    const COutputPath place(sPath);
    switch (place.Is()) {
    case COutputPath::Folder:
        return !Failed(sPath, std::strerror(EISDIR), sError);
    case COutputPath::Device: {
        const int fd = ::open(sPath.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0)
            return !Failed(sPath, std::strerror(errno), sError);
        std::string sReason = CSoundFile::WriteTo(tune, fd, iKind);
        if (::close(fd) != 0 && sReason.empty())
            sReason = std::strerror(errno);
        return !Failed(sPath, sReason, sError);
    }
    case COutputPath::File:
        break;
    }
    return !Failed(sPath, CSoundFile::Write(tune, place.Target(), iKind), sError);
}

bool CSoundOutput::ToStandardOutput(const CTune& tune, CSoundFile::Kind iKind,
                                    std::string& sError) {
    return !Failed("standard output", CSoundFile::WriteTo(tune, STDOUT_FILENO, iKind), sError);
}
