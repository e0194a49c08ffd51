// Times Ringwright's conversion of one RTTTL text, for comparison with other
// parsers run on the very same file.
//
//   time_convert --write NOTES FILE   writes the benchmark's RTTTL tune of NOTES notes
//   time_convert FILE [RUNS]          converts FILE as RTTTL RUNS times (default 20)
//
// Prints the notes found; the first conversion (on a fresh heap), the median
// and the fastest (on a warm heap, see WarmHeap.h) in milliseconds; and how
// much the process's peak resident memory grew during the first conversion,
// per note.

#include "bench/RingtoneGenerator.h"
#include "bench/WarmHeap.h"
#include "engine/CNokia.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

long MaxResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int Usage() {
    std::cerr << "usage: time_convert --write NOTES FILE | time_convert FILE [RUNS]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    KeepHeapWarm();
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "--write") {
        std::ofstream file(args[2], std::ios::binary);
        file << RingtoneGenerator::Rtttl(std::stoul(args[1]));
        return file.good() ? 0 : 1;
    }
    if (args.empty() || args.size() > 2 || args[0].rfind("--", 0) == 0)
        return Usage();

    std::ifstream file(args[0], std::ios::binary);
    if (!file)
        return Usage();
    std::stringstream contents;
    contents << file.rdbuf();
    const std::string sText = contents.str();
    const int iRuns = args.size() == 2 ? std::max(1, std::stoi(args[1])) : 20;

    CNokia nokia;
    nokia.SourceType = 0;
    std::vector<double> times;
    double fFirst = 0;
    long iResidentGrowth = 0;
    for (int i = 0; i < iRuns; ++i) {
        nokia.Clear();
        nokia.OriginalText = sText;
        const long iResidentBefore = MaxResidentKiB();
        const auto start = std::chrono::steady_clock::now();
        nokia.Convert();
        const auto stop = std::chrono::steady_clock::now();
        if (i == 0)
            iResidentGrowth = MaxResidentKiB() - iResidentBefore;
        times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
        if (i == 0)
            fFirst = times.back();
    }
    std::sort(times.begin(), times.end());
    const int32_t iNotes = nokia.Notes.Count();
    std::printf(
        "notes %d\nfirst_ms %.2f\nmedian_ms %.2f\nfastest_ms %.2f\npeak_rss_B_per_note %.0f\n",
        iNotes, fFirst, times[times.size() / 2], times.front(),
        iNotes > 0 ? iResidentGrowth * 1024.0 / iNotes : 0.0);
    return 0;
}
