#pragma once
// Writes the sound of the one ringtone asked for to the file named, or to
// standard output when none is.

#include "convert/CDiagnostics.h"
#include "convert/CReport.h"
#include "tune/CSoundFile.h"

#include <string>

class CSoundReport : public CReport {
public:
    CSoundReport(CSoundFile::Kind iKind, std::string sPath, CDiagnostics& diagnostics)
        : m_iKind(iKind), m_sPath(std::move(sPath)), m_Diagnostics(diagnostics) {}

    void Add(const CConversionResult& result) override;
    // Nothing is left to commit: each sound is complete once written.
    bool HasOutput() const override { return false; }

private:
    CSoundFile::Kind m_iKind;
    std::string m_sPath; // empty: standard output
    CDiagnostics& m_Diagnostics;
};
