#include "convert/CFolderReport.h"

#include "convert/COutput.h"
#include "convert/CSoundOutput.h"

#include <filesystem>

std::string CFolderReport::FileName(const CConversionResult& result) const {
    std::string sStem =
        result.sSource == "-" ? "stdin" : std::filesystem::path(result.sSource).stem().string();
    if (result.iLine > 0)
        sStem += "-" + std::to_string(result.iLine);
    return sStem + m_Form.Extension();
}

void CFolderReport::Add(const CConversionResult& result) {
    if (result.iRefusal != RingToneText::Refusal::None)
        return;
    const std::string sPath = (std::filesystem::path(m_sFolder) / FileName(result)).string();
    // Two inputs of one name in different folders would meet here: the
    // second must not silently replace the first.
    if (!m_Written.insert(sPath).second) {
        m_Diagnostics.Failure("not writing " + sPath + " again for " + result.Where() +
                              ": an earlier input has the same name");
        return;
    }
    if (m_Options.IsInput(sPath)) {
        m_Diagnostics.Failure("not writing " + sPath + " for " + result.Where() +
                              ": it is one of the inputs");
        return;
    }
    std::string sError;
    if (result.Tune) {
        if (!CSoundOutput::ToPath(*result.Tune, m_Form.SoundKind(), sPath, result.sName, sError))
            m_Diagnostics.Failure(sError);
        return;
    }
    COutput output;
    if (!output.Open(sPath, sError)) {
        m_Diagnostics.Failure(sError);
        return;
    }
    output.Write(result.sOutput);
    output.Write("\r\n");
    if (!output.Commit(sError))
        m_Diagnostics.Failure(sError);
}
