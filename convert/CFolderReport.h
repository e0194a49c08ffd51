#pragma once
// Writes each ringtone into a file of its own in one folder, named after its
// input with the extension of the form: "tone.txt" gives "tone.KEY" (or
// "tone.mp3"), line 7 of "tunes.txt" with --lines "tunes-7.KEY", standard
// input "stdin.KEY".

#include "convert/CConvertOptions.h"
#include "convert/CDiagnostics.h"
#include "convert/COutputForm.h"
#include "convert/CReport.h"

#include <set>
#include <string>

class CFolderReport : public CReport {
public:
    CFolderReport(const CConvertOptions& options, CDiagnostics& diagnostics)
        : m_Options(options), m_Form(options.Form), m_sFolder(options.sOutput),
          m_Diagnostics(diagnostics) {}

    void Add(const CConversionResult& result) override;

    // The file name a ringtone is written under.
    std::string FileName(const CConversionResult& result) const;

private:
    const CConvertOptions& m_Options;
    COutputForm m_Form;
    std::string m_sFolder;
    CDiagnostics& m_Diagnostics;
    std::set<std::string> m_Written;
};
