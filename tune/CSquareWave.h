#pragma once
// One period of a band-limited square wave at one pitch: only the odd
// harmonics below half the sample rate, so high notes do not alias.

#include <cstddef>
#include <vector>

class CSquareWave {
public:
    static constexpr int TableSize = 2048;

    CSquareWave(double dFrequency, int iSampleRate);

    // The wave at a phase from 0 (inclusive) to 1 (exclusive), peak 1.
    float At(double dPhase) const {
        const double dIndex = dPhase * TableSize;
        const auto i = static_cast<std::size_t>(dIndex);
        const auto fFraction = static_cast<float>(dIndex - static_cast<double>(i));
        return m_Table[i] + fFraction * (m_Table[i + 1] - m_Table[i]);
    }

private:
    // TableSize + 1 values: the first is repeated at the end for interpolation.
    std::vector<float> m_Table;
};
