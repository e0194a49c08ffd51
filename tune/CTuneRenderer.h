#pragma once
// Makes the samples of a tune as they are asked for: a buzzer-like square
// wave per note, each note ending in a short silence, in constant memory.

#include "tune/CSquareWave.h"
#include "tune/CTune.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

class CTuneRenderer {
public:
    // Peak of every sample: about 30 % of full scale (-10 dB).
    static constexpr int16_t Level = 9830;
    // Rise and fall of a note, so it starts and ends without a click.
    static constexpr int64_t RampSamples = 132; // 3 ms
    // The silent end of each note, so repeated notes are heard apart.
    static constexpr int64_t LongestGap = 661;  // 15 ms
    static constexpr int64_t ShortestGap = 221; // 5 ms

    // Prepares a wave for every pitch the tune uses (at most 61 small tables).
    explicit CTuneRenderer(CTune tune);

    const CTune& Tune() const { return m_Tune; }
    // Writes the next samples (16-bit, mono, CTune::SampleRate) and returns
    // how many; fewer than asked only at the end of the tune. Never throws.
    size_t Render(int16_t* pOut, size_t iCount) noexcept;
    // Samples made so far.
    int64_t Position() const { return m_iPosition; }
    bool AtEnd() const { return m_iPosition >= m_iTotal; }

    // The silent end of a note this many samples long: half the note,
    // but no shorter than ShortestGap and no longer than LongestGap.
    static int64_t GapSamples(int64_t iNoteSamples);

private:
    static constexpr int Pitches = 61; // c4 up to b#8

    void RenderNote(const CTuneNote& note, int64_t iFrom, int64_t iTo, int16_t* pOut) noexcept;

    CTune m_Tune;
    int64_t m_iTotal = 0;
    int64_t m_iPosition = 0;
    size_t m_iNote = 0;
    uint32_t m_iPhase = 0;
    std::array<std::unique_ptr<CSquareWave>, Pitches> m_Waves;
    std::array<float, RampSamples> m_Ramp{};
};
