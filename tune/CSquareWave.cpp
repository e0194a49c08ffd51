#include "tune/CSquareWave.h"

#include <algorithm>
#include <cmath>

CSquareWave::CSquareWave(double dFrequency, int iSampleRate) : m_Table(TableSize + 1, 0.0f) {
    const double dPi = std::acos(-1.0);
    std::vector<double> sine(TableSize);
    for (int i = 0; i < TableSize; ++i)
        sine[static_cast<size_t>(i)] = std::sin(2.0 * dPi * i / TableSize);

    std::vector<double> wave(TableSize, 0.0);
    const double dNyquist = iSampleRate / 2.0;
    for (int k = 1; k * dFrequency < dNyquist; k += 2)
        for (int i = 0; i < TableSize; ++i)
            wave[static_cast<size_t>(i)] += sine[static_cast<size_t>((k * i) % TableSize)] / k;

    // Scaled to a peak of exactly 1, the ripple at the edges included.
    double dPeak = 0.0;
    for (const double d : wave)
        dPeak = std::max(dPeak, std::fabs(d));
    for (int i = 0; i < TableSize; ++i)
        m_Table[static_cast<size_t>(i)] = static_cast<float>(wave[static_cast<size_t>(i)] / dPeak);
    m_Table[TableSize] = m_Table[0];
}
