// Converts arbitrary bytes as a ringtone in both notations, renders every
// display form, reads the count, fits it to the phone and clears. The engine
// promises never to let a failure out of these (the count's overflow
// excepted), so any exception, crash, sanitizer report or hang here is a
// fault; so is a fitted ringtone that does not read back as the phone's.

#include "engine/CNokia.h"
#include "engine/PhoneFit.h"
#include "engine/RingToneText.h"
#include "engine/modNOK.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool bCondition) {
    if (!bCondition)
        std::abort();
}

// The clean-up done the slow way, one step after another, to hold the
// engine's one-pass version to the same result.
std::string CleanStepByStep(std::string s) {
    auto trim = [](std::string t) {
        const size_t iFirst = t.find_first_not_of(' ');
        if (iFirst == std::string::npos)
            return std::string();
        return t.substr(iFirst, t.find_last_not_of(' ') - iFirst + 1);
    };
    auto removeAll = [](std::string t, char c) {
        std::string sOut;
        for (const char ch : t)
            if (ch != c)
                sOut += ch;
        return sOut;
    };
    s = trim(removeAll(trim(removeAll(trim(s), '\n')), '\r'));
    if (!s.empty() && s.back() == ',')
        s.pop_back();
    return s;
}

bool HeaderFailed() {
    return modNOK::GetErrors().find("header information") != std::string::npos;
}

// The fitted text reads back with a header and just the kept notes, each as
// the phone takes it; fitting it again changes nothing.
void CheckFit(const CNokia& original) {
    const PhoneFit::Result fit = PhoneFit::Fit(original, PhoneFit::FallbackName(original.FileName));
    Check(fit.Of == original.Notes.Count());
    Check(fit.Kept == static_cast<int32_t>(fit.Origins.size()));
    Check(fit.Kept <= RingToneText::PhoneNotes);
    PhoneFit::Summary(fit);

    CNokia fitted;
    fitted.SourceType = original.SourceType;
    fitted.FileName = original.FileName;
    fitted.OriginalText = fit.Text;
    fitted.Convert();
    if (original.Notes.Count() == 0)
        return;
    Check(!HeaderFailed());
    Check(fitted.Notes.Count() == fit.Kept);
    Check(PhoneFit::Enterable(fitted));
    Check(PhoneFit::Fit(fitted, PhoneFit::FallbackName(fitted.FileName)).Text == fit.Text);
}

void ConvertAs(const std::string& sText, int32_t iSourceType, const std::string& sFileName) {
    CNokia nokia;
    nokia.Clear();
    nokia.SourceType = iSourceType;
    nokia.FileName = sFileName;
    nokia.OriginalText = sText;
    nokia.Convert();

    const std::string sErrors = modNOK::GetErrors();
    for (int16_t iType = -1; iType <= 3; ++iType) {
        nokia.ShowType = iType;
        const std::string sShown = nokia.ShowScreen();
        // Rendering reads what the parse left and changes nothing.
        Check(sShown == nokia.Notes.GetNotes(iType));
        Check(modNOK::GetErrors() == sErrors);
        if (iType < 0 || iType > 2)
            Check(sShown.empty());
        RingToneText::Format(nokia.RingToneName, std::to_string(nokia.Tempo), iType, sShown);
    }

    CheckFit(nokia);

    try {
        Check(nokia.NoteCount() == nokia.Notes.Count());
    } catch (const modNOK::Failure&) {
        // More notes than 16 bits hold is reported, not wrapped.
        Check(nokia.Notes.Count() > 32767);
    }

    nokia.Clear();
    Check(nokia.Notes.Count() == 0);
    Check(modNOK::GetErrors().empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string sText(reinterpret_cast<const char*>(data), size);
    Check(modNOK::CleanNoteText(sText) == CleanStepByStep(sText));
    // Clipboard text has no file name to stand in for a blank ringtone name;
    // a file has one.
    ConvertAs(sText, 0, "");
    ConvertAs(sText, 1, "tone.321");
    // A file name with a colon stands in for a blank RTTTL name.
    ConvertAs(sText, 0, "Artist: Tune, 2.TXT");
    return 0;
}
