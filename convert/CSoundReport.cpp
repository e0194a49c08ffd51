#include "convert/CSoundReport.h"

#include "convert/CSoundOutput.h"

void CSoundReport::Add(const CConversionResult& result) {
    if (!result.Tune)
        return;
    std::string sError;
    const bool bWritten =
        m_sPath.empty()
            ? CSoundOutput::ToStandardOutput(*result.Tune, m_iKind, result.sName, sError)
            : CSoundOutput::ToPath(*result.Tune, m_iKind, m_sPath, result.sName, sError);
    if (!bWritten)
        m_Diagnostics.Failure(sError);
}
