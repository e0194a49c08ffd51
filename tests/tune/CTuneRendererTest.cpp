#include "tune/CTuneRenderer.h"

#include "tests/tune/TuneText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

std::vector<int16_t> RenderAll(CTuneRenderer& renderer, size_t iChunk) {
    std::vector<int16_t> samples;
    std::vector<int16_t> chunk(iChunk);
    while (const size_t iCount = renderer.Render(chunk.data(), chunk.size()))
        samples.insert(samples.end(), chunk.begin(), chunk.begin() + static_cast<long>(iCount));
    return samples;
}

// Low and high ends of the range, sharps, a dotted note, repeated notes and
// rests, at the fastest tempo's shortest note too.
const char* const Tune = "T:d=8,o=5,b=140:c4,c4,a,a,p,4c#.6,b8,32e7,16p,f#";

TEST(TuneRenderer, StreamsTheWholeTuneTheSameInAnyChunkSize) {
    const CTune tune(TuneText::Converted(Tune).Notes, 140);
    CTuneRenderer whole(tune);
    const std::vector<int16_t> reference = RenderAll(whole, 1 << 20);
    ASSERT_EQ(static_cast<int64_t>(reference.size()), tune.TotalSamples());
    EXPECT_TRUE(whole.AtEnd());
    for (const size_t iChunk : {size_t{1}, size_t{441}, size_t{4096}}) {
        CTuneRenderer renderer(tune);
        EXPECT_EQ(RenderAll(renderer, iChunk), reference) << iChunk;
    }
}

// Each note: its pitch from the zero crossings of its sounding part, a
// silent gap of 5 to 15 ms at its end, a quiet first and last sample, and
// no sample beyond the level.
TEST(TuneRenderer, EveryNoteSoundsAtItsPitchThenFallsSilent) {
    for (const int iTempo : {140, 900}) {
        SCOPED_TRACE(iTempo);
        const CTune tune(TuneText::Converted(Tune).Notes, iTempo);
        CTuneRenderer renderer(tune);
        const std::vector<int16_t> samples = RenderAll(renderer, 1000);
        int iPeak = 0;
        for (const CTuneNote& note : tune.Notes()) {
            SCOPED_TRACE(note.Position);
            const auto pBegin = samples.begin() + note.FirstSample;
            const int64_t iGap = CTuneRenderer::GapSamples(note.Samples);
            EXPECT_GE(iGap, 220);
            EXPECT_LE(iGap, 662);
            const auto pGap = pBegin + (note.Samples - iGap);
            EXPECT_TRUE(std::all_of(pGap, pBegin + note.Samples, [](int16_t s) { return s == 0; }));
            if (note.IsRest()) {
                EXPECT_TRUE(std::all_of(pBegin, pGap, [](int16_t s) { return s == 0; }));
                continue;
            }
            EXPECT_LT(std::abs(*pBegin), CTuneRenderer::Level / 20);
            EXPECT_LT(std::abs(*(pGap - 1)), CTuneRenderer::Level / 20);
            int iCrossings = 0;
            for (auto p = pBegin + 1; p < pGap; ++p) {
                iCrossings += (*(p - 1) < 0) != (*p < 0);
                iPeak = std::max(iPeak, std::abs(int{*p}));
            }
            const double dSeconds = static_cast<double>(pGap - pBegin) / CTune::SampleRate;
            EXPECT_NEAR(iCrossings / 2.0 / dSeconds, note.Frequency,
                        note.Frequency * 0.02 + 2 / dSeconds);
        }
        EXPECT_LE(iPeak, CTuneRenderer::Level);
        EXPECT_GT(iPeak, CTuneRenderer::Level * 9 / 10);
    }
}

TEST(TuneRenderer, ATuneOfRestsIsSilenceOfItsLength) {
    const CTune tune(TuneText::Converted("T:d=4,o=5,b=100:p,8p,c9").Notes, 100);
    CTuneRenderer renderer(tune);
    const std::vector<int16_t> samples = RenderAll(renderer, 4096);
    EXPECT_EQ(samples.size(), 26460u + 13230u + 26460u);
    EXPECT_TRUE(std::all_of(samples.begin(), samples.end(), [](int16_t s) { return s == 0; }));
}

} // namespace
