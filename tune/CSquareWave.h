#pragma once
// One period of a band-limited square wave at one pitch: only the odd
// harmonics below half the sample rate, so high notes do not alias.

#include <cstddef>
#include <cstdint>
#include <vector>

class CSquareWave {
public:
    static constexpr int TableBits = 10;
    static constexpr std::size_t TableSize = std::size_t{1} << TableBits;

    // A wave whose peak is fPeak.
    CSquareWave(double dFrequency, int iSampleRate, float fPeak);

    // The wave at a phase counted in 2^32 steps per period.
    float At(uint32_t iPhase) const {
        constexpr int FractionBits = 32 - TableBits;
        const std::size_t i = iPhase >> FractionBits;
        const float fFraction = static_cast<float>(iPhase & ((1u << FractionBits) - 1)) *
                                (1.0f / static_cast<float>(1u << FractionBits));
        return m_Table[i] + fFraction * (m_Table[i + 1] - m_Table[i]);
    }

    // The phase step per sample for a frequency.
    static uint32_t Step(double dFrequency, int iSampleRate);

private:
    // TableSize + 1 values: the first is repeated at the end for interpolation.
    std::vector<float> m_Table;
};
