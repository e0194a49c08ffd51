#pragma once
// The converter for one whole ringtone: takes the text apart into name,
// header and notes, and renders the notes in the chosen display form.

#include "engine/CNotes.h"
#include "engine/Forms.h"

#include <cstdint>
#include <string>
#include <string_view>

class CNokia {
public:
    std::string FilePath;
    int32_t SourceType = Notation::Rtttl; // or Notation::Composer
    int16_t Tempo = 0;
    CNotes Notes;
    std::string OriginalText;
    std::string FileName;
    std::string RingToneName;
    int16_t ShowType = ShowForm::Keypresses; // a ShowForm

    void Clear();
    // Parses OriginalText and appends its notes. Never throws; problems
    // become error-list lines.
    void Convert();
    // The note count; throws modNOK::Failure (overflow) beyond 16 bits.
    int16_t NoteCount() const;
    std::string ShowScreen() const;

private:
    void ReadNameAndHeader(std::string_view& sWork, size_t iColon);
    void ReadHeader(std::string_view& sWork);
    void SplitNotes();

    std::string NoteText;
};
