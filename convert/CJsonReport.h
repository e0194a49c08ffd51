#pragma once
// One JSON object per ringtone, one per line (JSON Lines). For a sound form
// it says what the sound would be, in place of the text.

#include "convert/COutput.h"
#include "convert/CReport.h"

#include <string>

class CJsonReport : public CReport {
public:
    explicit CJsonReport(COutput& output) : m_Output(output) {}

    void Add(const CConversionResult& result) override;

    // The line for one ringtone, line feed included. Bytes that are not
    // UTF-8 become U+FFFD rather than stop the output.
    static std::string Line(const CConversionResult& result);

private:
    COutput& m_Output;
};
