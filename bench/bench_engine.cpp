// Converting, rendering and clearing long ringtones, and converting hostile
// texts, to show that every step grows linearly with the text.
//
// Besides the times, each run reports peak_B/note: the most heap the step
// held at once beyond what was held before it began (the text to convert
// included), divided by the number of notes. The heap is counted by
// HeapCounter, which sees every operator new with the allocator's rounding.
// Freed memory stays in the process (see WarmHeap.h), so repeated runs time
// the engine rather than the kernel handing out fresh pages.

#include "bench/HeapCounter.h"
#include "bench/RingtoneGenerator.h"
#include "bench/WarmHeap.h"
#include "engine/CNokia.h"
#include "engine/modNOK.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

enum Source : int32_t { Rtttl = 0, Composer = 1 };

const char* SourceName(Source source) {
    return source == Rtttl ? "RTTTL" : "Composer";
}

// Generating a million notes takes a while; every benchmark of a size
// shares one text.
const std::string& Ringtone(Source source, size_t iNotes) {
    static std::map<std::pair<Source, size_t>, std::string> texts;
    auto& sText = texts[{source, iNotes}];
    if (sText.empty())
        sText = source == Rtttl ? RingtoneGenerator::Rtttl(iNotes)
                                : RingtoneGenerator::Composer(iNotes);
    return sText;
}

void SetPeakCounter(benchmark::State& state, size_t iPeakBytes, size_t iNotes) {
    state.counters["peak_B/note"] =
        static_cast<double>(iPeakBytes) / static_cast<double>(std::max<size_t>(iNotes, 1));
}

// Converts and checks that the generated tune came through whole, so a
// change that breaks the engine cannot pass for a speed-up.
bool ConvertChecked(benchmark::State& state, CNokia& nokia, Source source, size_t iNotes) {
    nokia.Clear();
    nokia.SourceType = source;
    nokia.OriginalText = Ringtone(source, iNotes);
    nokia.Convert();
    if (static_cast<size_t>(nokia.Notes.Count()) != iNotes || !modNOK::GetErrors().empty()) {
        state.SkipWithError("the generated ringtone did not convert cleanly");
        return false;
    }
    return true;
}

void BM_Convert(benchmark::State& state, Source source) {
    const auto iNotes = static_cast<size_t>(state.range(0));
    const std::string& sText = Ringtone(source, iNotes);
    CNokia nokia;
    nokia.SourceType = source;
    size_t iBase = 0;
    size_t iPeak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (iBase != 0)
            iPeak = std::max(iPeak, HeapCounter::Peak() - iBase);
        nokia.Clear();
        iBase = HeapCounter::Live();
        HeapCounter::ResetPeak();
        nokia.OriginalText = sText;
        state.ResumeTiming();
        nokia.Convert();
    }
    iPeak = std::max(iPeak, HeapCounter::Peak() - iBase);
    if (static_cast<size_t>(nokia.Notes.Count()) != iNotes || !modNOK::GetErrors().empty())
        state.SkipWithError("the generated ringtone did not convert cleanly");
    SetPeakCounter(state, iPeak, iNotes);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * iNotes));
    state.SetComplexityN(static_cast<int64_t>(iNotes));
}

void BM_Render(benchmark::State& state, Source source, int16_t iShowType) {
    const auto iNotes = static_cast<size_t>(state.range(0));
    CNokia nokia;
    if (!ConvertChecked(state, nokia, source, iNotes))
        return;
    nokia.ShowType = iShowType;
    const size_t iBase = HeapCounter::Live();
    HeapCounter::ResetPeak();
    size_t iLength = 0;
    for (auto _ : state) {
        const std::string sText = nokia.ShowScreen();
        iLength = sText.size();
        benchmark::DoNotOptimize(sText.data());
    }
    if (iLength == 0)
        state.SkipWithError("rendered nothing");
    SetPeakCounter(state, HeapCounter::Peak() - iBase, iNotes);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * iNotes));
    state.SetComplexityN(static_cast<int64_t>(iNotes));
}

void BM_Clear(benchmark::State& state, Source source) {
    const auto iNotes = static_cast<size_t>(state.range(0));
    CNokia nokia;
    for (auto _ : state) {
        state.PauseTiming();
        const bool bConverted = ConvertChecked(state, nokia, source, iNotes);
        state.ResumeTiming();
        if (!bConverted)
            break;
        nokia.Clear();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * iNotes));
    state.SetComplexityN(static_cast<int64_t>(iNotes));
}

