// Making the samples of a ringtone: the whole tune from its converted
// notes, as Play and Save as Sound do, in the chunks an output asks for.

#include "bench/RingtoneGenerator.h"
#include "engine/CNokia.h"
#include "tune/CTuneRenderer.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

void RenderTune(benchmark::State& state) {
    const auto iNotes = static_cast<size_t>(state.range(0));
    CNokia nokia;
    nokia.OriginalText = RingtoneGenerator::Rtttl(iNotes);
    nokia.Convert();
    std::array<int16_t, 4096> chunk;
    int64_t iSamples = 0;
    for (auto _ : state) {
        CTuneRenderer renderer(CTune(nokia.Notes, nokia.Tempo));
        while (const size_t iMade = renderer.Render(chunk.data(), chunk.size()))
            benchmark::DoNotOptimize(chunk[iMade - 1]);
        iSamples = renderer.Position();
    }
    state.counters["notes"] = static_cast<double>(nokia.Notes.Count());
    state.counters["sound_s"] = static_cast<double>(iSamples) / CTune::SampleRate;
    state.SetItemsProcessed(state.iterations() * iSamples);
}

BENCHMARK(RenderTune)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
