#pragma once
// What ringwright-convert says on standard error, and the exit status it
// adds up to: 0 all clean, 1 an error line was recorded, 2 an input or an
// output could not be read or written.

#include "convert/CConversionResult.h"

#include <string>

class CDiagnostics {
public:
    enum Status { Clean = 0, ErrorLines = 1, Failed = 2 };

    // Every error-list line of the ringtone, the 50-note message, the tempo
    // a sound plays at instead of its own, or why it was refused, each as
    // "SOURCE[:LINE]: " + the line.
    void Report(const CConversionResult& result);
    // "ringwright-convert: " + sMessage.
    void Failure(const std::string& sMessage);

    int ExitStatus() const { return m_iStatus; }

private:
    void Line(const std::string& sText);
    void Raise(Status iStatus);

    Status m_iStatus = Clean;
};
