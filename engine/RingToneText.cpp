#include "engine/RingToneText.h"

#include "engine/modNOK.h"

namespace RingToneText {

std::string Format(const std::string& sName, const std::string& sTempo, int16_t iShowType,
                   const std::string& sBody) {
    std::string sText = sName;
    if (iShowType == 0 || iShowType == 1) {
        sText += ":Tempo=" + sTempo + ":";
    } else {
        sText +=
            ":d=" + modNOK::DefaultDuration + ",o=" + modNOK::DefaultOctave + ",b=" + sTempo + ":";
    }
    return sText + sBody;
}

std::string Extension(int16_t iShowType) {
    switch (iShowType) {
    case 0:
        return ".KEY";
    case 1:
        return ".321";
    default:
        return ".TXT";
    }
}

} // namespace RingToneText
