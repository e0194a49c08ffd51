#include "tune/CTuneRenderer.h"

#include <algorithm>
#include <cmath>

namespace {

// Raised cosine from silence to full over iLength samples, at sample i.
float Rise(int64_t i, int64_t iLength) {
    const double dPi = std::acos(-1.0);
    return static_cast<float>(
        0.5 - 0.5 * std::cos(dPi * (static_cast<double>(i) + 0.5) / static_cast<double>(iLength)));
}

} // namespace

CTuneRenderer::CTuneRenderer(CTune tune)
    : m_Tune(std::move(tune)), m_iTotal(m_Tune.TotalSamples()) {
    for (const CTuneNote& note : m_Tune.Notes()) {
        if (note.IsRest() || note.Pitch >= Pitches)
            continue;
        auto& pWave = m_Waves[static_cast<size_t>(note.Pitch)];
        if (!pWave)
            pWave = std::make_unique<CSquareWave>(note.Frequency, CTune::SampleRate, Level);
    }
    for (int64_t i = 0; i < RampSamples; ++i)
        m_Ramp[static_cast<size_t>(i)] = Rise(i, RampSamples);
}

int64_t CTuneRenderer::GapSamples(int64_t iNoteSamples) {
    return std::min(iNoteSamples, std::clamp(iNoteSamples / 2, ShortestGap, LongestGap));
}

size_t CTuneRenderer::Render(int16_t* pOut, size_t iCount) noexcept {
    const auto& notes = m_Tune.Notes();
    size_t iDone = 0;
    while (iDone < iCount && m_iNote < notes.size()) {
        const CTuneNote& note = notes[m_iNote];
        const int64_t iFrom = m_iPosition - note.FirstSample;
        const int64_t iTo = std::min(note.Samples, iFrom + static_cast<int64_t>(iCount - iDone));
        RenderNote(note, iFrom, iTo, pOut + iDone);
        iDone += static_cast<size_t>(iTo - iFrom);
        m_iPosition += iTo - iFrom;
        if (iTo == note.Samples) {
            ++m_iNote;
            m_iPhase = 0;
        }
    }
    return iDone;
}

void CTuneRenderer::RenderNote(const CTuneNote& note, int64_t iFrom, int64_t iTo,
                               int16_t* pOut) noexcept {
    const int64_t iSounding = note.Samples - GapSamples(note.Samples);
    const CSquareWave* pWave = note.IsRest() || note.Pitch >= Pitches
                                   ? nullptr
                                   : m_Waves[static_cast<size_t>(note.Pitch)].get();
    const int64_t iWaveEnd = pWave ? std::clamp(iSounding, iFrom, iTo) : iFrom;
    const int64_t iRamp = std::min(RampSamples, iSounding / 2);
    const uint32_t iStep = pWave ? CSquareWave::Step(note.Frequency, CTune::SampleRate) : 0;
    for (int64_t i = iFrom; i < iWaveEnd; ++i) {
        float fSample = pWave->At(m_iPhase);
        m_iPhase += iStep; // wraps at the end of each period
        const int64_t iFromEnd = iSounding - 1 - i;
        if (i < iRamp || iFromEnd < iRamp) {
            const int64_t iEdge = std::min(i, iFromEnd);
            fSample *=
                iRamp == RampSamples ? m_Ramp[static_cast<size_t>(iEdge)] : Rise(iEdge, iRamp);
        }
        // Rounded half away from zero, without a library call per sample.
        *pOut++ = static_cast<int16_t>(fSample + (fSample < 0 ? -0.5f : 0.5f));
    }
    std::fill(pOut, pOut + (iTo - iWaveEnd), int16_t{0});
}
