#include "convert/CSoundOutput.h"

#include "files/CFileReplacement.h"

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
                          const std::string& sTitle, std::string& sError) {
    CFileReplacement output;
    if (!output.Open(sPath, true))
        return !Failed(sPath, output.Reason(), sError);
    return !Failed(sPath, CSoundFile::Write(tune, iKind, output, {sTitle, {}}), sError);
}

bool CSoundOutput::ToStandardOutput(const CTune& tune, CSoundFile::Kind iKind,
                                    const std::string& sTitle, std::string& sError) {
    CFileReplacement output;
    output.Attach(STDOUT_FILENO);
    return !Failed("standard output", CSoundFile::Write(tune, iKind, output, {sTitle, {}}), sError);
}
