#include "convert/COutputForm.h"

#include "engine/CNokia.h"
#include "engine/Forms.h"
#include "engine/RingToneText.h"
#include "midi/CMidiFile.h"

#include <filesystem>

namespace {

// The display form of the engine that a text form writes.
int16_t ShowType(COutputForm::Form iForm) {
    switch (iForm) {
    case COutputForm::Keys:
        return ShowForm::Keypresses;
    case COutputForm::Composer:
        return ShowForm::Composer;
    default:
        break;
    }
    return ShowForm::Rtttl;
}

} // namespace

const std::vector<COutputForm>& COutputForm::All() {
    static const std::vector<COutputForm> forms = {
        COutputForm(Keys), COutputForm(Composer), COutputForm(Rtttl), COutputForm(Wav),
        COutputForm(Flac), COutputForm(Ogg),      COutputForm(Mp3),   COutputForm(Midi)};
    return forms;
}

std::optional<COutputForm> COutputForm::ByName(const std::string& sName) {
    for (const COutputForm& form : All())
        if (form.Name() == sName)
            return form;
    return std::nullopt;
}

std::optional<COutputForm> COutputForm::ByExtension(const std::string& sFileName) {
    if (CMidiFile::IsMidiName(sFileName))
        return COutputForm(Midi);
    const auto lower = [](std::string sText) {
        for (char& c : sText)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return sText;
    };
    const std::string sExtension = lower(std::filesystem::path(sFileName).extension().string());
    for (const COutputForm& form : All())
        if (!sExtension.empty() && lower(form.Extension()) == sExtension)
            return form;
    return std::nullopt;
}

std::string COutputForm::Name() const {
    switch (m_iForm) {
    case Keys:
        return "keys";
    case Composer:
        return "composer";
    case Rtttl:
        return "rtttl";
    case Midi:
        return "midi";
    default:
        break;
    }
    return CSoundFile::Extension(SoundKind());
}

std::string COutputForm::Extension() const {
    if (IsText())
        return RingToneText::Extension(ShowType(m_iForm));
    if (IsMidi())
        return ".mid";
    return std::string(".") + CSoundFile::Extension(SoundKind());
}

CSoundFile::Kind COutputForm::SoundKind() const {
    switch (m_iForm) {
    case Flac:
        return CSoundFile::Kind::Flac;
    case Ogg:
        return CSoundFile::Kind::OggVorbis;
    case Mp3:
        return CSoundFile::Kind::Mp3;
    default:
        break;
    }
    return CSoundFile::Kind::Wav;
}

std::string COutputForm::Render(const CNokia& nokia) const {
    const int16_t iShowType = ShowType(m_iForm);
    return RingToneText::Format(RingToneText::ShownName(nokia.RingToneName),
                                std::to_string(nokia.Tempo), iShowType,
                                nokia.Notes.GetNotes(iShowType));
}

CTune COutputForm::Sound(const CNokia& nokia) {
    return CTune(nokia.Notes, nokia.Tempo);
}
