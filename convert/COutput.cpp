#include "convert/COutput.h"

#include <unistd.h>

COutput::COutput() {
    m_File.Attach(STDOUT_FILENO);
}

bool COutput::Open(const std::string& sPath, std::string& sError) {
    m_sPath = sPath;
    if (m_File.Open(sPath, true))
        return true;
    sError = "cannot write " + sPath + ": " + m_File.Reason();
    return false;
}

bool COutput::Commit(std::string& sError) {
    if (m_File.Commit())
        return true;
    sError =
        "cannot write " + (m_sPath.empty() ? "standard output" : m_sPath) + ": " + m_File.Reason();
    return false;
}