// Texts nobody would call a ringtone, as they arrive when a user pastes the
// wrong thing. Each is built at the size asked for, in bytes. Most make one
// huge token or none; those that make a note of nearly every byte are run at
// a tenth of the size, which still gives up to a million notes.
using Maker = std::function<std::string(size_t)>;

struct HostileText {
    const char* sName;
    bool bNoteEveryFewBytes;
    Maker make;
};

std::string Repeat(const std::string& sPiece, size_t iBytes) {
    std::string s;
    s.reserve(iBytes + sPiece.size());
    while (s.size() < iBytes)
        s += sPiece;
    return s;
}

const std::vector<HostileText>& Hostile() {
    static const std::vector<HostileText> texts = {
        {"binary", false,
         [](size_t n) {
             std::mt19937 random(7u);
             std::string s(n, '\0');
             for (char& c : s)
                 c = static_cast<char>(random() & 0xff);
             return s;
         }},
        {"nul_bytes", false, [](size_t n) { return std::string(n, '\0'); }},
        {"one_long_line", false,
         [](size_t n) { return "Tone:d=4,o=5,b=125:" + Repeat("8c#6", n); }},
        {"colons", false, [](size_t n) { return std::string(n, ':'); }},
        {"equals_signs", false, [](size_t n) { return std::string(n, '='); }},
        {"header_keys", false, [](size_t n) { return Repeat("d=o=b=Tempo=", n); }},
        {"key_at_end", false, [](size_t n) { return "Tone:" + Repeat("8c", n) + "Tempo=d="; }},
        {"long_octave", false,
         [](size_t n) { return "Tone:d=4,o=5,b=125:8c" + std::string(n, '6'); }},
        {"long_tempo", false,
         [](size_t n) { return "Tone:Tempo=" + std::string(n, '1') + ":4c1"; }},
        {"commas", true, [](size_t n) { return std::string(n, ','); }},
        {"blanks_between", true, [](size_t n) { return "Tone:" + Repeat("4c1    ", n); }},
    };
    return texts;
}

void BM_Hostile(benchmark::State& state, const Maker& make, Source source) {
    const auto iBytes = static_cast<size_t>(state.range(0));
    const std::string sText = make(iBytes);
    CNokia nokia;
    nokia.SourceType = source;
    for (auto _ : state) {
        state.PauseTiming();
        nokia.OriginalText = sText;
        state.ResumeTiming();
        nokia.Convert();
        for (int16_t iType = 0; iType <= 2; ++iType) {
            nokia.ShowType = iType;
            benchmark::DoNotOptimize(nokia.ShowScreen().size());
        }
        nokia.Clear();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * sText.size()));
    state.SetComplexityN(static_cast<int64_t>(sText.size()));
}

void RegisterAll() {
    static const char* const Forms[] = {"Keypresses", "Composer", "RTTTL"};
    for (const Source source : {Rtttl, Composer}) {
        const std::string sSource = SourceName(source);
        const auto sizes = [](benchmark::internal::Benchmark* b) {
            b->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
            b->MinWarmUpTime(0.5)->MinTime(2.0)->Complexity(benchmark::oN);
        };
        sizes(benchmark::RegisterBenchmark(("Convert/" + sSource).c_str(), BM_Convert, source));
        for (int16_t iType = 0; iType <= 2; ++iType)
            sizes(benchmark::RegisterBenchmark(("Render/" + sSource + "/" + Forms[iType]).c_str(),
                                               BM_Render, source, iType));
        sizes(benchmark::RegisterBenchmark(("Clear/" + sSource).c_str(), BM_Clear, source));
    }
    for (const HostileText& text : Hostile()) {
        for (const Source source : {Rtttl, Composer}) {
            const int64_t iBytes = text.bNoteEveryFewBytes ? 1 << 20 : 10 << 20;
            benchmark::RegisterBenchmark(
                (std::string("Hostile/") + text.sName + "/" + SourceName(source)).c_str(),
                BM_Hostile, std::cref(text.make), source)
                ->Arg(iBytes / 10)
                ->Arg(iBytes)
                ->Unit(benchmark::kMillisecond)
                ->MinWarmUpTime(0.5)
                ->Complexity(benchmark::oN);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    KeepHeapWarm();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
