#pragma once
// One line per ringtone: its name, its note count, whether it fits the
// phone's 50 notes and how many problems it has; a last line with the totals.

#include "convert/COutput.h"
#include "convert/CReport.h"

#include <cstdint>
#include <string>

class CCheckReport : public CReport {
public:
    explicit CCheckReport(COutput& output) : m_Output(output) {}

    void Add(const CConversionResult& result) override;
    void Finish() override;

    static std::string Line(const CConversionResult& result);

private:
    COutput& m_Output;
    int64_t m_iRingTones = 0;
    int64_t m_iFit = 0;
    int64_t m_iTooLong = 0;
    int64_t m_iWithProblems = 0;
    int64_t m_iRefused = 0;
};
