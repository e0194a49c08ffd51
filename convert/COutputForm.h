#pragma once
// The forms ringwright-convert writes; a new form plugs in here and nowhere else.

#include "tune/CSoundFile.h"
#include "tune/CTune.h"

#include <optional>
#include <string>
#include <vector>

class CNokia;

class COutputForm {
public:
    enum Form { Keys, Composer, Rtttl, Wav, Flac, Ogg, Mp3, Midi };

    explicit COutputForm(Form iForm = Keys) : m_iForm(iForm) {}

    // Every form, in the order the help lists them.
    static const std::vector<COutputForm>& All();
    static std::optional<COutputForm> ByName(const std::string& sName);
    // The form a file name's extension names (".KEY", ".321", ".TXT",
    // ".wav", ".flac", ".ogg", ".mp3", ".mid", ".midi", in any letter case);
    // none for others.
    static std::optional<COutputForm> ByExtension(const std::string& sFileName);

    Form Id() const { return m_iForm; }
    std::string Name() const; // as --to takes it
    std::string Extension() const;
    // A text form writes one line per ringtone; the others are the tune,
    // as sound or as a MIDI file.
    bool IsText() const { return m_iForm <= Rtttl; }
    bool IsMidi() const { return m_iForm == Midi; }
    // The kind of sound file a sound form writes.
    CSoundFile::Kind SoundKind() const;

    // The ringtone the converter holds, in a text form, with the name and
    // tempo as a conversion shows them.
    std::string Render(const CNokia& nokia) const;
    // The ringtone as it sounds, at its own tempo (or the one the tune
    // plays instead). Read right after the conversion: the tune takes the
    // defaults that conversion left.
    static CTune Sound(const CNokia& nokia);

private:
    Form m_iForm;
};
