// The engine's whole cycle for one RTTTL ringtone (convert, the three
// renderings, clear) against the one-pass converter of OnePass.h.
//
//   cycle_time engine|onepass FILE [RUNS]   times RUNS cycles (default 1)
//   cycle_time --forms engine|onepass FILE  prints each line's three forms
//   cycle_time --write NOTES FILE           writes the benchmark's tune
//   cycle_time --write-lines TUNES FILE     writes a collection, a tune a line
//   cycle_time --lines keys|check FILE      the one-pass converter's share of
//       ringwright-convert --lines --to keys (or --check) over a collection
//
// Timing prints the notes, the first cycle and the median in milliseconds,
// and the most heap held at once during the first conversion, per note (the
// text included). Run it once per process for a first conversion in a fresh
// process, or with many runs for a warm heap.

#include "bench/CRunTimes.h"
#include "bench/HeapCounter.h"
#include "bench/OnePass.h"
#include "bench/RingtoneGenerator.h"
#include "bench/WarmHeap.h"
#include "engine/CNokia.h"
#include "engine/Forms.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Cycle {
    size_t iNotes = 0;
    size_t iBytes = 0; // of the three forms, so nothing is optimised away
};

Cycle EngineCycle(CNokia& nokia, const std::string& sText, size_t* pPeak) {
    const size_t iBase = HeapCounter::Live();
    HeapCounter::ResetPeak();
    nokia.SourceType = Notation::Rtttl;
    nokia.OriginalText = sText;
    nokia.Convert();
    if (pPeak)
        *pPeak = HeapCounter::Peak() - iBase;
    Cycle cycle;
    cycle.iNotes = static_cast<size_t>(nokia.Notes.Count());
    for (int16_t iType = 0; iType < ShowForm::Count; ++iType)
        cycle.iBytes += nokia.Notes.GetNotes(iType).size();
    nokia.Clear();
    return cycle;
}

Cycle OnePassCycle(const std::string& sText, size_t* pPeak) {
    const size_t iBase = HeapCounter::Live();
    HeapCounter::ResetPeak();
    const std::string sCopy = sText; // as the engine is handed its own copy
    const auto forms = OnePass::Convert(sCopy);
    if (pPeak)
        *pPeak = HeapCounter::Peak() - iBase;
    if (!forms)
        return {};
    return {forms->iNotes, forms->sKeys.size() + forms->sComposer.size() + forms->sRTTTL.size()};
}

std::string Read(const std::string& sPath) {
    std::ifstream file(sPath, std::ios::binary | std::ios::ate);
    std::string sText(static_cast<size_t>(std::max<std::streamoff>(file.tellg(), 0)), '\0');
    file.seekg(0);
    file.read(sText.data(), static_cast<std::streamsize>(sText.size()));
    return sText;
}

int Usage() {
    std::cerr
        << "usage: cycle_time engine|onepass FILE [RUNS] | cycle_time --forms "
           "engine|onepass FILE | cycle_time --write NOTES FILE\n"
           "       cycle_time --write-lines TUNES FILE | cycle_time --lines keys|check FILE\n";
    return 2;
}

