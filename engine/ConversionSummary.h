#pragma once
// What a conversion shows of a ringtone, for the window and the command
// line alike: the name, tempo, notes, whether it fits the phone, and the
// error list as lines.

#include <cstdint>
#include <string>
#include <vector>

class CNokia;

namespace ConversionSummary {

struct Summary {
    std::string sName; // as the name box shows it: empty when blank
    int16_t iTempo = 0;
    int32_t iNotes = 0;
    std::vector<std::string> Errors; // the error list, one line each

    bool Fits() const;
    // The notes the phone has room for after these; 0 when it does not fit.
    int32_t Remaining() const;
};

// The ringtone the converter holds after Convert(), with the error list
// recorded since the errors were last cleared.
Summary Of(const CNokia& nokia);

// The error list as its lines (the engine joins them with carriage
// returns); none for an empty list.
std::vector<std::string> ErrorLines(const std::string& sErrors);

} // namespace ConversionSummary
