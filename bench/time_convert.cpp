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

#include "bench/CRunTimes.h"
#include "bench/RingtoneGenerator.h"
#include "bench/WarmHeap.h"
#include "engine/CNokia.h"
#include "engine/Forms.h"

#include <sys/resource.h>

#include <algorithm>
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
    if (args.size() == 3 && args[0] == "--write")
        return RingtoneGenerator::WriteRtttl(std::stoul(args[1]), args[2]) ? 0 : 1;
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
    nokia.SourceType = Notation::Rtttl;
    long iResidentBefore = 0;
    long iResidentGrowth = 0;
    const CRunTimes times(
        iRuns, [&nokia](int) { nokia.Convert(); },
        [&](int i) {
            nokia.Clear();
            nokia.OriginalText = sText;
            if (i == 0)
                iResidentBefore = MaxResidentKiB();
        },
        [&](int i) {
            if (i == 0)
                iResidentGrowth = MaxResidentKiB() - iResidentBefore;
        });
    const int32_t iNotes = nokia.Notes.Count();
    std::printf(
        "notes %d\nfirst_ms %.2f\nmedian_ms %.2f\nfastest_ms %.2f\npeak_rss_B_per_note %.0f\n",
        iNotes, times.First(), times.Median(), times.Fastest(),
        iNotes > 0 ? iResidentGrowth * 1024.0 / iNotes : 0.0);
    return 0;
}
