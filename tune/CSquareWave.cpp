#include "tune/CSquareWave.h"

#include <algorithm>
#include <cmath>

namespace {

const std::vector<double>& Sine() {
    static const std::vector<double> sine = [] {
        const double dPi = std::acos(-1.0);
        std::vector<double> values(CSquareWave::TableSize);
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = std::sin(2.0 * dPi * static_cast<double>(i) / CSquareWave::TableSize);
        return values;
    }();
    return sine;
}

} // namespace

CSquareWave::CSquareWave(double dFrequency, int iSampleRate, float fPeak)
    : m_Table(TableSize + 1, 0.0f) {
    const std::vector<double>& sine = Sine();
    std::vector<double> wave(TableSize, 0.0);
    // Harmonic k at table index i is sin(2 pi k i / N): the sine table
    // stepped k places at a time, wrapping (N is a power of two).
    const double dNyquist = iSampleRate / 2.0;
    for (std::size_t k = 1; static_cast<double>(k) * dFrequency < dNyquist; k += 2) {
        const double dWeight = 1.0 / static_cast<double>(k);
        std::size_t iAt = 0;
        for (double& d : wave) {
            d += sine[iAt] * dWeight;
            iAt = (iAt + k) & (TableSize - 1);
        }
    }

    // Scaled so that the highest point, the ripple at the edges included,
    // is exactly the peak asked for.
    double dHighest = 0.0;
    for (const double d : wave)
        dHighest = std::max(dHighest, std::fabs(d));
    for (std::size_t i = 0; i < TableSize; ++i)
        m_Table[i] = static_cast<float>(wave[i] / dHighest * fPeak);
    m_Table[TableSize] = m_Table[0];
}

uint32_t CSquareWave::Step(double dFrequency, int iSampleRate) {
    return static_cast<uint32_t>(std::llround(dFrequency / iSampleRate * 4294967296.0));
}
