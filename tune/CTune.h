#pragma once
// The converted notes as an RTTTL player hears them: pitch and length of
// every note at one tempo, placed on the tune's sample clock.

#include "tune/CTuneNote.h"

#include <cstdint>
#include <string_view>
#include <vector>

class CNotes;

class CTune {
public:
    static constexpr int SampleRate = 44100;
    // RTTTL's own default, used for any tempo it cannot play.
    static constexpr int DefaultTempo = 63;
    static constexpr int LowestTempo = 25;
    static constexpr int HighestTempo = 900;

    // Reads each note's RTTTL parts, filling empty ones from
    // modNOK::DefaultDuration and DefaultOctave as they stand now.
    CTune(const CNotes& notes, int iTempo);
    // The tempo as typed, read by the whole-number rule.
    CTune(const CNotes& notes, std::string_view sTempo);

    // The tempo the tune plays at.
    int Tempo() const { return m_iTempo; }
    // True when the tempo asked for was not a whole number from 25 to 900,
    // so DefaultTempo is used; the user should be told.
    bool TempoReplaced() const { return m_bTempoReplaced; }

    const std::vector<CTuneNote>& Notes() const { return m_Notes; }
    int64_t TotalSamples() const;
    // The note sounding at the sample; null before the start and past the end.
    const CTuneNote* NoteAt(int64_t iSample) const;

private:
    void Build(const CNotes& notes);

    int m_iTempo = DefaultTempo;
    bool m_bTempoReplaced = false;
    std::vector<CTuneNote> m_Notes;
};
