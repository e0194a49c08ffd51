#include "engine/ConversionSummary.h"

#include "engine/CNokia.h"
#include "engine/RingToneText.h"
#include "engine/modNOK.h"

namespace ConversionSummary {

bool Summary::Fits() const {
    return iNotes <= RingToneText::PhoneNotes;
}

int32_t Summary::Remaining() const {
    return Fits() ? RingToneText::PhoneNotes - iNotes : 0;
}

Summary Of(const CNokia& nokia) {
    Summary summary;
    summary.sName = RingToneText::ShownName(nokia.RingToneName);
    summary.iTempo = nokia.Tempo;
    summary.iNotes = nokia.Notes.Count();
    summary.Errors = ErrorLines(modNOK::GetErrors());
    return summary;
}

std::vector<std::string> ErrorLines(const std::string& sErrors) {
    std::vector<std::string> lines;
    if (sErrors.empty())
        return lines;
    size_t iStart = 0;
    for (;;) {
        const size_t iEnd = sErrors.find('\r', iStart);
        lines.push_back(sErrors.substr(iStart, iEnd - iStart));
        if (iEnd == std::string::npos)
            return lines;
        iStart = iEnd + 1;
    }
}

} // namespace ConversionSummary
