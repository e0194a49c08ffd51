#pragma once
// Writes each ringtone in the form asked for to one output: a line ended by
// a line feed on standard output, or ended by CR LF in a file, as Save writes
// it.

#include "convert/COutput.h"
#include "convert/COutputForm.h"
#include "convert/CReport.h"

class CFormReport : public CReport {
public:
    CFormReport(COutputForm form, COutput& output, bool bFile)
        : m_Form(form), m_Output(output), m_sLineEnd(bFile ? "\r\n" : "\n") {}

    void Add(const CConversionResult& result) override;
    bool HasOutput() const override { return m_bAny; }

private:
    COutputForm m_Form;
    COutput& m_Output;
    const char* m_sLineEnd;
    bool m_bAny = false;
};