// Each line as `ringwright-convert --lines --to keys` writes it, or
// "(not read)" for a line the one-pass converter leaves to the engine; with
// bCheck a count line as --check writes it, less the problems (the one-pass
// converter keeps no error list).
int ConvertLines(bool bCheck, const std::string& sPath) {
    const std::string sText = Read(sPath);
    std::string sOut;
    sOut.reserve(sText.size());
    size_t iLines = 0, iFit = 0, iTooLong = 0;
    for (size_t iStart = 0; iStart < sText.size();) {
        size_t iEnd = sText.find('\n', iStart);
        if (iEnd == std::string::npos)
            iEnd = sText.size();
        std::string_view sLine(sText.data() + iStart, iEnd - iStart);
        if (!sLine.empty() && sLine.back() == '\r')
            sLine.remove_suffix(1);
        iStart = iEnd + 1;
        ++iLines;
        const auto forms = OnePass::Convert(sLine, true);
        if (!forms || forms->bTempoFailed) {
            if (!bCheck)
                sOut += "(not read)\n";
            continue;
        }
        const bool bBlankName = forms->sName.find_first_not_of(' ') == std::string::npos;
        const std::string_view sName = bBlankName ? std::string_view() : forms->sName;
        if (bCheck) {
            const size_t iNotes = forms->iNotes;
            sOut += sPath + ':' + std::to_string(iLines) + ": ";
            sOut += sName.empty() ? "(no name)" : sName;
            sOut += ": " + std::to_string(iNotes) + (iNotes == 1 ? " note" : " notes");
            if (iNotes <= 50) {
                sOut += ", fits (" + std::to_string(50 - iNotes) + " left), \n";
                ++iFit;
            } else {
                sOut += ", too long for the phone (50 at most), \n";
                ++iTooLong;
            }
        } else {
            sOut += sName;
            sOut += ":Tempo=" + std::to_string(forms->iTempo) + ':';
            sOut += forms->sKeys;
            sOut += '\n';
        }
    }
    if (bCheck)
        sOut += "Total: " + std::to_string(iLines) + " ringtones, " + std::to_string(iFit) +
                " fit the phone, " + std::to_string(iTooLong) + " too long\n";
    std::fwrite(sOut.data(), 1, sOut.size(), stdout);
    return 0;
}

int PrintForms(bool bEngine, const std::string& sText) {
    std::istringstream lines(sText);
    std::string sLine;
    CNokia nokia;
    while (std::getline(lines, sLine)) {
        if (bEngine) {
            nokia.Clear();
            nokia.SourceType = Notation::Rtttl;
            nokia.OriginalText = sLine;
            nokia.Convert();
            for (int16_t iType = 0; iType < ShowForm::Count; ++iType)
                std::cout << nokia.Notes.GetNotes(iType) << '\n';
        } else if (const auto forms = OnePass::Convert(sLine)) {
            std::cout << forms->sKeys << '\n' << forms->sComposer << '\n' << forms->sRTTTL << '\n';
        } else {
            std::cout << "(not read)\n\n\n";
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    KeepHeapWarm();
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "--write")
        return RingtoneGenerator::WriteRtttl(std::stoul(args[1]), args[2]) ? 0 : 1;
    if (args.size() == 3 && args[0] == "--write-lines") {
        // Tunes of 10 to 79 notes, as real collections hold.
        std::ofstream file(args[2], std::ios::binary);
        for (unsigned long i = 0, iTunes = std::stoul(args[1]); i < iTunes; ++i)
            file << RingtoneGenerator::Rtttl(10 + (i * 37) % 70) << '\n';
        return file.good() ? 0 : 1;
    }
    if (args.size() == 3 && args[0] == "--lines" && (args[1] == "keys" || args[1] == "check"))
        return ConvertLines(args[1] == "check", args[2]);
    if (args.size() == 3 && args[0] == "--forms" && (args[1] == "engine" || args[1] == "onepass"))
        return PrintForms(args[1] == "engine", Read(args[2]));
    if (args.size() < 2 || args.size() > 3 || (args[0] != "engine" && args[0] != "onepass"))
        return Usage();
    const bool bEngine = args[0] == "engine";
    const std::string sText = Read(args[1]);
    const int iRuns = args.size() == 3 ? std::max(1, std::stoi(args[2])) : 1;

    CNokia nokia;
    Cycle cycle;
    size_t iPeak = 0;
    const CRunTimes times(iRuns, [&](int i) {
        cycle = bEngine ? EngineCycle(nokia, sText, i == 0 ? &iPeak : nullptr)
                        : OnePassCycle(sText, i == 0 ? &iPeak : nullptr);
    });
    std::printf("notes %zu\nforms_bytes %zu\nfirst_ms %.3f\nmedian_ms %.3f\npeak_B_per_note %.1f\n",
                cycle.iNotes, cycle.iBytes, times.First(), times.Median(),
                cycle.iNotes ? static_cast<double>(iPeak) / static_cast<double>(cycle.iNotes)
                             : 0.0);
    return cycle.iNotes > 0 ? 0 : 1;
}
