#include "tune/CTune.h"

#include "engine/CNotes.h"
#include "engine/modNOK.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace {

// A whole note is 64 ticks, so that every length, a dotted 32nd (3 ticks)
// included, is a whole number of ticks and the sample clock can be kept exact.
constexpr int64_t TicksPerWhole = 64;

const std::string& OrDefault(const std::string& sPart, const std::string& sDefault) {
    return sPart.empty() ? sDefault : sPart;
}

int64_t TicksOf(const CNote& note) {
    static const std::array<const char*, 6> Playable = {"1", "2", "4", "8", "16", "32"};
    const std::string sDuration =
        modNOK::Value(OrDefault(note.RDuration_Part, modNOK::DefaultDuration));
    int64_t iDuration = 4;
    for (const char* sPlayable : Playable)
        if (sDuration == sPlayable)
            iDuration = std::stoi(sDuration);
    const int64_t iTicks = TicksPerWhole / iDuration;
    return note.RDotted_Part == "." ? iTicks * 3 / 2 : iTicks;
}

// Semitones above c4, or -1 for a rest (a pause, an unknown letter or an
// octave the player does not have).
int32_t PitchOf(const CNote& note) {
    static const std::string Letters = "cdefgab";
    static const std::array<int32_t, 7> Semitones = {0, 2, 4, 5, 7, 9, 11};
    if (note.RNote_Part.size() != 1)
        return -1;
    const auto iLetter = Letters.find(note.RNote_Part[0]);
    if (iLetter == std::string::npos)
        return -1;
    const std::string sOctave = modNOK::Value(OrDefault(note.ROctave_Part, modNOK::DefaultOctave));
    if (sOctave.size() != 1 || sOctave[0] < '4' || sOctave[0] > '8')
        return -1;
    const int32_t iSharp = note.RSharp_Part == "#" ? 1 : 0;
    return (sOctave[0] - '4') * 12 + Semitones[iLetter] + iSharp;
}

bool Playable(int iTempo) {
    return iTempo >= CTune::LowestTempo && iTempo <= CTune::HighestTempo;
}

} // namespace

CTune::CTune(const CNotes& notes, int iTempo)
    : m_iTempo(Playable(iTempo) ? iTempo : DefaultTempo), m_bTempoReplaced(!Playable(iTempo)) {
    Build(notes);
}

CTune::CTune(const CNotes& notes, std::string_view sTempo) {
    int iTempo = 0;
    try {
        iTempo = modNOK::WholeNumber(sTempo);
    } catch (const modNOK::Failure&) {
        // Not a whole number: replaced below like any tempo out of range.
    }
    m_bTempoReplaced = !Playable(iTempo);
    m_iTempo = m_bTempoReplaced ? DefaultTempo : iTempo;
    Build(notes);
}

void CTune::Build(const CNotes& notes) {
    m_Notes.reserve(static_cast<size_t>(notes.Count()));
    // Seconds per tick = 240 / (tempo x 64); each note ends at the sample
    // nearest its exact end, so rounding never adds up along the tune.
    const int64_t iDenominator = TicksPerWhole * m_iTempo;
    const auto SampleAt = [&](int64_t iTicks) {
        const int64_t iNumerator = iTicks * SampleRate * 240;
        return (2 * iNumerator + iDenominator) / (2 * iDenominator);
    };
    int64_t iTicks = 0;
    int32_t iPosition = 0;
    for (const auto& pNote : notes) {
        CTuneNote tuneNote;
        tuneNote.Position = ++iPosition;
        tuneNote.Pitch = PitchOf(*pNote);
        if (!tuneNote.IsRest())
            tuneNote.Frequency = 440.0 * std::pow(2.0, (tuneNote.Pitch - 9) / 12.0);
        const int64_t iLength = TicksOf(*pNote);
        tuneNote.Seconds = 240.0 * static_cast<double>(iLength) / static_cast<double>(iDenominator);
        tuneNote.FirstSample = SampleAt(iTicks);
        iTicks += iLength;
        tuneNote.Samples = SampleAt(iTicks) - tuneNote.FirstSample;
        m_Notes.push_back(tuneNote);
    }
}

int64_t CTune::TotalSamples() const {
    return m_Notes.empty() ? 0 : m_Notes.back().FirstSample + m_Notes.back().Samples;
}

const CTuneNote* CTune::NoteAt(int64_t iSample) const {
    if (iSample < 0 || iSample >= TotalSamples())
        return nullptr;
    const auto it =
        std::upper_bound(m_Notes.begin(), m_Notes.end(), iSample,
                         [](int64_t iAt, const CTuneNote& note) { return iAt < note.FirstSample; });
    return &*(it - 1);
}
