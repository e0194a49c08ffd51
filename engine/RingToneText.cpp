#include "engine/RingToneText.h"

#include "engine/Forms.h"
#include "engine/modNOK.h"

#include <algorithm>
#include <filesystem>

namespace RingToneText {

const char* const TooManyNotes =
    "This ringing tone has more than the maximum of 50 notes allowed for the Nokia 3210.";

std::string Format(const std::string& sName, const std::string& sTempo, int16_t iShowType,
                   const std::string& sBody) {
    std::string sText = sName;
    if (iShowType == ShowForm::Keypresses || iShowType == ShowForm::Composer) {
        sText += ":Tempo=" + sTempo + ":";
    } else {
        sText +=
            ":d=" + modNOK::DefaultDuration + ",o=" + modNOK::DefaultOctave + ",b=" + sTempo + ":";
    }
    return sText + sBody;
}

std::string Extension(int16_t iShowType) {
    switch (iShowType) {
    case ShowForm::Keypresses:
        return ".KEY";
    case ShowForm::Composer:
        return ".321";
    default:
        return ".TXT";
    }
}

bool IsComposerFile(const std::string& sFileName) {
    return std::filesystem::path(sFileName).extension() == ".321";
}

Refusal Check(std::string_view sText) {
    if (sText.size() > MaxLength)
        return Refusal::TooLarge;
    if (sText.find('\0') != std::string_view::npos)
        return Refusal::NotText;
    return Refusal::None;
}

std::string JoinLines(std::string sText) {
    sText.erase(
        std::remove_if(sText.begin(), sText.end(), [](char c) { return c == '\r' || c == '\n'; }),
        sText.end());
    return sText;
}

std::string ShownName(const std::string& sRingToneName) {
    return modNOK::TrimBlanks(sRingToneName).empty() ? std::string() : sRingToneName;
}

} // namespace RingToneText
